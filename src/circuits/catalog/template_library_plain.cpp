#include "circuits/catalog/template_library_text.h"

namespace tavrel {

// Node 1 is the stage input, node 2 its output, node 0 ground; op amps list the
// non-inverting input, the inverting input and the output.
const char* PlainTemplateLibraryText() {
    return R"LIB(
[FHP01]
.SUBCKT FHP 
       R1 3 0 RMODEL
       C1 1 3 CMODEL
       XA1 3 2 2
.ENDS FHP 
[FHP02]
.SUBCKT FHP 
       R1 3 0 RMODEL
       R2 4 0 RMODEL
       R3 2 4 RMODEL
       C1 1 3 CMODEL
       XA1 3 4 2
.ENDS FHP 
[FHP03]
.SUBCKT FHP 
       R1 2 3 RMODEL
       C1 1 3 CMODEL
       C2 2 3 CMODEL
       XA1 0 3 2
.ENDS FHP 
[FHP04]
.SUBCKT FHP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       C1 3 4 CMODEL
       XA1 0 4 2
.ENDS FHP 
[FLP01]
.SUBCKT FLP 
       R1 1 3 RMODEL
       C1 3 0 CMODEL
       XA1 3 2 2
.ENDS FLP 
[FLP02]
.SUBCKT FLP 
       R1 1 3 RMODEL
       R2 4 0 RMODEL
       R3 2 4 RMODEL
       C1 3 0 CMODEL
       XA1 3 4 2
.ENDS FLP 
[FLP03]
.SUBCKT FLP 
       R1 1 3 RMODEL
       R2 2 3 RMODEL
       C1 2 3 CMODEL
       XA1 0 3 2
.ENDS FLP 
[SBP01]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 0 4 2
.ENDS SBP 
[SBP02]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 5 0 RMODEL
       R4 2 5 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 5 4 2
.ENDS SBP 
[SBP03]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 3 RMODEL
       R3 4 0 RMODEL
       R4 5 0 RMODEL
       R5 2 5 RMODEL
       C1 3 4 CMODEL
       C2 3 0 CMODEL
       XA1 4 5 2
.ENDS SBP 
[SBP04]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 3 0 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 0 4 2
.ENDS SBP 
[SBP05]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 3 0 RMODEL
       R4 5 0 RMODEL
       R5 2 5 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 5 4 2
.ENDS SBP 
[SBP06]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       R3 2 5 RMODEL
       R4 2 6 RMODEL
       R5 6 0 RMODEL
       C1 3 0 CMODEL
       C2 4 5 CMODEL
       XA1 3 5 2
       XA2 6 5 4
.ENDS SBP 
[SBP07]
.SUBCKT SBP 
       R1 5 4 RMODEL
       R2 2 5 RMODEL
       R3 1 3 RMODEL
       R4 6 7 RMODEL
       R5 2 7 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       C3 1 5 CMODEL
       XA1 4 6 6
       XA2 0 7 2
.ENDS SBP 
[SBP08]
.SUBCKT SBP 
       R1 4 5 RMODEL
       R2 2 6 RMODEL
       R3 1 7 RMODEL
       R4 2 7 RMODEL
       R5 8 3 RMODEL
       R6 4 3 RMODEL
       C1 2 5 CMODEL
       C2 8 6 CMODEL
       XA1 7 3 4
       XA2 0 5 2
       XA3 0 6 8
.ENDS SBP 
[SBP09]
.SUBCKT SBP 
       R1 6 5 RMODEL
       R2 2 7 RMODEL
       R3 1 3 RMODEL
       R4 8 0 RMODEL
       R5 4 3 RMODEL
       R6 6 3 RMODEL
       R7 2 8 RMODEL
       C1 2 5 CMODEL
       C2 4 7 CMODEL
       XA1 8 3 6
       XA2 0 5 2
       XA3 0 7 4
.ENDS SBP 
[SBP10]
.SUBCKT SBP 
       R1 7 3 RMODEL
       R2 2 4 RMODEL
       R3 1 3 RMODEL
       R4 2 3 RMODEL
       R5 5 6 RMODEL
       R6 7 6 RMODEL
       C1 2 3 CMODEL
       C2 5 4 CMODEL
       XA1 0 3 2
       XA2 0 4 5
       XA3 0 6 7
.ENDS SBP 
[SBP11]
.SUBCKT SBP 
       R1 8 0 RMODEL
       R2 1 3 RMODEL
       R3 3 0 RMODEL
       R4 6 0 RMODEL
       R5 2 8 RMODEL
       R6 9 4 RMODEL
       R7 9 3 RMODEL
       R8 5 4 RMODEL
       C1 2 4 CMODEL
       C2 5 6 CMODEL
       XA1 8 4 9
       XA2 3 4 5
       XA3 6 4 2
.ENDS SBP 
[SBP12]
.SUBCKT SBP 
       R1 7 8 RMODEL
       R2 6 2 RMODEL
       R3 8 2 RMODEL
       R4 5 4 RMODEL
       R5 7 4 RMODEL
       R6 1 3 RMODEL
       R7 3 0 RMODEL
       C1 5 6 CMODEL
       C2 8 2 CMODEL
       XA1 3 4 5
       XA2 6 0 7
       XA3 0 8 2
.ENDS SBP 
[SBP13]
.SUBCKT SBP 
       R1 1 7 RMODEL
       R2 4 5 RMODEL
       R3 6 5 RMODEL
       R4 6 7 RMODEL
       R5 2 7 RMODEL
       R6 2 3 RMODEL
       C1 4 3 CMODEL
       C2 2 7 CMODEL
       XA3 0 7 2
       XA1 3 0 6
       XA2 0 5 4
.ENDS SBP 
[SHP01]
.SUBCKT SHP 
       R1 4 0 RMODEL
       R2 2 3 RMODEL
       C1 1 3 CMODEL
       C2 3 4 CMODEL
       XA1 4 2 2
.ENDS SHP 
[SHP02]
.SUBCKT SHP 
       R1 4 0 RMODEL
       R2 2 3 RMODEL
       R3 5 0 RMODEL
       R4 2 5 RMODEL
       C1 3 4 CMODEL
       C2 1 3 CMODEL
       XA1 4 5 2
.ENDS SHP 
[SHP03]
.SUBCKT SHP 
       R1 3 0 RMODEL
       R2 2 4 RMODEL
       C1 1 3 CMODEL
       C2 2 3 CMODEL
       C3 3 4 CMODEL
       XA1 0 4 2
.ENDS SHP 
[SHP04]
.SUBCKT SHP 
       R1 3 0 RMODEL
       R2 3 4 RMODEL
       R3 2 5 RMODEL
       R4 2 6 RMODEL
       R5 6 0 RMODEL
       C1 1 3 CMODEL
       C2 4 5 CMODEL
       XA1 6 5 4
       XA2 3 5 2
.ENDS SHP 
[SHP05]
.SUBCKT SHP 
       R1 3 0 RMODEL
       R2 3 4 RMODEL
       R3 6 5 RMODEL
       R4 7 0 RMODEL
       R5 2 7 RMODEL
       C1 1 5 CMODEL
       C2 5 4 CMODEL
       C3 6 3 CMODEL
       XA1 7 6 6
       XA2 4 2 2
.ENDS SHP 
[SHP06]
.SUBCKT SHP 
       R1 2 5 RMODEL
       R2 6 7 RMODEL
       R3 1 4 RMODEL
       R4 6 4 RMODEL
       R5 8 3 RMODEL
       R6 2 3 RMODEL
       C1 6 5 CMODEL
       C2 8 7 CMODEL
       XA1 4 3 2
       XA2 0 5 6
       XA3 0 7 8
.ENDS SHP 
[SHP07]
.SUBCKT SHP 
       R1 2 5 RMODEL
       R2 6 7 RMODEL
       R3 1 3 RMODEL
       R4 8 0 RMODEL
       R5 4 3 RMODEL
       R6 2 3 RMODEL
       R7 6 8 RMODEL
       C1 6 5 CMODEL
       C2 4 7 CMODEL
       XA1 8 3 2
       XA2 0 5 6
       XA3 0 7 4
.ENDS SHP 
[SHP08]
.SUBCKT SHP 
       R1 1 7 RMODEL
       R2 7 0 RMODEL
       R3 3 0 RMODEL
       R4 6 0 RMODEL
       R5 8 7 RMODEL
       R6 2 4 RMODEL
       R7 2 3 RMODEL
       R8 5 4 RMODEL
       C1 8 4 CMODEL
       C2 5 6 CMODEL
       XA1 7 4 2
       XA2 3 4 5
       XA3 6 4 8
.ENDS SHP 
[SHP09]
.SUBCKT SHP 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 7 0 RMODEL
       R4 1 0 RMODEL
       R5 5 4 RMODEL
       R6 8 4 RMODEL
       R7 8 9 RMODEL
       R8 2 9 RMODEL
       R9 2 6 RMODEL
       C1 5 6 CMODEL
       C2 2 9 CMODEL
       XA1 3 4 5
       XA2 6 7 8
       XA3 1 9 2
.ENDS SHP 
[SHP10]
.SUBCKT SHP 
       R1 5 0 RMODEL
       R2 4 5 RMODEL
       R3 6 5 RMODEL
       R4 6 7 RMODEL
       R5 2 7 RMODEL
       R6 2 3 RMODEL
       C1 2 7 CMODEL
       C2 1 7 CMODEL
       C3 4 3 CMODEL
       XA1 3 0 6
       XA2 0 5 4
       XA3 0 7 2
.ENDS SHP 
[SHPN01]
.SUBCKT SHPN 
       R1 1 3 RMODEL
       R2 1 4 RMODEL
       R3 1 5 RMODEL
       R4 3 0 RMODEL
       R5 2 4 RMODEL
       R6 5 0 RMODEL
       R7 2 5 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 5 4 2
.ENDS SHPN 
[SHPN02]
.SUBCKT SHPN 
       R1 1 4 RMODEL
       R2 1 5 RMODEL
       R3 2 3 RMODEL
       R4 4 0 RMODEL
       R5 5 0 RMODEL
       R6 2 5 RMODEL
       C1 1 3 CMODEL
       C2 3 4 CMODEL
       XA1 4 5 2
.ENDS SHPN 
[SHPN03]
.SUBCKT SHPN 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 4 3 RMODEL
       R4 2 5 RMODEL
       R5 1 6 RMODEL
       R6 2 6 RMODEL
       R7 6 0 RMODEL
       C1 1 3 CMODEL
       C2 4 5 CMODEL
       XA1 6 5 4
       XA2 3 5 2
.ENDS SHPN 
[SHPN04]
.SUBCKT SHPN 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 3 4 RMODEL
       R4 4 6 RMODEL
       R5 7 5 RMODEL
       R6 8 0 RMODEL
       R7 2 8 RMODEL
       C1 5 6 CMODEL
       C2 1 5 CMODEL
       C3 7 4 CMODEL
       XA1 6 2 2
       XA2 8 7 7
.ENDS SHPN 
[SHPN05]
.SUBCKT SHPN 
       R1 5 6 RMODEL
       R2 7 8 RMODEL
       R3 1 3 RMODEL
       R4 7 3 RMODEL
       R5 9 4 RMODEL
       R6 5 4 RMODEL
       R7 9 10 RMODEL
       R8 5 10 RMODEL
       R9 2 10 RMODEL
       C1 7 6 CMODEL
       C2 9 8 CMODEL
       XA1 3 4 5
       XA2 0 6 7
       XA3 0 8 9
       XA4 0 10 2
.ENDS SHPN 
[SHPN06]
.SUBCKT SHPN 
       R1 5 6 RMODEL
       R2 7 8 RMODEL
       R3 1 4 RMODEL
       R4 3 0 RMODEL
       R5 9 4 RMODEL
       R6 5 4 RMODEL
       R7 7 3 RMODEL
       R8 9 10 RMODEL
       R9 5 10 RMODEL
       R10 2 10 RMODEL
       C1 7 6 CMODEL
       C2 9 8 CMODEL
       XA1 3 4 5
       XA2 0 6 7
       XA3 0 8 9
       XA4 0 10 2
.ENDS SHPN 
[SHPN07]
.SUBCKT SHPN 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 6 0 RMODEL
       R4 1 8 RMODEL
       R5 8 0 RMODEL
       R6 5 3 RMODEL
       R7 2 4 RMODEL
       R8 2 6 RMODEL
       R9 7 4 RMODEL
       C1 5 4 CMODEL
       C2 7 8 CMODEL
       XA1 3 4 2
       XA2 6 4 7
       XA3 8 4 5
.ENDS SHPN 
[SHPN08]
.SUBCKT SHPN 
       R1 1 9 RMODEL
       R2 9 0 RMODEL
       R3 1 6 RMODEL
       R4 6 0 RMODEL
       R5 7 8 RMODEL
       R6 2 8 RMODEL
       R7 2 5 RMODEL
       R8 4 3 RMODEL
       R9 7 3 RMODEL
       C1 4 5 CMODEL
       C2 2 8 CMODEL
       XA1 9 3 4
       XA2 5 6 7
       XA3 1 8 2
.ENDS SHPN 
[SHPN09]
.SUBCKT SHPN 
       R1 1 3 RMODEL
       R2 4 5 RMODEL
       R3 6 5 RMODEL
       R4 6 7 RMODEL
       R5 2 7 RMODEL
       R6 5 0 RMODEL
       R7 2 3 RMODEL
       C1 4 3 CMODEL
       C2 2 7 CMODEL
       C3 1 7 CMODEL
       XA3 0 7 2
       XA1 3 0 6
       XA2 0 5 4
.ENDS SHPN 
[SLP01]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       C1 4 0 CMODEL
       C2 2 3 CMODEL
       XA1 4 2 2
.ENDS SLP 
[SLP02]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       R3 5 0 RMODEL
       R4 2 5 RMODEL
       C1 4 0 CMODEL
       C2 2 3 CMODEL
       XA1 4 5 2
.ENDS SLP 
[SLP03]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 2 3 RMODEL
       R3 3 4 RMODEL
       C1 2 4 CMODEL
       C2 3 0 CMODEL
       XA1 0 4 2
.ENDS SLP 
[SLP04]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 2 3 RMODEL
       R3 3 4 RMODEL
       R4 5 0 RMODEL
       R5 2 5 RMODEL
       C1 2 4 CMODEL
       C2 3 0 CMODEL
       XA1 5 4 2
.ENDS SLP 
[SLP05]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       R3 4 5 RMODEL
       R4 2 6 RMODEL
       R5 6 0 RMODEL
       C1 3 4 CMODEL
       C2 2 5 CMODEL
       XA1 6 5 4
       XA2 3 5 2
.ENDS SLP 
[SLP06]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 4 5 RMODEL
       C1 5 0 CMODEL
       C2 2 3 CMODEL
       XA1 3 4 4
       XA2 5 2 2
.ENDS SLP 
[SLP07]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       R3 6 5 RMODEL
       R4 7 0 RMODEL
       R5 2 7 RMODEL
       C1 5 0 CMODEL
       C2 5 4 CMODEL
       C3 6 3 CMODEL
       XA1 4 2 2
       XA2 7 6 6
.ENDS SLP 
[SLP08]
.SUBCKT SLP 
       R1 4 5 RMODEL
       R2 6 7 RMODEL
       R3 1 8 RMODEL
       R4 6 8 RMODEL
       R5 2 3 RMODEL
       R6 4 3 RMODEL
       C1 6 5 CMODEL
       C2 2 7 CMODEL
       XA1 8 3 4
       XA2 0 5 6
       XA3 0 7 2
.ENDS SLP 
[SLP09]
.SUBCKT SLP 
       R1 4 5 RMODEL
       R2 6 7 RMODEL
       R3 1 3 RMODEL
       R4 8 0 RMODEL
       R5 2 3 RMODEL
       R6 4 3 RMODEL
       R7 6 8 RMODEL
       C1 6 5 CMODEL
       C2 2 7 CMODEL
       XA1 8 3 4
       XA2 0 5 6
       XA3 0 7 2
.ENDS SLP 
[SLP10]
.SUBCKT SLP 
       R1 7 3 RMODEL
       R2 4 5 RMODEL
       R3 1 3 RMODEL
       R4 4 3 RMODEL
       R5 7 6 RMODEL
       R6 2 6 RMODEL
       C1 4 3 CMODEL
       C2 2 5 CMODEL
       XA1 0 3 4
       XA2 0 5 2
       XA3 0 6 7
.ENDS SLP 
[SLP11]
.SUBCKT SLP 
       R1 5 0 RMODEL
       R2 1 6 RMODEL
       R3 3 0 RMODEL
       R4 6 0 RMODEL
       R5 2 5 RMODEL
       R6 8 4 RMODEL
       R7 8 3 RMODEL
       R8 7 4 RMODEL
       C1 2 4 CMODEL
       C2 7 6 CMODEL
       XA1 5 4 8
       XA2 3 4 7
       XA3 6 4 2
.ENDS SLP 
[SLP12]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 1 0 RMODEL
       R4 8 0 RMODEL
       R5 5 4 RMODEL
       R6 7 4 RMODEL
       R7 7 9 RMODEL
       R8 2 9 RMODEL
       R9 2 6 RMODEL
       C1 5 6 CMODEL
       C2 2 9 CMODEL
       XA1 3 4 5
       XA2 6 1 7
       XA3 8 9 2
.ENDS SLP 
[SLP13]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 4 5 RMODEL
       R3 6 5 RMODEL
       R4 6 7 RMODEL
       R5 2 7 RMODEL
       R6 2 3 RMODEL
       C1 4 3 CMODEL
       C2 2 7 CMODEL
       XA3 0 7 2
       XA1 3 0 6
       XA2 0 5 4
.ENDS SLP 
[SLPN01]
.SUBCKT SLPN 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 1 5 RMODEL
       R4 3 0 RMODEL
       R5 4 0 RMODEL
       R6 5 0 RMODEL
       R7 2 5 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 5 4 2
.ENDS SLPN 
[SLPN02]
.SUBCKT SLPN 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       R3 1 5 RMODEL
       R4 5 0 RMODEL
       R5 2 5 RMODEL
       C1 2 3 CMODEL
       C2 1 4 CMODEL
       C3 4 0 CMODEL
       XA1 4 5 2
.ENDS SLPN 
[SLPN03]
.SUBCKT SLPN 
       R1 2 3 RMODEL
       R2 3 4 RMODEL
       R3 4 0 RMODEL
       R4 3 0 RMODEL
       R5 1 5 RMODEL
       R6 5 0 RMODEL
       C1 2 4 CMODEL
       C2 1 3 CMODEL
       XA1 5 4 2
.ENDS SLPN 
[SLPN04]
.SUBCKT SLPN 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 3 4 RMODEL
       R4 2 5 RMODEL
       R5 2 6 RMODEL
       R6 1 6 RMODEL
       C1 1 3 CMODEL
       C2 3 0 CMODEL
       C3 4 5 CMODEL
       XA1 6 5 4
       XA2 3 5 2
.ENDS SLPN 
[SLPN05]
.SUBCKT SLPN 
       R1 1 3 RMODEL
       R2 3 5 RMODEL
       R3 6 4 RMODEL
       R4 7 0 RMODEL
       R5 2 7 RMODEL
       C1 4 5 CMODEL
       C2 6 3 CMODEL
       C3 1 4 CMODEL
       C4 4 0 CMODEL
       XA1 5 2 2
       XA2 7 6 6
.ENDS SLPN 
[SLPN06]
.SUBCKT SLPN 
       R1 5 6 RMODEL
       R2 7 8 RMODEL
       R3 1 3 RMODEL
       R4 7 3 RMODEL
       R5 9 4 RMODEL
       R6 5 4 RMODEL
       R7 9 10 RMODEL
       R8 5 10 RMODEL
       R9 2 10 RMODEL
       C1 7 6 CMODEL
       C2 9 8 CMODEL
       XA1 3 4 5
       XA2 0 6 7
       XA3 0 8 9
       XA4 0 10 2
.ENDS SLPN 
[SLPN07]
.SUBCKT SLPN 
       R1 5 6 RMODEL
       R2 7 8 RMODEL
       R3 1 4 RMODEL
       R4 3 0 RMODEL
       R5 9 4 RMODEL
       R6 5 4 RMODEL
       R7 7 3 RMODEL
       R8 9 10 RMODEL
       R9 5 10 RMODEL
       R10 2 10 RMODEL
       C1 7 6 CMODEL
       C2 9 8 CMODEL
       XA1 3 4 5
       XA2 0 6 7
       XA3 0 8 9
       XA4 0 10 2
.ENDS SLPN 
[SLPN08]
.SUBCKT SLPN 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 6 0 RMODEL
       R4 1 8 RMODEL
       R5 8 0 RMODEL
       R6 5 3 RMODEL
       R7 2 4 RMODEL
       R8 2 6 RMODEL
       R9 7 4 RMODEL
       C1 5 4 CMODEL
       C2 7 8 CMODEL
       XA1 3 4 2
       XA2 6 4 7
       XA3 8 4 5
.ENDS SLPN 
[SLPN09]
.SUBCKT SLPN 
       R1 1 9 RMODEL
       R2 9 0 RMODEL
       R3 1 8 RMODEL
       R4 8 0 RMODEL
       R5 6 7 RMODEL
       R6 2 7 RMODEL
       R7 2 5 RMODEL
       R8 4 3 RMODEL
       R9 6 3 RMODEL
       C1 4 5 CMODEL
       C2 2 7 CMODEL
       XA1 9 3 4
       XA2 5 1 6
       XA3 8 7 2
.ENDS SLPN 
[SLPN10]
.SUBCKT SLPN 
       R1 1 3 RMODEL
       R2 4 5 RMODEL
       R3 6 5 RMODEL
       R4 6 7 RMODEL
       R5 2 7 RMODEL
       R6 5 0 RMODEL
       R7 2 3 RMODEL
       C1 4 3 CMODEL
       C2 2 7 CMODEL
       C3 1 7 CMODEL
       XA3 0 7 2
       XA1 3 0 6
       XA2 0 5 4
.ENDS SLPN 
[SN01]
.SUBCKT SN 
       R1 1 4 RMODEL
       R2 4 5 RMODEL
       R3 2 3 RMODEL
       R4 6 0 RMODEL
       R5 2 6 RMODEL
       C1 1 3 CMODEL
       C2 3 5 CMODEL
       C3 4 0 CMODEL
       XA1 5 6 2
.ENDS SN 
[SN02]
.SUBCKT SN 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 3 4 RMODEL
       R4 2 5 RMODEL
       R5 2 6 RMODEL
       R6 1 6 RMODEL
       C1 1 3 CMODEL
       C2 4 5 CMODEL
       XA1 6 5 4
       XA2 3 5 2
.ENDS SN 
[SN03]
.SUBCKT SN 
       R1 4 5 RMODEL
       R2 5 7 RMODEL
       R3 6 0 RMODEL
       R4 4 3 RMODEL
       R5 2 3 RMODEL
       C1 4 6 CMODEL
       C2 6 7 CMODEL
       C3 5 0 CMODEL
       XA1 1 3 4
       XA2 7 2 2
.ENDS SN 
[SN04]
.SUBCKT SN 
       R1 1 3 RMODEL
       R2 3 5 RMODEL
       R3 6 4 RMODEL
       R4 7 0 RMODEL
       R5 2 7 RMODEL
       C1 1 4 CMODEL
       C2 4 5 CMODEL
       C3 6 3 CMODEL
       XA1 5 2 2
       XA2 7 6 6
.ENDS SN 
[SN05]
.SUBCKT SN 
       R1 5 6 RMODEL
       R2 7 8 RMODEL
       R3 1 3 RMODEL
       R4 7 3 RMODEL
       R5 9 4 RMODEL
       R6 5 4 RMODEL
       R7 9 10 RMODEL
       R8 5 10 RMODEL
       R9 2 10 RMODEL
       C1 7 6 CMODEL
       C2 9 8 CMODEL
       XA1 3 4 5
       XA2 0 6 7
       XA3 0 8 9
       XA4 0 10 2
.ENDS SN 
[SN06]
.SUBCKT SN 
       R1 5 6 RMODEL
       R2 7 8 RMODEL
       R3 1 4 RMODEL
       R4 3 0 RMODEL
       R5 9 4 RMODEL
       R6 5 4 RMODEL
       R7 7 3 RMODEL
       R8 9 10 RMODEL
       R9 5 10 RMODEL
       R10 2 10 RMODEL
       C1 7 6 CMODEL
       C2 9 8 CMODEL
       XA1 3 4 5
       XA2 0 6 7
       XA3 0 8 9
       XA4 0 10 2
.ENDS SN 
[SN07]
.SUBCKT SN 
       R1 1 3 RMODEL
       R2 3 0 RMODEL
       R3 6 0 RMODEL
       R4 1 8 RMODEL
       R5 8 0 RMODEL
       R6 5 3 RMODEL
       R7 2 4 RMODEL
       R8 2 6 RMODEL
       R9 7 4 RMODEL
       C1 5 4 CMODEL
       C2 7 8 CMODEL
       XA1 3 4 2
       XA2 6 4 7
       XA3 8 4 5
.ENDS SN 
[SN08]
.SUBCKT SN 
       R1 1 0 RMODEL
       R2 1 5 RMODEL
       R3 5 0 RMODEL
       R4 1 8 RMODEL
       R5 8 0 RMODEL
       R6 3 9 RMODEL
       R7 6 9 RMODEL
       R8 6 7 RMODEL
       R9 2 7 RMODEL
       R10 2 4 RMODEL
       C1 3 4 CMODEL
       C2 2 7 CMODEL
       XA1 1 9 3
       XA2 4 5 6
       XA3 8 7 2
.ENDS SN 
[SN09]
.SUBCKT SN 
       R1 1 3 RMODEL
       R2 4 5 RMODEL
       R3 6 5 RMODEL
       R4 6 7 RMODEL
       R5 2 7 RMODEL
       R6 5 0 RMODEL
       R7 2 3 RMODEL
       C1 4 3 CMODEL
       C2 2 7 CMODEL
       C3 1 7 CMODEL
       XA3 0 7 2
       XA1 3 0 6
       XA2 0 5 4
.ENDS SN 
[END]
)LIB";
}

}  // namespace tavrel
