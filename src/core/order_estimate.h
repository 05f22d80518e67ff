#pragma once
#include "core/design_state.h"

namespace tavrel {

// The elliptic nome q of the selectivity S (k = 1/S), shared by the order estimate and
// the elliptic prototype.
long double EllipticNome(long double selectivity);

// The raw (real-valued) order of the lowpass prototype that meets the specification,
// for the four approximations with a closed-form estimate.
long double RawOrder(const DesignState& state, int approx);

// Rounds a raw order up to the integer order, leaving an exact integer as it is.
int CeilOrder(long double raw);

// The prototype order N of an approximation with a closed-form estimate: the forced
// order (halved for bandpass and bandstop) or the estimate. Returns kMaxOrder + 1 when
// no order can meet the specification, and 0 when it asks for no filter (Asb not above Apb).
int PrototypeOrder(const DesignState& state, int approx);

// Whether the raw order of the approximation had a fractional part (it was rounded up).
bool OrderWasRoundedUp(const DesignState& state, int approx);

// Sets Order, the pair counts and OrderTooHigh of the approximation's record for a
// prototype of order n. Returns false when the order is too high or below 1 (no poles follow).
bool SetPrototypeOrder(DesignState& state, int approx, int n);

}  // namespace tavrel
