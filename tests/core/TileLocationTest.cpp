#include "core/TileLocation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <limits>

namespace marn {
namespace {

constexpr double FractionTolerance = 1e-9;

TEST(NormaliseLongitude, BringsLongitudesIntoOneTurn)
{
    struct Case {
        double in;
        double out;
    };
    const Case cases[] = {
        {-0.5, 359.5},
        {360.0, 360.0},
        {0.0, 0.0},
        {180.0, 180.0},
        {720.0, 360.0},
        {725.5, 5.5},
        {-360.0, 0.0},
        {-720.0, 0.0},
        {-7.5, 352.5},
        {1080.25, 0.25},
        {-1e-20, 360.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        double lon = c.in;
        ASSERT_TRUE(NormaliseLongitude(lon));
        EXPECT_EQ(lon, c.out);
        EXPECT_FALSE(std::signbit(lon));
    }
}

TEST(NormaliseLongitude, MatchesRepeatedTurnsExactly)
{
    for (const double start : {12345.678, -12345.678, 777.001, -359.999999, 3600.3}) {
        SCOPED_TRACE(start);
        double stepwise = start;
        while (stepwise > 360)
            stepwise -= 360;
        while (stepwise < 0)
            stepwise += 360;
        double lon = start;
        ASSERT_TRUE(NormaliseLongitude(lon));
        EXPECT_EQ(lon, stepwise);
    }
}

TEST(NormaliseLongitude, RefusesValuesNoTurnCanBringIn)
{
    for (const double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
             std::numeric_limits<double>::quiet_NaN()}) {
        double lon = bad;
        EXPECT_FALSE(NormaliseLongitude(lon));
    }
    double huge = 1e300;
    ASSERT_TRUE(NormaliseLongitude(huge));
    EXPECT_GE(huge, 0.0);
    EXPECT_LE(huge, 360.0);
}

struct NameCase {
    double lat;
    double lon; // normalised
    const char* lonField;
    char latHemisphere;
    int latDegrees;
    TileKind kind;
    double fracLat;
    double fracLon;
};

std::string LonFieldOf(const TileName& n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%c%03d", n.lonHemisphere, n.lonDegrees);
    return text;
}

TEST(LocateTile, NamesTilesAfterTheEdgeNearerEquatorAndZeroMeridian)
{
    const NameCase cases[] = {
        {47.3, 7.5, "E007", 'N', 47, TileKind::Kind3, 0.3, 0.5},
        {55.2, 10.1, "E010", 'N', 55, TileKind::Kind6, 0.2, 0.1},
        {-7.3, 352.5, "W007", 'S', 7, TileKind::Kind3, 0.7, 0.5},
        {-0.5, 359.5, "W000", 'S', 0, TileKind::Kind3, 0.5, 0.5},
        {0.0, 0.0, "E000", 'N', 0, TileKind::Kind3, 0.0, 0.0},
        {10.5, 180.5, "W179", 'N', 10, TileKind::Kind3, 0.5, 0.5},
        {10.5, 179.5, "E179", 'N', 10, TileKind::Kind3, 0.5, 0.5},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        const TileLocation at = LocateTile(c.lat, c.lon);
        EXPECT_EQ(LonFieldOf(at.name), c.lonField);
        EXPECT_EQ(at.name.latHemisphere, c.latHemisphere);
        EXPECT_EQ(at.name.latDegrees, c.latDegrees);
        EXPECT_EQ(at.name.kind, c.kind);
        EXPECT_NEAR(at.fracLat, c.fracLat, FractionTolerance);
        EXPECT_NEAR(at.fracLon, c.fracLon, FractionTolerance);
    }
}

// A point on a whole southern or western degree lies on the south or west edge
// of the tile that starts there, like every other point.
TEST(LocateTile, WholeDegreesLieOnTheSouthWestEdgeOfTheirTile)
{
    const NameCase cases[] = {
        {-8.0, 10.0, "E010", 'S', 7, TileKind::Kind3, 0.0, 0.0},
        {-7.9999, 10.0, "E010", 'S', 7, TileKind::Kind3, 0.0001, 0.0},
        {10.0, 360.0, "E000", 'N', 10, TileKind::Kind3, 0.0, 0.0},
        {10.0, 180.0, "W179", 'N', 10, TileKind::Kind3, 0.0, 0.0},
        {10.0, 352.0, "W007", 'N', 10, TileKind::Kind3, 0.0, 0.0},
        {-90.0, 10.0, "E010", 'S', 89, TileKind::Kind6, 0.0, 0.0},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        const TileLocation at = LocateTile(c.lat, c.lon);
        EXPECT_EQ(LonFieldOf(at.name), c.lonField);
        EXPECT_EQ(at.name.latHemisphere, c.latHemisphere);
        EXPECT_EQ(at.name.latDegrees, c.latDegrees);
        EXPECT_NEAR(at.fracLat, c.fracLat, FractionTolerance);
        EXPECT_EQ(at.fracLon, c.fracLon);
        EXPECT_EQ(at.secLat, 0);
        EXPECT_EQ(at.blockRow, 1);
    }
}

TEST(LocateTile, KindSwitchesAtFiftyDegrees)
{
    struct Case {
        double lat;
        TileKind kind;
    };
    const Case cases[] = {
        {50.0, TileKind::Kind6},
        {49.99, TileKind::Kind3},
        {-49.99, TileKind::Kind3},
        {-50.5, TileKind::Kind6},
        {-51.0, TileKind::Kind6},
        {89.5, TileKind::Kind6},
        // -50 is the southern edge of S49, the tile between 50 and 49 degrees south.
        {-50.0, TileKind::Kind3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lat);
        EXPECT_EQ(LocateTile(c.lat, 7.5).name.kind, c.kind);
    }
}

TEST(LocateTile, RoundsToWholeSecondsAndPicksTheBlock)
{
    struct Case {
        double lat;
        double lon;
        int secLat;
        int secLon;
        int blockRow;
        int blockCol;
        int blockNo;
    };
    const Case cases[] = {
        {47.30125, 7.501, 1085, 1804, 4, 7, 43},
        {47.3, 7.5, 1080, 1800, 4, 7, 43},
        {47.999, 7.0, 3596, 0, 12, 1, 133},
        {47.9999, 7.0, 3600, 0, 12, 1, 133},
        {47.0, 7.9999, 0, 3600, 1, 12, 12},
        {47.0833, 7.0833, 300, 300, 2, 2, 14},
        {47.08319, 7.08319, 299, 299, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        const TileLocation at = LocateTile(c.lat, c.lon);
        EXPECT_EQ(at.secLat, c.secLat);
        EXPECT_EQ(at.secLon, c.secLon);
        EXPECT_EQ(at.blockRow, c.blockRow);
        EXPECT_EQ(at.blockCol, c.blockCol);
        EXPECT_EQ(at.blockNo, c.blockNo);
    }
}

TEST(LocateTile, EveryWholeSecondFallsIntoTheBlockOfItsSingleQuotient)
{
    for (int second = 0; second <= 3600; ++second) {
        SCOPED_TRACE(second);
        // A fifth of a second off the whole second, inwards at the tile's edge.
        const double fraction = (second + (second < 3600 ? 0.2 : -0.2)) / 3600.0;
        const TileLocation at = LocateTile(47.0 + fraction, 7.0 + fraction);
        ASSERT_EQ(at.secLat, second);
        ASSERT_EQ(at.secLon, second);
        const float quotient = static_cast<float>(second) / 300.0F;
        const int block = std::min(static_cast<int>(std::floor(quotient)) + 1, 12);
        EXPECT_EQ(at.blockRow, block);
        EXPECT_EQ(at.blockCol, block);
    }
}

} // namespace
} // namespace marn
