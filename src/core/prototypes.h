#pragma once
#include "core/design_state.h"

namespace tavrel {

// The closed-form lowpass prototypes. Each sets the order of the approximation's slot
// and, unless the order is too high, its normalized poles, zeros and gain constant.
void ButterworthPrototype(DesignState& state);
void ChebyshevPrototype(DesignState& state);
void InverseChebyshevPrototype(DesignState& state);
// Returns false when the approximation cannot be built (its real pole would not lie in
// the left half-plane); the caller marks it failed.
bool EllipticPrototype(DesignState& state);

// The ripple factor of the inverse Chebyshev prototype of order n: from Asb when the
// estimated order was an exact integer, otherwise (rounded up or forced) so that the
// passband edge 1/S has exactly Apb.
long double InverseChebyshevEpsilon(const DesignState& state, int n, bool exactOrder);

// Stores the normalized pole pair -sigma +- j omega as pair k of the slot.
void StoreNormalizedPolePair(DesignState& state, int approx, int k, long double sigma, long double omega);

}  // namespace tavrel
