// The importer's rules on plain data: tile names and kinds, the tiles an area
// touches, bilinear sampling, height conversion, window reduction, the report.

#include "import/Bilinear.h"
#include "import/HeightConversion.h"
#include "import/ImportReport.h"
#include "import/TileEnumeration.h"
#include "import/TileId.h"
#include "import/WindowReduction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace marn::import {
namespace {

constexpr double X = std::numeric_limits<double>::quiet_NaN();

// Named after the edges nearer the equator and the meridian.
TEST(TileId, NamesTheTileAfterItsEdgesNearerTheEquatorAndTheMeridian)
{
    for (const auto& [tile, path] :
        {std::pair{TileId{47, 7}, "MARN/E007/E007N47.33E"}, {{55, 10}, "MARN/E010/E010N55.63E"},
            {{0, 0}, "MARN/E000/E000N00.33E"}, {{-1, -1}, "MARN/W000/W000S00.33E"}, {{49, 6}, "MARN/E006/E006N49.33E"},
            {{50, 6}, "MARN/E006/E006N50.63E"}, {{-50, 20}, "MARN/E020/E020S49.33E"},
            {{-51, 20}, "MARN/E020/E020S50.63E"}, {{89, 179}, "MARN/E179/E179N89.63E"},
            {{-90, -180}, "MARN/W179/W179S89.63E"}})
        EXPECT_EQ(TileRelativePath(tile), path);
}

// A tile is taken when one of its inner nodes (not its edges) lies in the bounds.
TEST(TilesTouching, ListsTheTilesWithInnerNodesInTheBounds)
{
    const struct {
        const char* what;
        GeoBounds bounds;
        std::vector<TileId> tiles;
    } cases[] = {{"inside one tile", {-84.41375, 36.44625, -84.07792, 36.73292}, {{36, -85}}},
        {"crossing 50 north", {5.74, 49.44, 6.53, 50.19}, {{49, 5}, {49, 6}, {50, 5}, {50, 6}}},
        {"exactly one degree", {7.0, 48.0, 8.0, 49.0}, {{48, 7}}},
        {"half a 3-second cell beyond the degree", {6.99958, 47.99958, 8.00042, 49.00042}, {{48, 7}}},
        {"reaching the first inner node", {-123.5, 48.2, -121.99916, 48.3}, {{48, -124}, {48, -123}, {48, -122}}},
        {"between two 3-second nodes", {10.0001, 45.0001, 10.0008, 45.0008}, {}},
        {"on a 3-second node", {10.0001, 45.0001, 10.0009, 45.0009}, {{45, 10}}},
        {"3-second node but no 6-second node", {10.0001, 55.0001, 10.0009, 55.0009}, {}},
        {"longitudes 0..360", {358.5, -1.5, 360.5, -0.5}, {{-2, -2}, {-2, -1}, {-2, 0}, {-1, -2}, {-1, -1}, {-1, 0}}},
        {"empty", {7.0, 48.0, 7.0, 49.0}, {}}, {"beyond the pole", {0.2, 89.5, 0.8, 95.0}, {{89, 0}}}};
    for (const auto& c : cases)
        EXPECT_EQ(TilesTouching(c.bounds), c.tiles) << c.what;
    EXPECT_EQ(TilesTouching({-200.0, 10.2, 200.0, 10.8}).size(), 360U);
    for (const auto& [tile, area, overlaps] : {std::tuple{TileId{45, 10}, GeoBounds{10, 45, 11, 46}, true},
             {{45, 10}, {11, 45, 12, 46}, false}, {{45, 10}, {9, 44, 10, 45}, false},
             {{45, 10}, {10, 44, 11, 45}, false}, {{-1, 179}, {170, -5, 190, 5}, true},
             {{-1, -180}, {170, -5, 190, 5}, true}, {{-1, -170}, {170, -5, 190, 5}, false}})
        EXPECT_EQ(TileOverlapsArea(tile, area), overlaps) << TileRelativePath(tile) << " west " << area.west;
}

// 3 x 3 cells:  10  20  30
//               40  50  60
//               70   X  90
TEST(SampleBilinear, InterpolatesTheCellsWithData)
{
    const CellWindow window{3, 3, {10, 20, 30, 40, 50, 60, 70, X, 90}};
    const struct {
        const char* what;
        double u, v, expected; // NaN for no value
    } cases[] = {{"on a centre", 1, 1, 50}, {"half way east", 0.5, 0, 15}, {"half way south", 0, 0.5, 25},
        {"a quarter in", 0.25, 0.75, 0.1875 * 10 + 0.0625 * 20 + 0.5625 * 40 + 0.1875 * 50},
        {"next to a hole: weights shared out", 0.4, 1.5, (40 * 0.3 + 50 * 0.2 + 70 * 0.3) / 0.8},
        {"inside the hole", 1, 2, X}, {"nearer the hole than a cell", 1.4, 1.6, X},
        {"western edge of the first cell", -0.5, 0, 10}, {"beyond the western edge", -0.5001, 0, X},
        {"on the eastern edge", 2.5, 0, X}, {"not a number", X, 0, X}};
    for (const auto& c : cases) {
        const double value = SampleBilinear(window, c.u, c.v);
        EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(value) : value == c.expected) << c.what << ": " << value;
    }
    EXPECT_EQ(SampleBilinear({1, 1, {123.4}}, 3e-7, -3e-7), 123.4) << "copied exactly on a centre";
}

TEST(ToTileHeight, RoundsHalfUpAndClampsCounting)
{
    const struct {
        double height;
        bool seaLevel;
        std::int16_t expected;
        ConversionCounts counts;
    } cases[] = {{X, false, -9999, {}}, {X, true, -9999, {}}, {12.5, false, 13, {}}, {12.49, false, 12, {}},
        {-12.5, false, -12, {}}, {-12.51, false, -13, {}}, {-1437, false, -1437, {}}, {-1437, true, 0, {}},
        {-0.4, true, 0, {}}, {2205, true, 2205, {}}, {32767.4, false, 32767, {}}, {1e9, false, 32767, {1, 0, 0}},
        {-32768, false, -32768, {}}, {-32768.6, false, -32768, {0, 1, 0}}, {-9999, false, -9998, {0, 0, 1}},
        {-9998.6, false, -9998, {0, 0, 1}}, {-9999, true, 0, {}}, {-10500, false, -10500, {}}};
    ConversionCounts total;
    for (const auto& c : cases) {
        ConversionCounts counts;
        EXPECT_EQ(ToTileHeight(c.height, c.seaLevel, counts), c.expected) << c.height;
        EXPECT_EQ(std::tie(counts.clampedHigh, counts.clampedLow, counts.offNoData),
            std::tie(c.counts.clampedHigh, c.counts.clampedLow, c.counts.offNoData))
            << c.height;
        ToTileHeight(c.height, c.seaLevel, total);
    }
    EXPECT_EQ(total.total(), 4);
    std::ostringstream warnings;
    WriteWarnings(warnings, {2, 1, 4});
    EXPECT_EQ(warnings.str(),
        "marn import: warning: 7 heights clamped (2 above 32767, 1 below -32768, 4 of -9999 written as -9998)\n");
}

TEST(WindowReduction, TakesTheSmallestFactorThatFitsInWholeGroups)
{
    for (const auto& [width, height, maxCells, factor] : {std::tuple{100LL, 100LL, 10000LL, 1}, {101, 100, 10000, 2},
             {11000, 8000, 32LL << 20, 2}, {90, 90, 1000, 3}, {1, 1000, 10, 100}})
        EXPECT_EQ(ReductionFactor(width, height, maxCells), factor) << width << " x " << height;
    for (const auto& [span, limit, factor, first, last] : {std::tuple{CellSpan{10, 19}, 100, 3, 10, 21},
             {{10, 21}, 100, 3, 10, 21}, {{90, 99}, 100, 3, 88, 99}, {{0, 99}, 100, 3, 0, 98}, {{5, 6}, 7, 4, 3, 6}}) {
        const CellSpan aligned = AlignToFactor(span, limit, factor);
        EXPECT_EQ(std::pair(aligned.first, aligned.last), std::pair(first, last)) << span.first << " by " << factor;
    }
}

TEST(ImportReport, GivesEachTileItsLineAndTheTotals)
{
    ImportResult result;
    result.tiles = {{{50, 6}, TileOutcome::Kept, 0, 0}, {{49, 6}, TileOutcome::NoData, 0, 0},
        {{48, -123}, TileOutcome::Written, 3, 7}, {{47, 7}, TileOutcome::Merged, 2, 5, 1000, 4},
        {{46, 7}, TileOutcome::Replaced, 0, 9, 0, 0, 1234}};
    std::ostringstream out;
    for (const TileResult& tile : result.tiles)
        out << TileLine(tile) << '\n';
    WriteTotals(out, result);
    EXPECT_EQ(out.str(),
        "MARN/E006/E006N50.63E  kept (nothing to add)\n"
        "MARN/E006/E006N49.33E  not written (no data)\n"
        "MARN/W122/W122N48.33E  written, nodes filled 3, nodes missing 7\n"
        "MARN/E007/E007N47.33E  merged (1000 nodes added, 4 changed), nodes filled 2, nodes missing 5\n"
        "MARN/E007/E007N46.33E  replaced (the file had 1234 bytes, the wrong length), nodes filled 0, nodes missing 9\n"
        "tiles written 1, merged 1, replaced 1, kept 1, without data 1; nodes filled 5, nodes missing 21\n");
    EXPECT_EQ(ProgressBarText(1, 3, 8), "[##......] 1/3 tiles");
}

// Metres per unit of the band: 0.3048 m to the foot, 1200/3937 m to the US survey foot.
TEST(MetresPerUnit, TakesMetresAndFeetAndNothingElse)
{
    const struct {
        const char* unit;
        double metres; // 0 for a unit refused
    } cases[] = {{"", 1}, {"m", 1}, {"metre", 1}, {"Meters", 1}, {" m ", 1}, {"ft", 0.3048}, {"foot", 0.3048},
        {"FEET", 0.3048}, {"US survey foot", 0.30480060960121920}, {"us-ft", 0.30480060960121920}, {"km", 0}, {"cm", 0},
        {"dm", 0}, {"fathom", 0}, {"mm", 0}, {"degree", 0}, {"feet per second", 0}};
    for (const auto& c : cases) {
        const std::optional<double> metres = MetresPerUnit(c.unit);
        EXPECT_EQ(metres.value_or(0), c.metres) << "'" << c.unit << "'";
    }
}

} // namespace
} // namespace marn::import
