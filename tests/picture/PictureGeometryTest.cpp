// The picture's geometry: layout, scale bar, the grid point under the pointer,
// and the views the navigation steps ask for, through the real grid set-up.

#include "core/SharedState.h"
#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "picture/Navigation.h"
#include "picture/PictureCache.h"
#include "picture/PictureLayout.h"
#include "picture/ReadoutPoint.h"
#include "tests/support/PictureArea.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <tuple>

namespace marn {
namespace {

constexpr double At96Dpi = 15.0;

TEST(PictureLayout, LegendAndFontsFollowTheScreenHeight)
{
    const struct {
        int height;
        float legendStep;
        std::int16_t fontSize;
        bool title12;
        std::int16_t swatch;
    } table[] = {{768, 0.035F, 11, true, 25}, {999, 0.035F, 11, true, 33}, {1000, 0.04F, 12, false, 33},
        {1200, 0.04F, 12, false, 40}};
    for (const auto& c : table) {
        const PictureLayout l = ComputePictureLayout(1600, c.height, At96Dpi, 0.0F, 0.0F);
        EXPECT_EQ(std::tuple(l.LegendStep, l.ReadoutFontSize, l.Label1FontSize12, l.SwatchSize),
            std::tuple(c.legendStep, c.fontSize, c.title12, c.swatch))
            << c.height;
    }
}

TEST(ScaleBar, StepsTheLengthDownToARoundOne)
{
    const std::pair<float, float> table[] = {{2.7F, 2.7F}, {4.99F, 4.99F}, {5.0F, 5.0F}, {9.99F, 5.0F}, {10.0F, 10.0F},
        {19.9F, 10.0F}, {20.0F, 20.0F}, {49.9F, 20.0F}, {50.0F, 50.0F}, {99.9F, 50.0F}, {100.0F, 100.0F},
        {199.9F, 100.0F}, {200.0F, 200.0F}, {499.9F, 200.0F}, {500.0F, 500.0F}, {999.9F, 500.0F}, {1000.0F, 1000.0F},
        {9000.0F, 1000.0F}};
    for (const auto& [raw, stepped] : table)
        EXPECT_EQ(StepScaleKm(raw), stepped) << raw;
    // 20 / 2000 * 270 = 2.7 km stays 2.7 km and reads 3 km
    EXPECT_EQ(ComputeScaleBar(20, 2000.0F, 1000.0F, 800.0F).caption, "Scale for 3 km");
    EXPECT_THROW(ComputeScaleBar(0, 639.0F, 1024.0F, 768.0F), std::invalid_argument);
}

// A picture area with its grids dimensioned as the window dimensions them.
SharedState Framed(float picLeft, float picRight, float picTop, float picBottom)
{
    SharedState s;
    test::SetPictureArea(s, 0, 0, 50, static_cast<float>(static_cast<double>(picRight) - picLeft + 1.0),
        static_cast<float>(static_cast<double>(picBottom) - picTop + 1.0), picLeft, picTop);
    s.GridHeights.dimension(static_cast<int>(std::nearbyint(s.PicCols)), static_cast<int>(std::nearbyint(s.PicRows)));
    s.GridCoords.dimension(s.GridHeights.maxCol(), s.GridHeights.maxRow());
    return s;
}

TEST(Readout, ColumnUnderThePointerIsASampledOne)
{
    const struct {
        float picLeft, picRight, x;
        int i;
    } table[] = {{100.0F, 199.0F, 100.0F, 1}, {100.0F, 199.0F, 100.9F, 1}, {100.0F, 199.0F, 105.3F, 6},
        {100.0F, 199.0F, 199.0F, 100},
        // halves go to the even column
        {101.5F, 199.0F, 103.0F, 2}, {101.5F, 199.0F, 104.0F, 4},
        // index 0 with a fractional PicLeft is never sampled: column 1 is shown
        {101.7F, 199.0F, 101.7F, 1},
        // 201 - 100.5 + 1 = 101.5 rounds to 102, beyond floor(101.8): column 101 is shown
        {100.5F, 201.3F, 201.3F, 101}};
    for (const auto& c : table) {
        const SharedState state = Framed(c.picLeft, c.picRight, 50.0F, 149.0F);
        EXPECT_EQ(ReadoutGridIndex(state, c.x, 60.0F), std::make_pair(c.i, 11)) << c.picLeft << " " << c.x;
    }
    const SharedState deep = Framed(100.0F, 199.0F, 50.5F, 151.3F);
    EXPECT_EQ(ReadoutGridIndex(deep, 100.0F, 151.3F).second, 101);
    EXPECT_EQ(ReadoutGridIndex(SharedState{}, 15.0F, 15.0F), std::make_pair(0, 0));
}

constexpr float Cols = 640.5F, Rows = 401.0F, Left = 60.3F, Top = 55.0F;

// Framed and sampled without tile files: every grid point placed.
SharedState Sampled(const View& view)
{
    SharedState s;
    test::SetPictureArea(s, view.CenterLat, view.CenterLon, view.AreaLengthKm, Cols, Rows, Left, Top);
    s.DataDrive = "/no-tiles-here";
    SetUpGrid(s, s);
    EXPECT_EQ(SampleGridHeightsFast(s, s.Reader, s, {}), 0);
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
        const std::optional<View> zoomed = ZoomedViewAt(before, before, c.notches, x, y);
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
    const auto north = [](const SharedState& s) { return MovedView(s, s, Direction::North); };
    const auto east = [](const SharedState& s) { return MovedView(s, s, Direction::East); };
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
        SetUpGrid(s, s);
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

// The preview of a step: scale and shift in pixels of 1 km (1000 km on 1000
// columns), worked by hand: a degree is 111.2 km, along the equator too.
TEST(Navigation, PreviewScalesAndShiftsTheShownPictureTowardsTheNextView)
{
    const struct {
        View from, to;
        PreviewShift expected;
    } table[] = {{{0, 0, 1000}, {0, 0, 500}, {2.0, 0.0, 0.0}}, {{0, 0, 1000}, {0, 0, 2000}, {0.5, 0.0, 0.0}},
        {{0, 0, 1000}, {0, 500 / 111.2, 1000}, {1.0, 500.0, 0.0}}, {{0, 0, 1000}, {1.0, 0, 1000}, {1.0, 0.0, -111.2}},
        {{0, 179, 1000}, {0, -179, 1000}, {1.0, 222.4, 0.0}}}; // over the date line
    for (const auto& c : table) {
        SharedState s;
        test::SetPictureArea(s, c.from.CenterLat, c.from.CenterLon, c.from.AreaLengthKm, 1000, 800, 50, 50);
        SetUpGrid(s, s);
        const PreviewShift got = PreviewOf(s, s, c.to);
        EXPECT_NEAR(got.scale, c.expected.scale, 1e-9) << c.to.CenterLon;
        EXPECT_NEAR(got.dx, c.expected.dx, 1e-3) << c.to.CenterLon;
        EXPECT_NEAR(got.dy, c.expected.dy, 1e-3) << c.to.CenterLat;
    }
}

// The cache keeps the newest pictures within its budget and hands each out once.
TEST(PictureCache, DropsTheOldestBeyondItsBudget)
{
    const auto picture = [](std::int16_t km) {
        CachedPicture p;
        p.view = {0, 0, km};
        p.pixels = QImage(100, 100, QImage::Format_RGB32); // 40000 bytes
        return p;
    };
    PictureCache cache(100000);
    for (const std::int16_t km : {20, 40, 80, 40})
        cache.put(picture(km));
    EXPECT_EQ(cache.size(), 2U);
    EXPECT_EQ(cache.bytes(), 80000U);
    EXPECT_FALSE(cache.take({0, 0, 20}));
    EXPECT_TRUE(cache.take({0, 0, 40}));
    EXPECT_FALSE(cache.take({0, 0, 40})) << "taken once";
    EXPECT_TRUE(cache.take({0, 0, 80}));
}

} // namespace
} // namespace marn
