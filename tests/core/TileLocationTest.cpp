#include "core/TileLocation.h"

#include "core/NativePath.h"
#include "core/TilePath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace marn {
namespace {

TEST(NormaliseLongitude, BringsLongitudesIntoOneTurnAsRepeatedTurnsWould)
{
    const struct {
        double in, out;
    } cases[] = {{-0.5, 359.5}, {360.0, 360.0}, {0.0, 0.0}, {180.0, 180.0}, {720.0, 360.0}, {725.5, 5.5}, {-360.0, 0.0},
        {-720.0, 0.0}, {-7.5, 352.5}, {1080.25, 0.25}, {-1e-20, 360.0}};
    for (const auto& c : cases) {
        double lon = c.in;
        ASSERT_TRUE(NormaliseLongitude(lon)) << c.in;
        EXPECT_EQ(lon, c.out) << c.in;
        EXPECT_FALSE(std::signbit(lon)) << c.in;
    }
    // Far from the turn the result keeps the rounding of one subtraction after another.
    for (const double start : {12345.678, -12345.678, 777.001, -359.999999, 3600.3}) {
        double stepwise = start;
        while (stepwise > 360)
            stepwise -= 360;
        while (stepwise < 0)
            stepwise += 360;
        double lon = start;
        ASSERT_TRUE(NormaliseLongitude(lon));
        EXPECT_EQ(lon, stepwise) << start;
    }
}

// Tiles are named after the edge nearer the equator and the zero meridian; a
// point on a whole degree lies on the south or west edge of the tile starting there.
TEST(LocateTile, NamesTheTileItsKindAndTheFractions)
{
    const struct {
        double lat, lon; // lon normalised
        const char* fileName;
        double fracLat, fracLon;
    } cases[] = {
        {47.3, 7.5, "E007N47.33E", 0.3, 0.5},
        {55.2, 10.1, "E010N55.63E", 0.2, 0.1},
        {-7.3, 352.5, "W007S07.33E", 0.7, 0.5},
        {-0.5, 359.5, "W000S00.33E", 0.5, 0.5},
        {0.0, 0.0, "E000N00.33E", 0.0, 0.0},
        {10.5, 180.5, "W179N10.33E", 0.5, 0.5},
        {10.5, 179.5, "E179N10.33E", 0.5, 0.5},
        {-8.0, 10.0, "E010S07.33E", 0.0, 0.0},
        {10.0, 360.0, "E000N10.33E", 0.0, 0.0},
        {10.0, 352.0, "W007N10.33E", 0.0, 0.0},
        {-90.0, 10.0, "E010S89.63E", 0.0, 0.0},
        {50.0, 7.5, "E007N50.63E", 0.0, 0.5},
        {49.99, 7.5, "E007N49.33E", 0.99, 0.5},
        {-49.99, 7.5, "E007S49.33E", 0.01, 0.5},
        {-50.0, 7.5, "E007S49.33E", 0.0, 0.5},
        {-50.5, 7.5, "E007S50.63E", 0.5, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        const TileLocation at = LocateTile(c.lat, c.lon);
        EXPECT_EQ(TileFileName(at.name), c.fileName);
        EXPECT_NEAR(at.fracLat, c.fracLat, 1e-9);
        EXPECT_NEAR(at.fracLon, c.fracLon, 1e-9);
        EXPECT_EQ(CornerLatOf(at.name), std::lround(c.lat - c.fracLat));
        EXPECT_EQ(CornerLonOf(at.name), std::lround(c.lon - c.fracLon) % 360);
    }
}

// The reader's worked example first; 300" to a block, 12 blocks a side.
TEST(LocateTile, RoundsToWholeSecondsAndPicksTheBlock)
{
    const struct {
        double lat, lon;
        int secLat, secLon, blockRow, blockCol, blockNo;
    } cases[] = {
        {47.30125, 7.501, 1085, 1804, 4, 7, 43},
        {47.3, 7.5, 1080, 1800, 4, 7, 43},
        {47.999, 7.0, 3596, 0, 12, 1, 133},
        {47.9999, 7.0, 3600, 0, 12, 1, 133},
        {47.0, 7.9999, 0, 3600, 1, 12, 12},
        {47.0833, 7.0833, 300, 300, 2, 2, 14},
        {47.08319, 7.08319, 299, 299, 1, 1, 1},
        {-8.0, 10.0, 0, 0, 1, 1, 1},
        {47 + 1199.6 / 3600, 7 + 1199.4 / 3600, 1200, 1199, 5, 4, 52},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        const TileLocation at = LocateTile(c.lat, c.lon);
        EXPECT_EQ(at.secLat, c.secLat);
        EXPECT_EQ(at.secLon, c.secLon);
        EXPECT_EQ(at.blockRow, c.blockRow);
        EXPECT_EQ(at.blockCol, c.blockCol);
        EXPECT_EQ(at.blockNo, c.blockNo);
    }
}

// The data drive's prefix ends in one backslash; a drive letter alone gets its colon.
TEST(LogicalTilePath, FillsTheTemplateFields)
{
    const struct {
        const char* drive;
        TileName name;
        const char* path;
    } cases[] = {
        {"D", {'E', 7, 'N', 47, TileKind::Kind3}, R"(D:\MARN\E007\E007N47.33E)"},
        {"D", {'E', 10, 'N', 55, TileKind::Kind6}, R"(D:\MARN\E010\E010N55.63E)"},
        {R"(D:\data)", {'W', 180, 'S', 8, TileKind::Kind3}, R"(D:\data\MARN\W180\W180S08.33E)"},
        {"C:", {'E', 0, 'N', 0, TileKind::Kind3}, R"(C:\MARN\E000\E000N00.33E)"},
        {"/srv/terrain", {'W', 7, 'S', 77, TileKind::Kind6}, R"(/srv/terrain\MARN\W007\W007S77.63E)"},
        {R"(D:\)", {'E', 7, 'N', 47, TileKind::Kind3}, R"(D:\MARN\E007\E007N47.33E)"},
        {"", {}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogicalTilePath(c.drive, c.name), c.path) << c.drive;
}

#ifndef _WIN32
TEST(NativePath, MapsLogicalPathsOntoPosixPaths)
{
    const struct {
        const char* logical;
        const char* programDir;
        const char* native;
    } cases[] = {
        {R"(D:\MARN\E007\E007N47.33E)", "/opt/marn", "/mnt/d/MARN/E007/E007N47.33E"},
        {R"(d:\MARN\E007\E007N47.33E)", "/opt/marn", "/mnt/d/MARN/E007/E007N47.33E"},
        {R"(C:\data\MARN\W180\W180S08.63E)", "", "/mnt/c/data/MARN/W180/W180S08.63E"},
        {R"(\Europe.bmp)", "/opt/marn", "/Europe.bmp"},
        {R"(/srv/terrain\MARN\E007\E007N47.33E)", "/opt/marn", "/srv/terrain/MARN/E007/E007N47.33E"},
        {R"(/srv/terrain/\MARN\E007)", "/opt/marn", "/srv/terrain/MARN/E007"},
        {R"(data\MARN\E007)", "/opt/marn", "/opt/marn/data/MARN/E007"},
        {R"(data\MARN\E007)", "/opt/marn/", "/opt/marn/data/MARN/E007"},
        {R"(data\MARN\E007)", "/", "/data/MARN/E007"},
        {R"(data\MARN\E007)", "", "data/MARN/E007"},
        {"Drive.dat", "/opt/marn", "/opt/marn/Drive.dat"},
        {"D:", "/opt/marn", "/mnt/d/"},
        {"", "/opt/marn", "/opt/marn/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NativePath(c.logical, c.programDir), c.native) << c.logical;
}
#endif

} // namespace
} // namespace marn
