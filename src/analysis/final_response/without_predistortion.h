#pragma once
#include <memory>

#include "circuits/records/design.h"

namespace tavrel {

// The final responses use ideal op amps, so a stage predistorted for its op amp's finite GBW
// would show the predistortion as an error of its own. When any stage is predistorted, this
// is a copy of the design with every predistortion choice cleared and the components
// recalculated (keeping every stage's capacitor choice); otherwise null, and the design is
// used as it is. The design itself is never touched, so it is left exactly as it was.
std::unique_ptr<Design> WithoutPredistortion(const Design& design);

// The design the final responses are computed from: the copy above when there is one.
class ResponseDesign {
public:
    explicit ResponseDesign(const Design& design) : copy_(WithoutPredistortion(design)), design_(copy_ ? *copy_ : design) {}
    const Design& operator*() const { return design_; }
    const Design* operator->() const { return &design_; }

private:
    std::unique_ptr<Design> copy_;
    const Design& design_;
};

}  // namespace tavrel
