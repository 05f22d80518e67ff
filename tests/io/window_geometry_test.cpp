#include "io/window_geometry.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/case_name.h"

namespace tavrel {
namespace {

struct GeometryCase {
    const char* name;
    WindowGeometry kept;
    WindowGeometry fitted;
};
void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

// A 1920 x 1040 area below a 40-pixel panel; the program prefers 1100 x 720.
constexpr ScreenArea kArea{0, 40, 1920, 1040};

class FittedToScreenTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(FittedToScreenTest, InsideTheArea) {
    const WindowGeometry g = FittedToScreen(GetParam().kept, kArea, 1100, 720);
    const WindowGeometry& want = GetParam().fitted;
    EXPECT_EQ(g.x, want.x);
    EXPECT_EQ(g.y, want.y);
    EXPECT_EQ(g.width, want.width);
    EXPECT_EQ(g.height, want.height);
    EXPECT_EQ(g.maximized, want.maximized);
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, FittedToScreenTest,
    ::testing::Values(GeometryCase{"unknown is centered", {}, {410, 200, 1100, 720, false}},
                      GeometryCase{"inside stays", {100, 100, 800, 600, true}, {100, 100, 800, 600, true}},
                      GeometryCase{"off to the right comes back", {3000, 500, 800, 600}, {1120, 480, 800, 600}},
                      GeometryCase{"above the panel comes down", {10, 0, 800, 600}, {10, 40, 800, 600}},
                      GeometryCase{"too large shrinks", {-50, -50, 4000, 3000}, {0, 40, 1920, 1040}}),
    testing_support::PrintedName());

}  // namespace
}  // namespace tavrel
