// Profiles along great circles: length and bearing against worked values,
// positions against DestPoint, heights against the reader, gaps, ascent and
// descent on a tile with known nodes, and the CSV text.

#include "core/Profile.h"
#include "core/SharedState.h"
#include "core/TileReader.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace marn {
namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;

double LonGap(double a, double b)
{
    return std::abs(std::remainder(a - b, 360.0));
}

// Lengths worked by hand: 111.2 km per degree along a meridian or the
// equator; bearings 0/180 exactly on a meridian (DestPoint keeps the
// longitude there), 90/270 along the equator.
TEST(ProfileLine, LengthAndBearingAlongMeridiansAndTheEquator)
{
    const struct {
        GeoPoint from, to;
        double km, bearing;
    } table[] = {
        {{47, 7}, {48, 7}, 111.2, 0.0},
        {{48, 7}, {47, 7}, 111.2, 180.0},
        {{10, -20}, {-10, -20}, 2224.0, 180.0},
        {{-33.5, 151}, {-33, 151}, 55.6, 0.0},
        {{0, 0}, {0, 1}, 111.2, 90.0},
        {{0, 10}, {0, 9.5}, 55.6, 270.0},
        {{0, 179.5}, {0, -179.5}, 111.2, 90.0}, // over the date line
        {{0, -179.75}, {0, 179.75}, 55.6, 270.0},
    };
    for (const auto& c : table) {
        std::string problem;
        const auto line = MakeProfileLine(c.from, c.to, problem);
        ASSERT_TRUE(line) << problem;
        EXPECT_NEAR(line->distanceKm, c.km, 1e-6) << c.from.lat << "," << c.from.lon;
        EXPECT_NEAR(line->bearing, c.bearing, 1e-9) << c.from.lat << "," << c.from.lon;
        if (c.bearing == 0.0 || c.bearing == 180.0) {
            EXPECT_EQ(line->bearing, c.bearing);
        }
    }
    const struct {
        GeoPoint from, to;
        const char* problem;
    } refused[] = {
        {{47, 7}, {47, 7}, "the start and the end are the same point"},
        {{91, 7}, {47, 7}, "a position needs a latitude from -90 to 90 and a longitude"},
        {{47, NAN}, {47, 7}, "a position needs a latitude from -90 to 90 and a longitude"},
        {{10, 0}, {20, 180}, "a line over a pole cannot be followed"},
    };
    for (const auto& c : refused) {
        std::string problem;
        EXPECT_FALSE(MakeProfileLine(c.from, c.to, problem));
        EXPECT_EQ(problem, c.problem);
    }
}

// The bearing from the start worked out here with the textbook formula; every
// position is DestPoint's for that bearing and its distance, and the last one
// is the end.
TEST(ProfileLine, PositionsLieOnTheGreatCircleEvenlySpaced)
{
    const struct {
        GeoPoint from, to;
        int intervals;
    } table[] = {
        {{36.5833, -84.25}, {36.4, -83.2}, 97},
        {{49.8, 6.1}, {50.2, 5.9}, 13},
        {{-33.9, 18.4}, {-34.5, 150.9}, 400},
        {{0.5, 179.9}, {-0.5, -179.8}, 5},
    };
    for (const auto& c : table) {
        std::string problem;
        const auto line = MakeProfileLine(c.from, c.to, problem);
        ASSERT_TRUE(line) << problem;
        const double phi1 = c.from.lat * DegToRad, phi2 = c.to.lat * DegToRad;
        const double dLon = std::remainder(c.to.lon - c.from.lon, 360.0) * DegToRad;
        double bearing = std::atan2(std::sin(dLon) * std::cos(phi2),
                             std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dLon))
                         / DegToRad;
        bearing += bearing < 0 ? 360.0 : 0.0;
        const std::vector<ProfileSample> samples = ProfilePositions(*line, c.intervals);
        ASSERT_EQ(samples.size(), static_cast<std::size_t>(c.intervals) + 1);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const double d = line->distanceKm * static_cast<double>(i) / c.intervals;
            double lat = 0, lon = 0;
            DestPoint(c.from.lat, c.from.lon, bearing, d, lat, lon);
            EXPECT_NEAR(samples[i].distanceKm, d, 1e-9);
            EXPECT_NEAR(samples[i].lat, lat, 1e-9) << i;
            EXPECT_LT(LonGap(samples[i].lon, lon), 1e-9) << i;
            EXPECT_LE(std::abs(samples[i].lon), 180.0);
        }
        // DestPoint's arc cosine, with the ten-digit pi, places longitudes
        // about 1.2e-8 degrees (1 mm) off: the end is reached within 1e-7
        EXPECT_NEAR(samples.back().lat, c.to.lat, 1e-7);
        EXPECT_LT(LonGap(samples.back().lon, c.to.lon), 1e-7);
    }
    // one sample per 3" of arc (92.67 m) at least, or one per pixel when more
    EXPECT_EQ(ProfileIntervals(11.12), 120);
    EXPECT_EQ(ProfileIntervals(10.0), 108);
    EXPECT_EQ(ProfileIntervals(10.0, 500), 500);
    EXPECT_EQ(ProfileIntervals(0.01), 1);
}

// Tile 47N 7E, the nodes of every row on the meridian 7.5E: rising 20 m a
// row from 200 m at 47N (row 0) to 1400 m at row 60, then falling 10 m a row
// to 800 m at row 120 (47.1N). The profile 47N..47.1N samples exactly every
// row (11.12 km in 120 steps of 3"). A void of rows 30..35 leaves the samples
// on rows 29..35 without height (their nodes above or at them are missing):
// no rise is counted across the gap.
TEST(ProfileHeights, AscentDescentAndGapsOnATileWithKnownNodes)
{
    const struct {
        int voidFrom, voidTo; // rows of missing nodes, none when voidFrom > voidTo
        long ascent, descent;
        std::size_t missing;
        std::size_t firstMissing;
    } table[] = {
        {1, 0, 1200, 600, 0, 0},
        {30, 35, 560 + 480, 600, 7, 29},
        {90, 90, 1200, 280 + 290, 2, 89},
    };
    for (const auto& c : table) {
        test::TempDir dir;
        test::WriteTile(dir.path(), 47, 7, [&c](double lat, double) {
            const int row = static_cast<int>(std::lround((lat - 47.0) * 1200.0));
            if (row >= c.voidFrom && row <= c.voidTo)
                return NoData;
            return static_cast<std::int16_t>(row <= 60 ? 200 + 20 * row : 1400 - 10 * (row - 60));
        });
        SharedState state;
        state.DataDrive = dir.path();
        std::string problem;
        const auto line = MakeProfileLine({47.0, 7.5}, {47.1, 7.5}, problem);
        ASSERT_TRUE(line);
        std::vector<ProfileSample> samples = ProfilePositions(*line, ProfileIntervals(line->distanceKm));
        ASSERT_EQ(samples.size(), 121U);
        ASSERT_EQ(ReadProfileHeights(state, state.Reader, samples), 0);

        const ProfileSummary summary = SummariseProfile(samples);
        EXPECT_EQ(summary.ascentM, c.ascent) << c.voidFrom;
        EXPECT_EQ(summary.descentM, c.descent) << c.voidFrom;
        EXPECT_EQ(summary.missing, c.missing) << c.voidFrom;
        EXPECT_NEAR(summary.distanceKm, 11.12, 1e-9);
        ASSERT_TRUE(summary.lowest && summary.highest);
        EXPECT_EQ(samples[*summary.lowest].height, 200);
        EXPECT_EQ(*summary.lowest, 0U);
        EXPECT_EQ(samples[*summary.highest].height, 1400);
        EXPECT_NEAR(samples[*summary.highest].distanceKm, 5.56, 1e-9);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const bool gap = c.missing > 0 && i >= c.firstMissing && i < c.firstMissing + c.missing;
            EXPECT_EQ(samples[i].height == NoData, gap) << i;
        }
    }
}

// Every height is the reader's at the sample's position, on a line across two
// tiles (one with a round void) and into a missing tile; a tile of the wrong
// length stops the reading with its error value.
TEST(ProfileHeights, AreTheReadersAtTheirPositions)
{
    std::string problem;
    const auto line = MakeProfileLine({47.6, 7.7}, {47.3, 10.2}, problem);
    ASSERT_TRUE(line);
    double voidLat = 0, voidLon = 0; // 15 km along the line
    DestPoint(47.6, 7.7, line->bearing, 15.0, voidLat, voidLon);
    test::TempDir dir;
    for (const int westLon : {7, 8}) {
        test::WriteTile(dir.path(), 47, westLon, [=](double lat, double lon) {
            if (std::hypot(lat - voidLat, lon - voidLon) < 0.01)
                return NoData;
            return static_cast<std::int16_t>(900 + 500 * std::sin(lat * 70) * std::cos(lon * 50));
        });
    }
    SharedState state;
    state.DataDrive = dir.path();
    std::vector<ProfileSample> samples = ProfilePositions(*line, ProfileIntervals(line->distanceKm));
    ASSERT_EQ(ReadProfileHeights(state, state.Reader, samples), 0);
    SharedState reader;
    reader.DataDrive = dir.path();
    int missing = 0, wrong = 0, gaps = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double lon = samples[i].lon;
        std::int16_t height = 0, error = 0;
        ReadTileHeight(reader, reader.Reader, samples[i].lat, lon, height, error);
        wrong += samples[i].height != (error == 0 ? height : NoData);
        missing += samples[i].height == NoData;
        gaps += i > 0 && samples[i].height == NoData && samples[i - 1].height != NoData;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(missing, 0);
    EXPECT_EQ(gaps, 2); // the void, then the missing tile east of 9E

    test::WriteFileOfLength(test::TilePath(dir.path(), 47, 9), 1000);
    state.Reader.OpenTileName.clear();
    EXPECT_EQ(ReadProfileHeights(state, state.Reader, samples), 700);
}

TEST(ProfileCsv, OneLinePerSampleWithAnEmptyHeightWhereMissing)
{
    const std::vector<ProfileSample> samples{
        {0.0, 36.5, -84.25, 412}, {0.125, 36.5009765625, -84.2490234375, NoData}, {12.34567, -0.5, 179.75, -3}};
    EXPECT_EQ(ProfileCsv(samples),
        "distance km,latitude,longitude,height m\n"
        "0.0000,36.5,-84.25,412\n"
        "0.1250,36.5009765625,-84.2490234375,\n"
        "12.3457,-0.5,179.75,-3\n");
}

} // namespace
} // namespace marn
