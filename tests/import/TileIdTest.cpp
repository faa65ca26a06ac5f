#include "import/TileId.h"

#include "core/TileLocation.h"
#include "core/TilePath.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace marn::import {
namespace {

struct NameCase {
    TileId tile;
    const char* path;
    TileKind kind;
};

class TileNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(TileNameTest, NamesTheTileAfterItsEdgeNearerTheEquatorAndMeridian)
{
    EXPECT_EQ(TileRelativePath(GetParam().tile), GetParam().path);
    EXPECT_EQ(KindOf(GetParam().tile), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Tiles, TileNameTest,
    testing::Values(NameCase{{47, 7}, "MARN/E007/E007N47.33E", TileKind::Kind3},
        NameCase{{55, 10}, "MARN/E010/E010N55.63E", TileKind::Kind6},
        NameCase{{0, 0}, "MARN/E000/E000N00.33E", TileKind::Kind3},
        NameCase{{-1, -1}, "MARN/W000/W000S00.33E", TileKind::Kind3},
        NameCase{{-8, -8}, "MARN/W007/W007S07.33E", TileKind::Kind3},
        NameCase{{36, -85}, "MARN/W084/W084N36.33E", TileKind::Kind3},
        NameCase{{49, 6}, "MARN/E006/E006N49.33E", TileKind::Kind3},
        NameCase{{50, 6}, "MARN/E006/E006N50.63E", TileKind::Kind6},
        NameCase{{-50, 20}, "MARN/E020/E020S49.33E", TileKind::Kind3},
        NameCase{{-51, 20}, "MARN/E020/E020S50.63E", TileKind::Kind6},
        NameCase{{89, 179}, "MARN/E179/E179N89.63E", TileKind::Kind6},
        NameCase{{-90, -180}, "MARN/W179/W179S89.63E", TileKind::Kind6}));

// The reader finds every point strictly inside a tile in the file the importer
// writes for that tile, and measures it from the same south-west corner.
TEST(TileNameAgreesWithReader, ForPointsInsideTheTile)
{
    const std::string drive = "D:\\";
    for (const int lat : {-90, -51, -50, -49, -8, -1, 0, 7, 36, 49, 50, 89}) {
        for (const int lon : {-180, -85, -8, -1, 0, 7, 179}) {
            const TileId tile{lat, lon};
            for (const double inside : {0.0004, 0.5, 0.9996}) {
                double readerLon = lon + inside + (lon + inside < 0 ? 360.0 : 0.0);
                const TileLocation location = LocateTile(lat + inside, readerLon);
                std::string expected = drive + TileRelativePath(tile);
                std::replace(expected.begin(), expected.end(), '/', '\\');
                EXPECT_EQ(LogicalTilePath(drive, location.name), expected) << lat << " " << lon << " " << inside;
                EXPECT_NEAR(location.fracLat, inside, 1e-9);
                EXPECT_NEAR(location.fracLon, inside, 1e-9);
            }
        }
    }
}

} // namespace
} // namespace marn::import
