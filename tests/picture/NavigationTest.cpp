// The views navigation steps ask for, through the real grid set-up and
// sampling geometry: the wheel keeps the point under the pointer, and no step
// leaves the accepted centres and lengths.

#include "picture/Navigation.h"

#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "picture/ReadoutPoint.h"
#include "tests/support/PictureArea.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace marn {
namespace {

constexpr float Cols = 640.5F, Rows = 401.0F, Left = 60.3F, Top = 55.0F;

// Framed and sampled without tile files: every grid point placed.
SharedState Sampled(const View& view)
{
    SharedState s;
    test::SetPictureArea(s, view.CenterLat, view.CenterLon, view.AreaLengthKm, Cols, Rows, Left, Top);
    s.DataDrive = "/no-tiles-here";
    SetUpGrid(s);
    EXPECT_EQ(SampleGridHeightsFast(s, {}), 0);
    return s;
}

struct WheelCase {
    const char* name;
    View view;
    float x, y; // pointer, fractions of the picture's width and height
    int notches;
};

class WheelZoom : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelZoom, KeepsThePointUnderThePointerWithinTwoPixels)
{
    const WheelCase& c = GetParam();
    const SharedState before = Sampled(c.view);
    const float x = Left + c.x * (Cols - 1), y = Top + c.y * (Rows - 1);
    const auto [i, j] = ReadoutGridIndex(before, x, y);
    const std::optional<View> zoomed = ZoomedViewAt(before, c.notches, x, y);
    ASSERT_TRUE(zoomed);
    EXPECT_EQ(zoomed->AreaLengthKm, std::ldexp(c.view.AreaLengthKm, -c.notches));
    EXPECT_LE(std::abs(zoomed->CenterLon), 180.0);

    const SharedState after = Sampled(*zoomed);
    const double lat = before.GridCoords(0, i, j);
    const double northKm = (after.GridCoords(0, i, j) - lat) * 111.2;
    const double eastKm = std::remainder(after.GridCoords(1, i, j) - before.GridCoords(1, i, j), 360.0) * 111.2
                          * std::cos(lat * 3.141592654 / 180);
    EXPECT_LE(std::hypot(northKm, eastKm), 2 * after.KmPerPixel);
}

INSTANTIATE_TEST_SUITE_P(Areas, WheelZoom,
    ::testing::Values(WheelCase{"InAtTheNorthWestCorner", {49.0, -123.5, 50}, 0.0F, 0.0F, 1},
        WheelCase{"OutOverThreeThousandKmInTheFarNorth", {70.0, 20.0, 1500}, 0.1F, 0.9F, -1},
        WheelCase{"TwoNotchesInAcrossTheDateLineInTheSouth", {-40.0, 179.9, 3000}, 0.95F, 0.5F, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct LimitCase {
    const char* name;
    View view;
    std::function<std::optional<View>(const SharedState&)> step;
    std::optional<View> expected;
};

class NavigationLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(NavigationLimits, GiveTheExpectedViewOrNone)
{
    const LimitCase& c = GetParam();
    SharedState s;
    test::SetPictureArea(s, c.view.CenterLat, c.view.CenterLon, c.view.AreaLengthKm, 1000, 800, 50, 50);
    SetUpGrid(s);
    const std::optional<View> got = c.step(s);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (got) {
        EXPECT_NEAR(got->CenterLat, c.expected->CenterLat, 1e-6);
        EXPECT_NEAR(got->CenterLon, c.expected->CenterLon, 1e-6);
        EXPECT_EQ(got->AreaLengthKm, c.expected->AreaLengthKm);
    }
}

const auto ZoomIn = [](const SharedState& s) { return ZoomedView(s, 1); };
const auto ZoomOut = [](const SharedState& s) { return ZoomedView(s, -1); };
const auto North = [](const SharedState& s) { return MovedView(s, Direction::North); };
const auto East = [](const SharedState& s) { return MovedView(s, Direction::East); };
const double HalfHeightDeg = 400 / 111.2; // half of 800 rows of 1 km

INSTANTIATE_TEST_SUITE_P(Steps, NavigationLimits,
    ::testing::Values(LimitCase{"InHalvesTheLength", {47, 8, 50}, ZoomIn, View{47, 8, 25}},
        LimitCase{"InRoundsHalvesUpToTwentyKm", {47, 8, 39}, ZoomIn, View{47, 8, 20}},
        LimitCase{"InBelowTwentyKmDoesNothing", {47, 8, 38}, ZoomIn, std::nullopt},
        LimitCase{"OutBeyondThreeThousandKmDoesNothing", {47, 8, 1501}, ZoomOut, std::nullopt},
        LimitCase{"NorthByHalfThePictureUpTo90Deg59Min", {90.98 - HalfHeightDeg, 8, 1000}, North, View{90.98, 8, 1000}},
        LimitCase{"NorthBeyond90Deg59MinDoesNothing", {90.99 - HalfHeightDeg, 8, 1000}, North, std::nullopt},
        LimitCase{"EastByHalfTheLengthOverTheDateLineWraps", {0, 178, 1112}, East, View{0, -177, 1112}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
