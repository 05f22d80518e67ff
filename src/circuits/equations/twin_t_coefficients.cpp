// Written by tools/derive_twin_t_coefficients.py from the netlist templates; do not edit.
#include "circuits/equations/twin_t_coefficients.h"

namespace tavrel {

namespace {
// [SLPN05] d0, numerator
long double SlpnTwinTD0Num(const ComponentValues&) { return 1; }
// [SLPN05] d0, denominator
long double SlpnTwinTD0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3] + v.C[1]*v.C[2]*v.C[4]*v.R[1]*v.R[2]*v.R[3]; }
// [SLPN05] d1, numerator
long double SlpnTwinTD1Num(const ComponentValues& v) { return v.C[1]*v.R[1]*v.R[5] + v.C[1]*v.R[2]*v.R[5] + v.C[1]*v.R[3]*v.R[4] + v.C[1]*v.R[3]*v.R[5] + v.C[2]*v.R[1]*v.R[5] + v.C[3]*v.R[3]*v.R[4] + v.C[3]*v.R[3]*v.R[5] + v.C[4]*v.R[3]*v.R[4] + v.C[4]*v.R[3]*v.R[5]; }
// [SLPN05] d1, denominator
long double SlpnTwinTD1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[5] + v.C[1]*v.C[2]*v.C[4]*v.R[1]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.C[4]*v.R[1]*v.R[2]*v.R[3]*v.R[5]; }
// [SLPN05] d2, numerator
long double SlpnTwinTD2Num(const ComponentValues& v) { return v.C[1]*v.C[2]*v.R[1]*v.R[2]*v.R[5] + v.C[1]*v.C[2]*v.R[1]*v.R[3]*v.R[5] + v.C[1]*v.C[3]*v.R[1]*v.R[3]*v.R[4] + v.C[1]*v.C[3]*v.R[1]*v.R[3]*v.R[5] + v.C[1]*v.C[3]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[3]*v.R[2]*v.R[3]*v.R[5] + v.C[1]*v.C[4]*v.R[1]*v.R[3]*v.R[4] + v.C[1]*v.C[4]*v.R[1]*v.R[3]*v.R[5] + v.C[1]*v.C[4]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[4]*v.R[2]*v.R[3]*v.R[5] + v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[5] + v.C[2]*v.C[4]*v.R[1]*v.R[3]*v.R[5]; }
// [SLPN05] d2, denominator
long double SlpnTwinTD2Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[5] + v.C[1]*v.C[2]*v.C[4]*v.R[1]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.C[4]*v.R[1]*v.R[2]*v.R[3]*v.R[5]; }
// [SLPN05] n0, numerator
long double SlpnTwinTN0Num(const ComponentValues&) { return 1; }
// [SLPN05] n0, denominator
long double SlpnTwinTN0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]; }
// [SLPN05] n1, numerator
long double SlpnTwinTN1Num(const ComponentValues& v) { return v.C[1] + v.C[3] + v.C[4]; }
// [SLPN05] n1, denominator
long double SlpnTwinTN1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]; }
// [SLPN05] n2, numerator
long double SlpnTwinTN2Num(const ComponentValues& v) { return v.R[1] + v.R[2]; }
// [SLPN05] n2, denominator
long double SlpnTwinTN2Den(const ComponentValues& v) { return v.C[2]*v.R[1]*v.R[2]; }
// [SHPN04] d0, numerator
long double ShpnTwinTD0Num(const ComponentValues& v) { return v.R[1] + v.R[2]; }
// [SHPN04] d0, denominator
long double ShpnTwinTD0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[4]*v.R[5] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4]*v.R[5] + v.C[1]*v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[4]*v.R[5]; }
// [SHPN04] d1, numerator
long double ShpnTwinTD1Num(const ComponentValues& v) { return v.C[1]*v.R[1]*v.R[2]*v.R[7] + v.C[1]*v.R[1]*v.R[3]*v.R[7] + v.C[1]*v.R[1]*v.R[4]*v.R[7] + v.C[1]*v.R[1]*v.R[5]*v.R[6] + v.C[1]*v.R[1]*v.R[5]*v.R[7] + v.C[1]*v.R[2]*v.R[3]*v.R[7] + v.C[1]*v.R[2]*v.R[4]*v.R[7] + v.C[1]*v.R[2]*v.R[5]*v.R[6] + v.C[1]*v.R[2]*v.R[5]*v.R[7] + v.C[2]*v.R[1]*v.R[5]*v.R[6] + v.C[2]*v.R[1]*v.R[5]*v.R[7] + v.C[2]*v.R[2]*v.R[5]*v.R[6] + v.C[2]*v.R[2]*v.R[5]*v.R[7] + v.C[3]*v.R[1]*v.R[2]*v.R[7] + v.C[3]*v.R[1]*v.R[3]*v.R[7] + v.C[3]*v.R[2]*v.R[3]*v.R[7]; }
// [SHPN04] d1, denominator
long double ShpnTwinTD1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[4]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[4]*v.R[5]*v.R[7]; }
// [SHPN04] d2, numerator
long double ShpnTwinTD2Num(const ComponentValues& v) { return v.C[1]*v.C[2]*v.R[1]*v.R[2]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.R[1]*v.R[2]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.R[1]*v.R[3]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.R[1]*v.R[3]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.R[1]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.R[1]*v.R[4]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.R[2]*v.R[3]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.R[2]*v.R[3]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.R[2]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.R[2]*v.R[4]*v.R[5]*v.R[7] + v.C[1]*v.C[3]*v.R[1]*v.R[2]*v.R[4]*v.R[7] + v.C[1]*v.C[3]*v.R[1]*v.R[2]*v.R[5]*v.R[7] + v.C[1]*v.C[3]*v.R[1]*v.R[3]*v.R[4]*v.R[7] + v.C[1]*v.C[3]*v.R[1]*v.R[3]*v.R[5]*v.R[7] + v.C[1]*v.C[3]*v.R[2]*v.R[3]*v.R[4]*v.R[7] + v.C[1]*v.C[3]*v.R[2]*v.R[3]*v.R[5]*v.R[7] + v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[5]*v.R[7] + v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[5]*v.R[7] + v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[5]*v.R[7]; }
// [SHPN04] d2, denominator
long double ShpnTwinTD2Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[4]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4]*v.R[5]*v.R[7] + v.C[1]*v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[4]*v.R[5]*v.R[6] + v.C[1]*v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[4]*v.R[5]*v.R[7]; }
// [SHPN04] n0, numerator
long double ShpnTwinTN0Num(const ComponentValues& v) { return v.R[2]; }
// [SHPN04] n0, denominator
long double ShpnTwinTN0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[4]*v.R[5] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4]*v.R[5] + v.C[1]*v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[4]*v.R[5]; }
// [SHPN04] n1, numerator
long double ShpnTwinTN1Num(const ComponentValues& v) { return v.C[1]*v.R[2] + v.C[2]*v.R[2]; }
// [SHPN04] n1, denominator
long double ShpnTwinTN1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[4] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.C[3]*v.R[2]*v.R[3]*v.R[4]; }
// [SHPN04] n2, numerator
long double ShpnTwinTN2Num(const ComponentValues& v) { return v.R[1]*v.R[2] + v.R[1]*v.R[3] + v.R[1]*v.R[4] + v.R[2]*v.R[3] + v.R[2]*v.R[4]; }
// [SHPN04] n2, denominator
long double ShpnTwinTN2Den(const ComponentValues& v) { return v.C[3]*v.R[1]*v.R[2]*v.R[4] + v.C[3]*v.R[1]*v.R[3]*v.R[4] + v.C[3]*v.R[2]*v.R[3]*v.R[4]; }
// [SN01] d0, numerator
long double SallenKeyNotchD0Num(const ComponentValues&) { return 1; }
// [SN01] d0, denominator
long double SallenKeyNotchD0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]; }
// [SN01] d1, numerator
long double SallenKeyNotchD1Num(const ComponentValues& v) { return v.C[1]*v.R[3]*v.R[4] - v.C[2]*v.R[1]*v.R[5] - v.C[2]*v.R[2]*v.R[5] + v.C[2]*v.R[3]*v.R[4] + v.C[3]*v.R[1]*v.R[4]; }
// [SN01] d1, denominator
long double SallenKeyNotchD1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[4]; }
// [SN01] d2, numerator
long double SallenKeyNotchD2Num(const ComponentValues& v) { return v.C[1]*v.C[2]*v.R[1]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[3]*v.R[1]*v.R[3]*v.R[4] - v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[5] + v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[4]; }
// [SN01] d2, denominator
long double SallenKeyNotchD2Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[4]; }
// [SN01] n0, numerator
long double SallenKeyNotchN0Num(const ComponentValues&) { return 1; }
// [SN01] n0, denominator
long double SallenKeyNotchN0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]; }
// [SN01] n1, numerator
long double SallenKeyNotchN1Num(const ComponentValues& v) { return v.C[1] + v.C[2]; }
// [SN01] n1, denominator
long double SallenKeyNotchN1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]; }
// [SN01] n2, numerator
long double SallenKeyNotchN2Num(const ComponentValues& v) { return v.R[1] + v.R[2]; }
// [SN01] n2, denominator
long double SallenKeyNotchN2Den(const ComponentValues& v) { return v.C[3]*v.R[1]*v.R[2]; }
// [SN03] d0, numerator
long double TwinTNotchD0Num(const ComponentValues&) { return 1; }
// [SN03] d0, denominator
long double TwinTNotchD0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]; }
// [SN03] d1, numerator
long double TwinTNotchD1Num(const ComponentValues& v) { return v.C[1]*v.R[3]*v.R[4] + v.C[1]*v.R[3]*v.R[5] + v.C[2]*v.R[1]*v.R[5] + v.C[2]*v.R[2]*v.R[5] + v.C[2]*v.R[3]*v.R[4] + v.C[2]*v.R[3]*v.R[5] + v.C[3]*v.R[1]*v.R[5]; }
// [SN03] d1, denominator
long double TwinTNotchD1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[5]; }
// [SN03] d2, numerator
long double TwinTNotchD2Num(const ComponentValues& v) { return v.C[1]*v.C[2]*v.R[1]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.R[1]*v.R[3]*v.R[5] + v.C[1]*v.C[2]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.R[2]*v.R[3]*v.R[5] + v.C[1]*v.C[3]*v.R[1]*v.R[3]*v.R[5] + v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[5] + v.C[2]*v.C[3]*v.R[1]*v.R[3]*v.R[5]; }
// [SN03] d2, denominator
long double TwinTNotchD2Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[4] + v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]*v.R[5]; }
// [SN03] n0, numerator
long double TwinTNotchN0Num(const ComponentValues&) { return 1; }
// [SN03] n0, denominator
long double TwinTNotchN0Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]*v.R[3]; }
// [SN03] n1, numerator
long double TwinTNotchN1Num(const ComponentValues& v) { return v.C[1] + v.C[2]; }
// [SN03] n1, denominator
long double TwinTNotchN1Den(const ComponentValues& v) { return v.C[1]*v.C[2]*v.C[3]*v.R[1]*v.R[2]; }
// [SN03] n2, numerator
long double TwinTNotchN2Num(const ComponentValues& v) { return v.R[1] + v.R[2]; }
// [SN03] n2, denominator
long double TwinTNotchN2Den(const ComponentValues& v) { return v.C[3]*v.R[1]*v.R[2]; }

}  // namespace

const CubicPolynomials& SlpnTwinTCubics() {
    static const CubicPolynomials cubics{{{{SlpnTwinTD0Num, SlpnTwinTD0Den}, {SlpnTwinTD1Num, SlpnTwinTD1Den}, {SlpnTwinTD2Num, SlpnTwinTD2Den}}}, {{{SlpnTwinTN0Num, SlpnTwinTN0Den}, {SlpnTwinTN1Num, SlpnTwinTN1Den}, {SlpnTwinTN2Num, SlpnTwinTN2Den}}}};
    return cubics;
}

const CubicPolynomials& ShpnTwinTCubics() {
    static const CubicPolynomials cubics{{{{ShpnTwinTD0Num, ShpnTwinTD0Den}, {ShpnTwinTD1Num, ShpnTwinTD1Den}, {ShpnTwinTD2Num, ShpnTwinTD2Den}}}, {{{ShpnTwinTN0Num, ShpnTwinTN0Den}, {ShpnTwinTN1Num, ShpnTwinTN1Den}, {ShpnTwinTN2Num, ShpnTwinTN2Den}}}};
    return cubics;
}

const CubicPolynomials& SallenKeyNotchCubics() {
    static const CubicPolynomials cubics{{{{SallenKeyNotchD0Num, SallenKeyNotchD0Den}, {SallenKeyNotchD1Num, SallenKeyNotchD1Den}, {SallenKeyNotchD2Num, SallenKeyNotchD2Den}}}, {{{SallenKeyNotchN0Num, SallenKeyNotchN0Den}, {SallenKeyNotchN1Num, SallenKeyNotchN1Den}, {SallenKeyNotchN2Num, SallenKeyNotchN2Den}}}};
    return cubics;
}

const CubicPolynomials& TwinTNotchCubics() {
    static const CubicPolynomials cubics{{{{TwinTNotchD0Num, TwinTNotchD0Den}, {TwinTNotchD1Num, TwinTNotchD1Den}, {TwinTNotchD2Num, TwinTNotchD2Den}}}, {{{TwinTNotchN0Num, TwinTNotchN0Den}, {TwinTNotchN1Num, TwinTNotchN1Den}, {TwinTNotchN2Num, TwinTNotchN2Den}}}};
    return cubics;
}

}  // namespace tavrel
