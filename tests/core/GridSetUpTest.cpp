#include "core/GridSetUp.h"

#include "core/Geodesy.h"
#include "tests/support/PictureArea.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace marn {
namespace {

// East and west differ in the last digits: cos(90 deg) and cos(270 deg) are
// not exact opposites with the ten-digit pi, more so over thousands of km.
constexpr double BearingAsymmetryTolerance = 1e-7;

SharedState Picture(double centerLat, double centerLon, std::int16_t areaKm, float cols, float rows)
{
    SharedState s;
    test::SetPictureArea(s, centerLat, centerLon, areaKm, cols, rows, 10, 20);
    return s;
}

double LatOf(double lat1, double lon1, double bearing, double km)
{
    double lat2 = 0;
    double lon2 = 0;
    DestPoint(lat1, lon1, bearing, km, lat2, lon2);
    return lat2;
}

double LonOf(double lat1, double lon1, double bearing, double km)
{
    double lat2 = 0;
    double lon2 = 0;
    DestPoint(lat1, lon1, bearing, km, lat2, lon2);
    return lon2;
}

TEST(SetUpGrid, DimensionsTheGridsToTheRoundedPictureSize)
{
    struct Case {
        float cols;
        float rows;
        int maxCol;
        int maxRow;
    };
    const Case cases[] = {
        {881.5F, 600.0F, 882, 600},
        {880.5F, 600.5F, 880, 600},
        {881.3F, 599.7F, 881, 600},
        {800.0F, 601.5F, 800, 602},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cols << " x " << c.rows);
        SharedState s = Picture(47, 7, 50, c.cols, c.rows);
        SetUpGrid(s);
        EXPECT_EQ(s.GridHeights.maxCol(), c.maxCol);
        EXPECT_EQ(s.GridHeights.maxRow(), c.maxRow);
        EXPECT_EQ(s.GridCoords.maxCol(), c.maxCol);
        EXPECT_EQ(s.GridCoords.maxRow(), c.maxRow);
        EXPECT_EQ(s.KmPerPixel, 50.0 / static_cast<double>(c.cols));
    }
}

// Small grids and grids of several megabytes come from different kinds of
// memory; neither may show what an earlier grid held.
TEST(SetUpGrid, DiscardsEarlierGridContents)
{
    const struct {
        int cols;
        int rows;
    } sizes[] = {{8, 6}, {1400, 1000}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cols << " x " << size.rows);
        SharedState s = Picture(47, 7, 50, static_cast<float>(size.cols), static_cast<float>(size.rows));
        SetUpGrid(s);
        for (int j = 0; j <= size.rows; ++j) {
            for (int i = 0; i <= size.cols; ++i) {
                s.GridHeights(i, j) = 1234;
                s.GridCoords(1, i, j) = 7.5;
            }
        }
        SetUpGrid(s);
        const auto& heights = s.GridHeights.raw();
        EXPECT_EQ(std::count(heights.begin(), heights.end(), 0), static_cast<long>(heights.size()));
        int nonZeroCoords = 0;
        for (int j = 0; j <= size.rows; ++j)
            for (int i = 0; i <= size.cols; ++i)
                nonZeroCoords += s.GridCoords(1, i, j) != 0.0 ? 1 : 0;
        EXPECT_EQ(nonZeroCoords, 0);
    }
}

TEST(SetUpGrid, WestAndEastEdgesShareTheLengthOnePixelApart)
{
    SharedState s = Picture(47, 7, 50, 800, 600);
    SetUpGrid(s);
    EXPECT_EQ(s.KmPerPixel, 0.0625);
    const double lonW = LonOf(47, 7, 270, 24.96875);
    const double lonE = LonOf(47, 7, 90, 25.03125);
    EXPECT_EQ(s.LonMid, (lonE + lonW) / 2);
    EXPECT_GT(s.LonMid, 7.0);
}

TEST(SetUpGrid, AreaHangsFromItsSouthernEdge)
{
    SharedState s = Picture(47, 7, 50, 800, 600);
    SetUpGrid(s);
    // 600 - 599 / 2 = 300.5 pixels south of the centre, then 600 pixels north.
    EXPECT_EQ(s.LatS, LatOf(47, 7, 180, 300.5 * 0.0625));
    EXPECT_EQ(s.LatN, LatOf(s.LatS, s.LonMid, 0, 600 * 0.0625));
    EXPECT_LT(s.LatS, 47.0);
    EXPECT_GT(s.LatN, 47.0);
}

TEST(SetUpGrid, CornersLieHalfTheLengthFromTheEdgeMiddles)
{
    SharedState s = Picture(60, 10, 3000, 1000, 700);
    SetUpGrid(s);
    EXPECT_EQ(s.LatNW, LatOf(s.LatN, s.LonMid, 270, 1500));
    EXPECT_EQ(s.LonNW, LonOf(s.LatN, s.LonMid, 270, 1500));
    EXPECT_EQ(s.LonNE, LonOf(s.LatN, s.LonMid, 90, 1500));
    EXPECT_EQ(s.LatSW, LatOf(s.LatS, s.LonMid, 270, 1500));
    EXPECT_EQ(s.LonSE, LonOf(s.LatS, s.LonMid, 90, 1500));
    // Great circles that start due east or west bend towards the equator.
    EXPECT_LT(s.LatNW, s.LatN);
    EXPECT_LT(s.LatSE, s.LatS);
    EXPECT_NEAR(s.LatNW, s.LatNE, BearingAsymmetryTolerance);
    EXPECT_NEAR(s.LatSW, s.LatSE, BearingAsymmetryTolerance);
}

TEST(SetUpGrid, EdgesAcrossTheDateLineAreNotWrapped)
{
    SharedState s = Picture(10, 179.9, 3000, 1000, 700);
    SetUpGrid(s);
    EXPECT_GT(s.LonNE, 180.0);
    EXPECT_GT(s.LonSE, 180.0);
    EXPECT_NEAR(s.LonMid, 179.9, 0.1);
}

TEST(SetUpGrid, EmptyPictureGivesEmptyGrids)
{
    SharedState s = Picture(47, 7, 50, 0, -3);
    SetUpGrid(s);
    EXPECT_EQ(s.GridHeights.maxCol(), 0);
    EXPECT_EQ(s.GridHeights.maxRow(), 0);
}

} // namespace
} // namespace marn
