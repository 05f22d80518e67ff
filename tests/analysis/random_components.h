#pragma once
#include <cmath>
#include <random>

#include "analysis/stage_coefficient.h"

namespace tavrel::testing_support {

// Component values of five significant digits (so a netlist carries them exactly),
// resistors from 1 kOhm to 100 kOhm and capacitors from 1 nF to 100 nF.
inline long double FiveDigits(std::mt19937& rng, long double low) {
    std::uniform_int_distribution<int> mantissa(10000, 99999), decade(0, 1);
    return mantissa(rng) * 1e-4L * low * std::pow(10.0L, static_cast<long double>(decade(rng)));
}

inline CoefficientWork RandomWork(std::mt19937& rng) {
    CoefficientWork work;
    for (size_t i = 1; i < work.R.size(); ++i) {
        work.R[i] = FiveDigits(rng, 1000);
        work.G[i] = 1 / work.R[i];
    }
    for (size_t j = 1; j < work.C.size(); ++j) {
        work.C[j] = FiveDigits(rng, 1e-9L);
        work.D[j] = 1 / work.C[j];
    }
    return work;
}

inline void SetResistor(CoefficientWork& work, size_t i, long double ohms) {
    work.R[i] = ohms;
    work.G[i] = 1 / ohms;
}

// The Berka-Herpy lowpass (circuit 22) and highpass (circuit 34) templates have a numerator
// s term that their lowpass and highpass normal forms leave out. By the symbolic nodal
// analysis of the templates it is proportional to R1·R6 - R2·R5 (lowpass) and to
// R5·(R1·R7 + R1·R8 + R2·R7) - R2·R6·R8 (highpass): it vanishes for the values the design
// equations give (equal R1, R2, R5, R6; or R2 = 2·R1, R7 = R8/3 and R5 = R6). Sets R6 so that
// the term vanishes; other circuits are left alone.
inline void MakeSTermVanish(CoefficientWork& w, int circuitNo) {
    if (circuitNo == 22) SetResistor(w, 6, w.R[2] * w.R[5] / w.R[1]);
    if (circuitNo == 34) SetResistor(w, 6, w.R[5] * (w.R[1] * w.R[7] + w.R[1] * w.R[8] + w.R[2] * w.R[7]) / (w.R[2] * w.R[8]));
}

}  // namespace tavrel::testing_support
