// The bands the specification mask is drawn over, checked against the default designs of
// each kind worked by hand (kHz entries, so 1 kHz is 2000 pi rad/s).
#include "core/band_edges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "calc_fixture.h"
#include "core/math_helpers.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

using testing::Calculated;
using testing::Spec;

constexpr long double kKilohertz = 2000 * kPi;
const long double kTop = INFINITY;

struct BandCase {
    const char* name;
    Spec spec;
    std::vector<FrequencyBand> passbands, stopbands;  // in kHz
};
void PrintTo(const BandCase& c, std::ostream* os) { *os << c.name; }

// Edges of a band of width b about a center f0 with f1 f2 = f0^2, solved by hand:
// f1 = sqrt(f0^2 + b^2/4) - b/2.
long double Lower(long double f0, long double b) { return std::sqrt(f0 * f0 + b * b / 4) - b / 2; }

class BandEdgesTest : public ::testing::TestWithParam<BandCase> {};

void ExpectBands(const std::vector<FrequencyBand>& got, const std::vector<FrequencyBand>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
        for (auto [g, w] : {std::pair{got[i].lo, want[i].lo}, std::pair{got[i].hi, want[i].hi}}) {
            if (std::isinf(w))
                EXPECT_TRUE(std::isinf(g));
            else
                EXPECT_NEAR(static_cast<double>(g / kKilohertz), static_cast<double>(w), 1e-9) << "band " << i;
        }
}

TEST_P(BandEdgesTest, EdgesOfTheDefaults) {
    const DesignState state = Calculated(GetParam().spec);
    const SpecifiedBands bands = SpecificationBands(state);
    ExpectBands(bands.passbands, GetParam().passbands);
    ExpectBands(bands.stopbands, GetParam().stopbands);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BandEdgesTest,
    ::testing::Values(
        BandCase{"lowpass", {}, {{0, 1}}, {{2, kTop}}},
        BandCase{"highpass", {.kind = FilterKind::Highpass}, {{2, kTop}}, {{0, 1}}},
        // Bandpass: 1 kHz passband and 2 kHz stopband bandwidth about 2 kHz.
        BandCase{"bandpass", {.kind = FilterKind::Bandpass}, {{Lower(2, 1), Lower(2, 1) + 1}},
                 {{0, Lower(2, 2)}, {Lower(2, 2) + 2, kTop}}},
        // Bandstop: 2 kHz passband bandwidth, 1 kHz stopband bandwidth about 2 kHz.
        BandCase{"bandstop", {.kind = FilterKind::Bandstop}, {{0, Lower(2, 2)}, {Lower(2, 2) + 2, kTop}},
                 {{Lower(2, 1), Lower(2, 1) + 1}}},
        BandCase{"forced order leaves the stopband open", {.forced = "5"}, {{0, 1}}, {}}),
    testing_support::PrintedName());

TEST(BandEdges, BandpassEdgesAreGeometricallySymmetric) {
    const DesignState state = Calculated({.kind = FilterKind::Bandpass, .f1 = "0.3", .f2 = "1.7", .f0 = "5"});
    for (const FrequencyBand& band : {SpecificationBands(state).passbands[0]}) {
        EXPECT_NEAR(static_cast<double>(band.lo * band.hi / (state.W0 * state.W0)), 1.0, 1e-12);
        EXPECT_NEAR(static_cast<double>((band.hi - band.lo) / state.Bpb), 1.0, 1e-12);
    }
}

}  // namespace
}  // namespace tavrel
