// The views navigation steps ask for, through the real grid set-up and
// sampling geometry: the wheel keeps the point under the pointer, no step
// leaves the accepted centres and lengths, and "Back" remembers fifty views.

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

TEST(Navigation, TheWheelKeepsThePointUnderThePointerWithinTwoPixels)
{
    const struct {
        View view;
        float x, y; // pointer, fractions of the picture's width and height
        int notches;
    } table[] = {{{49.0, -123.5, 50}, 0.0F, 0.0F, 1}, {{70.0, 20.0, 1500}, 0.1F, 0.9F, -1},
        {{-40.0, 179.9, 3000}, 0.95F, 0.5F, 2}}; // across the date line
    for (const auto& c : table) {
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
        EXPECT_LE(std::hypot(northKm, eastKm), 2 * after.KmPerPixel) << c.view.CenterLat << ", " << c.view.CenterLon;
    }
}

TEST(Navigation, StepsGiveTheExpectedViewOrNoneBeyondTheLimits)
{
    const auto zoomIn = [](const SharedState& s) { return ZoomedView(s, 1); };
    const auto zoomOut = [](const SharedState& s) { return ZoomedView(s, -1); };
    const auto north = [](const SharedState& s) { return MovedView(s, Direction::North); };
    const auto east = [](const SharedState& s) { return MovedView(s, Direction::East); };
    const double halfHeightDeg = 400 / 111.2; // half of 800 rows of 1 km
    const struct {
        const char* name;
        View view;
        std::function<std::optional<View>(const SharedState&)> step;
        std::optional<View> expected;
    } table[] = {{"in halves the length", {47, 8, 50}, zoomIn, View{47, 8, 25}},
        {"in rounds halves up to 20 km", {47, 8, 39}, zoomIn, View{47, 8, 20}},
        {"in below 20 km", {47, 8, 38}, zoomIn, std::nullopt},
        {"out beyond 3000 km", {47, 8, 1501}, zoomOut, std::nullopt},
        {"north up to 90 deg 59 min", {90.98 - halfHeightDeg, 8, 1000}, north, View{90.98, 8, 1000}},
        {"north beyond 90 deg 59 min", {90.99 - halfHeightDeg, 8, 1000}, north, std::nullopt},
        {"east over the date line", {0, 178, 1112}, east, View{0, -177, 1112}}};
    for (const auto& c : table) {
        SharedState s;
        test::SetPictureArea(s, c.view.CenterLat, c.view.CenterLon, c.view.AreaLengthKm, 1000, 800, 50, 50);
        SetUpGrid(s);
        const std::optional<View> got = c.step(s);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
        if (got) {
            EXPECT_NEAR(got->CenterLat, c.expected->CenterLat, 1e-6) << c.name;
            EXPECT_NEAR(got->CenterLon, c.expected->CenterLon, 1e-6) << c.name;
            EXPECT_EQ(got->AreaLengthKm, c.expected->AreaLengthKm) << c.name;
        }
    }
}

TEST(Navigation, BackRemembersTheLatestFiftyViews)
{
    ViewHistory history;
    for (int k = 0; k <= 50; ++k)
        history.push(View{0, 0, static_cast<std::int16_t>(100 + k)});
    for (int k = 50; k >= 1; --k)
        EXPECT_EQ(history.pop(), (View{0, 0, static_cast<std::int16_t>(100 + k)}));
    EXPECT_FALSE(history.pop());
}

} // namespace
} // namespace marn
