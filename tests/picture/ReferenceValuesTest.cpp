// The picture area, the grid's frame, sampled and read heights and class limits
// against values worked out apart from the code by scripts/reference-values.py (the
// rules evaluated in doubles, with IEEE single rounding where a value is
// stored as a single): equal to the last bit, however the compiler optimises.

#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "core/SharedState.h"
#include "core/TileReader.h"
#include "picture/HeightClasses.h"
#include "picture/PictureLayout.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace marn {
namespace {

constexpr double At96Dpi = 15.0;

// The values as exact decimals, so that a failure shows the last bits.
template <typename T, std::size_t N>
std::array<std::string, N> Exact(const std::array<T, N>& values)
{
    std::array<std::string, N> texts;
    for (std::size_t k = 0; k < N; ++k) {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", static_cast<double>(values[k]));
        texts[k] = text;
    }
    return texts;
}

TEST(ReferenceValues, PictureAreaOfEachScreen)
{
    const struct {
        int w, h;
        std::array<float, 6> area; // PicLeft, PicRight, PicTop, PicBottom, PicCols, PicRows
    } table[] = {
        {427, 320, {67.427F, 294.63F, 55.32F, 247.8F, 228.203F, 193.48001F}},
        {480, 320, {67.48F, 331.2F, 55.32F, 247.8F, 264.72F, 193.48001F}},
        {640, 480, {67.64F, 441.6F, 55.48F, 386.2F, 374.96002F, 331.72F}},
        {700, 500, {67.7F, 483.0F, 55.5F, 403.5F, 416.3F, 349.0F}},
        {800, 600, {67.8F, 552.0F, 55.6F, 490.0F, 485.2F, 435.4F}},
        {1024, 768, {68.024F, 706.56F, 55.768F, 635.32F, 639.536F, 580.552F}},
        {1280, 800, {68.28F, 883.2F, 55.8F, 663.0F, 815.92004F, 608.2F}},
        {1280, 1024, {68.28F, 883.2F, 56.024F, 856.76F, 815.92004F, 801.736F}},
        {1366, 768, {68.366F, 942.54F, 55.768F, 635.32F, 875.17395F, 580.552F}},
        {1920, 1080, {68.92F, 1324.8F, 56.08F, 905.2F, 1256.88F, 850.12F}},
        {2560, 1440, {69.56F, 1766.4F, 56.44F, 1216.6F, 1697.8401F, 1161.16F}},
        {3840, 2160, {70.84F, 2649.6F, 57.16F, 1839.4F, 2579.76F, 1783.24F}},
    };
    for (const auto& c : table) {
        const PictureLayout l = ComputePictureLayout(c.w, c.h, At96Dpi, 0.0F, 0.0F);
        EXPECT_EQ(Exact(std::array{l.PicLeft, l.PicRight, l.PicTop, l.PicBottom, l.PicCols, l.PicRows}), Exact(c.area))
            << c.w << " x " << c.h;
    }
}

// The test tile's node lat/lonSeconds north and east of its south-west corner:
// neighbouring nodes differ by up to 32000 m, so that a point placed a little
// off shows in its height.
std::int16_t NodeHeight(int latSeconds, int lonSeconds, int lonStep)
{
    const int h = ((latSeconds / 3) * 7919 + (lonSeconds / lonStep) * 104729) % 32001 - 16000;
    return static_cast<std::int16_t>(h == NoData ? h + 1 : h);
}

// Writes the test tile whose south-west corner is (south, west).
void WriteTestTile(const std::string& dir, int south, int west)
{
    const int lonStep = std::abs(south) < 50 ? 3 : 6;
    test::WriteTile(dir, south, west, [&](double lat, double lon) {
        return NodeHeight(static_cast<int>(std::lround((lat - south) * 3600)),
            static_cast<int>(std::lround((lon - west) * 3600)), lonStep);
    });
}

TEST(ReferenceValues, FrameAndHeightsOfOneAreaPerScreen)
{
    const struct {
        int w, h;
        double lat, lon;
        std::int16_t km;
        // KmPerPixel, LonMid, LatS, LatN, LatNW, LonNW, LatNE, LonNE, LatSW, LonSW, LatSE, LonSE
        std::array<double, 12> frame;
        // columns 1, floor(PicCols) / 2 and floor(PicCols) of rows 1 and floor(PicRows)
        std::array<std::int16_t, 6> heights;
    } table[] = {
        {640, 480, 47.5, 7.5, 60,
            {0.16001705911030553, 7.501064984567847, 47.26060757971554, 47.73795343442241, 47.73725448383592,
                7.0999158836461245, 47.7372544836146, 7.902214085486834, 47.25992022262245, 7.103546427192945,
                47.25992022240112, 7.898583541940918},
            {-5556, -2474, -708, -289, -6518, -6687}},
        {1280, 1024, 55.5, 10.5, 50,
            {0.061280514397255424, 10.500486472940771, 55.278812602909916, 55.72063630702088, 55.719989213054156,
                10.101327557773939, 55.71998921286971, 10.899645388106688, 55.278176110916554, 10.105780962675714,
                55.278176110732126, 10.89519198320397},
            {1347, 7197, 3371, -4685, 9911, -9402}},
        {1366, 768, -33.5, -70.5, 80,
            {0.09141039902084198, -70.49950712875584, -33.73902832824282, -33.26179370458378, -33.26105306390743,
                -70.92969333087103, -33.26105306420254, -70.06932092663979, -33.738274161958465, -70.93207148681833,
                -33.738274162253575, -70.06694277069249},
            {8280, 17968, -1280, 4830, -1471, -4776}},
        {427, 320, 0.5, -0.5, 90,
            {0.3943856953877607, -0.4982266155061498, 0.15512528156121205, 0.8413280574287895, 0.8413070714214129,
                -0.9029465165093777, 0.8413070710894137, -0.09350671450292175, 0.15512141260262002, -0.9029043693989833,
                0.1551214122706208, -0.09354886161421944},
            {7902, -3934, -9240, 1732, 8123, 3673}},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        const test::TempDir dir;
        WriteTestTile(dir.path(), static_cast<int>(std::floor(c.lat)), static_cast<int>(std::floor(c.lon)));
        SharedState s;
        static_cast<PictureArea&>(s) = ComputePictureLayout(c.w, c.h, At96Dpi, 0.0F, 0.0F);
        s.CenterLat = c.lat;
        s.CenterLon = c.lon;
        s.AreaLengthKm = c.km;
        s.DataDrive = dir.path();
        SetUpGrid(s, s);
        EXPECT_EQ(Exact(std::array{s.KmPerPixel, s.LonMid, s.LatS, s.LatN, s.LatNW, s.LonNW, s.LatNE, s.LonNE, s.LatSW,
                      s.LonSW, s.LatSE, s.LonSE}),
            Exact(c.frame));
        ASSERT_EQ(SampleGridHeightsFast(s, s.Reader, s, {}, 1), 0);
        const int cols = static_cast<int>(std::floor(s.PicCols));
        const int rows = static_cast<int>(std::floor(s.PicRows));
        const auto& g = s.GridHeights;
        EXPECT_EQ(
            (std::array{g(1, 1), g(cols / 2, 1), g(cols, 1), g(1, rows), g(cols / 2, rows), g(cols, rows)}), c.heights);
    }
}

// Points where the interpolants between the southern and the northern nodes,
// held as singles, give another whole metre than the same values in double.
TEST(ReferenceValues, ReaderHeightsWithTheInterpolantsHeldAsSingles)
{
    const test::TempDir dir;
    WriteTestTile(dir.path(), 47, 7);
    WriteTestTile(dir.path(), 55, 10);
    const DataLocation data{dir.path(), ""};
    TileReaderState reader;
    const struct {
        double lat, lon;
        std::int16_t height;
    } table[] = {
        {47.53154651040282, 7.737495255646365, -10758},
        {47.11176770277211, 7.862328040160763, -4600},
        {47.11179715134231, 7.157449202402113, 7290},
        {55.76242032181475, 10.6693945471115, -5790},
        {55.38452680004995, 10.079966426861866, -7373},
        {55.102010388406576, 10.321897832663211, -1176},
    };
    for (const auto& c : table) {
        double lon = c.lon;
        std::int16_t height = 0;
        std::int16_t error = -1;
        ReadTileHeight(data, reader, c.lat, lon, height, error);
        EXPECT_EQ(error, 0);
        EXPECT_EQ(height, c.height) << c.lat << ", " << c.lon;
    }
}

TEST(ReferenceValues, ClassLimitsWithEHeldAsASingle)
{
    const struct {
        HeightRange range;
        std::array<std::int16_t, 9> limits; // ClassLimit(1 .. 9)
    } table[] = {
        {{1, 4189}, {2, 5, 12, 28, 64, 149, 345, 795, 1832}},
        {{12, 2794}, {20, 35, 61, 106, 183, 316, 546, 943, 1628}},
        {{60, 1029}, {50, 85, 122, 174, 248, 355, 507, 723, 2000}},
        {{120, 3177}, {50, 100, 180, 272, 410, 618, 932, 1404, 2116}},
        {{300, 2841}, {50, 100, 250, 413, 570, 787, 1086, 1498, 2066}},
        {{1000, 1980}, {50, 100, 250, 1120, 1256, 1407, 1578, 1768, 2000}},
    };
    for (const auto& c : table) {
        const ClassLimits limits = ComputeClassLimits(c.range);
        EXPECT_EQ((std::array{limits[1], limits[2], limits[3], limits[4], limits[5], limits[6], limits[7], limits[8],
                      limits[9]}),
            c.limits)
            << c.range.minimum << " .. " << c.range.maximum;
    }
}

} // namespace
} // namespace marn
