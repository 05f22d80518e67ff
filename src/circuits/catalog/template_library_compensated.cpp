#include "circuits/catalog/template_library_text.h"

namespace tavrel {

// Actively compensated variants: two op amps per op amp of the plain circuit, and for
// some circuits two added resistors at the end of the resistor list.
const char* CompensatedTemplateLibraryText() {
    return R"LIB(
[SLP01]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       C1 4 0 CMODEL
       C2 2 3 CMODEL
       XA1 4 5 2
       XA2 2 5 5
.ENDS SLP 
[SLP02]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 3 4 RMODEL
       R3 5 0 RMODEL
       R4 2 5 RMODEL
       R5 6 7 RMODEL
       R6 7 0 RMODEL
       C1 4 0 CMODEL
       C2 2 3 CMODEL
       XA1 4 7 2
       XA2 5 7 6
.ENDS SLP 
[SLP03]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 2 3 RMODEL
       R3 3 4 RMODEL
       C1 2 4 CMODEL
       C2 3 0 CMODEL
       XA1 0 4 5
       XA2 5 4 2
.ENDS SLP 
[SLP04]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 2 3 RMODEL
       R3 3 4 RMODEL
       R4 5 0 RMODEL
       R5 2 5 RMODEL
       R6 6 7 RMODEL
       R7 2 7 RMODEL
       C1 2 4 CMODEL
       C2 3 0 CMODEL
       XA1 7 4 2
       XA2 5 4 6
.ENDS SLP 
[SLP06]
.SUBCKT SLP 
       R1 1 3 RMODEL
       R2 4 5 RMODEL
       C1 5 0 CMODEL
       C2 2 3 CMODEL
       XA1 3 7 4
       XA2 4 7 7
       XA3 5 6 2
       XA4 2 6 6
.ENDS SLP 
[SHP01]
.SUBCKT SHP 
       R1 4 0 RMODEL
       R2 2 3 RMODEL
       C1 1 3 CMODEL
       C2 3 4 CMODEL
       XA1 4 5 2
       XA2 2 5 5
.ENDS SHP 
[SHP02]
.SUBCKT SHP 
       R1 4 0 RMODEL
       R2 2 3 RMODEL
       R3 5 0 RMODEL
       R4 2 5 RMODEL
       R5 6 7 RMODEL
       R6 7 0 RMODEL
       C1 3 4 CMODEL
       C2 1 3 CMODEL
       XA1 4 7 2
       XA2 5 7 6
.ENDS SHP 
[SHP03]
.SUBCKT SHP 
       R1 3 0 RMODEL
       R2 2 4 RMODEL
       C1 1 3 CMODEL
       C2 2 3 CMODEL
       C3 3 4 CMODEL
       XA1 0 4 5
       XA2 5 4 2
.ENDS SHP 
[SBP01]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 0 4 5
       XA2 5 4 2
.ENDS SBP 
[SBP02]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 5 0 RMODEL
       R4 2 5 RMODEL
       R5 6 7 RMODEL
       R6 2 7 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 7 4 2
       XA2 5 4 6
.ENDS SBP 
[SBP03]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 3 RMODEL
       R3 4 0 RMODEL
       R4 5 0 RMODEL
       R5 2 5 RMODEL
       R6 6 7 RMODEL
       R7 7 0 RMODEL
       C1 3 4 CMODEL
       C2 3 0 CMODEL
       XA1 4 7 2
       XA2 5 7 6
.ENDS SBP 
[SBP04]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 3 0 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 0 4 5
       XA2 5 4 2
.ENDS SBP 
[SBP05]
.SUBCKT SBP 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 3 0 RMODEL
       R4 5 0 RMODEL
       R5 2 5 RMODEL
       R6 6 7 RMODEL
       R7 2 7 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 7 4 2
       XA2 5 4 6
.ENDS SBP 
[SLPN01]
.SUBCKT SLPN 
       R1 1 3 RMODEL
       R2 2 4 RMODEL
       R3 1 5 RMODEL
       R4 3 0 RMODEL
       R5 4 0 RMODEL
       R6 5 0 RMODEL
       R7 2 5 RMODEL
       R8 6 7 RMODEL
       R9 2 7 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 5 4 6
       XA2 7 4 2
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
       XA1 5 4 6
       XA2 6 4 2
.ENDS SLPN 
[SHPN01]
.SUBCKT SHPN 
       R1 1 3 RMODEL
       R2 1 4 RMODEL
       R3 1 5 RMODEL
       R4 3 0 RMODEL
       R5 2 4 RMODEL
       R6 5 0 RMODEL
       R7 2 5 RMODEL
       R8 6 7 RMODEL
       R9 2 7 RMODEL
       C1 3 4 CMODEL
       C2 2 3 CMODEL
       XA1 5 4 6
       XA2 7 4 2
.ENDS SHPN 
[END]
)LIB";
}

}  // namespace tavrel
