#pragma once
#include <array>

#include "analysis/nodal_analysis.h"
#include "analysis/stage_coefficient.h"

namespace tavrel {

// A stage's function as the final response evaluates it:
// H(s) = k·(n3·s^3 + n2·s^2 + n1·s + n0)/(d3·s^3 + d2·s^2 + d1·s + d0), for an inverting
// circuit without its sign.
struct StageFunction {
    long double k = 0;
    std::array<long double, 4> n{};
    std::array<long double, 4> d{};
};

// Reads the coefficients of a circuit from the work arrays, filling what the routines leave
// to the caller and converting the unit-constant form to the monic one.
StageFunction ReadStageFunction(CoefficientWork& work, int stageType, int circuitIndex);

Complex EvaluateStageFunction(const StageFunction& f, Complex s);

// The phase in radians that the final response adds for a stage at angular frequency w:
// angle(N(jw)) - angle(D(jw)), each angle taken in [-pi/2, 3pi/2) so that a stage's curve runs
// on where its polynomials cross the negative real axis. Neither the sign of k nor the
// inversion of an inverting circuit is in it.
long double StagePhase(const StageFunction& f, long double w);

}  // namespace tavrel
