#include "core/FastHeightSampling.h"

#include "core/Geodesy.h"
#include "core/GridSetUp.h"
#include "core/TileReader.h"
#include "tests/support/PictureArea.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace marn {
namespace {

using test::TempDir;

std::int16_t Slope(double lat, double lon)
{
    return static_cast<std::int16_t>(std::lround(300 * lat + 80 * lon));
}

class HeightSamplingTest : public testing::Test {
protected:
    void Frame(double centerLat, double centerLon, std::int16_t areaKm, float cols, float rows)
    {
        s.DataDrive = dir.path();
        test::SetPictureArea(s, centerLat, centerLon, areaKm, cols, rows, 5, 7);
        SetUpGrid(s);
    }
    std::int16_t Sample()
    {
        return SampleGridHeightsFast(s, [this](int row) { rows.push_back(row); });
    }

    TempDir dir;
    SharedState s;
    std::vector<int> rows;
};

TEST_F(HeightSamplingTest, PlacesEveryPointFromTheMiddleMeridian)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    Frame(47.5, 7.5, 20, 16, 12);
    ASSERT_EQ(Sample(), ReadOk);
    const double latStep = (s.LatN - s.LatS) / 12;
    for (int j = 1; j <= 12; ++j) {
        const double rowLat = s.LatN - (j - 1) * latStep;
        for (int i = 1; i <= 16; ++i) {
            SCOPED_TRACE(testing::Message() << i << ", " << j);
            double lat = rowLat;
            double lon = s.LonMid;
            if (i != 8)
                DestPoint(rowLat, s.LonMid, i < 8 ? 270 : 90, std::abs(i - 8) * s.KmPerPixel, lat, lon);
            EXPECT_EQ(s.GridCoords(0, i, j), lat);
            EXPECT_EQ(s.GridCoords(1, i, j), lon);
        }
    }
    EXPECT_EQ(s.GridCoords(0, 8, 1), s.LatN);
    EXPECT_EQ(s.GridCoords(1, 8, 5), s.LonMid);
    EXPECT_NEAR(s.GridCoords(0, 8, 12), s.LatS + latStep, 1e-12);
}

TEST_F(HeightSamplingTest, HeightsAreTheReadersAnswersAtTheStoredPoints)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    Frame(47.5, 7.5, 20, 16, 12);
    ASSERT_EQ(Sample(), ReadOk);
    SharedState reference;
    reference.DataDrive = dir.path();
    for (int j = 1; j <= 12; ++j) {
        for (int i = 1; i <= 16; ++i) {
            double lon = s.GridCoords(1, i, j);
            std::int16_t height = 0;
            std::int16_t error = 0;
            ReadTileHeight(reference, s.GridCoords(0, i, j), lon, height, error);
            ASSERT_EQ(error, ReadOk);
            EXPECT_EQ(s.GridHeights(i, j), height);
        }
    }
}

TEST_F(HeightSamplingTest, OddColumnCountHasNoMiddleColumn)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    Frame(47.5, 7.5, 50, 881.3F, 1);
    ASSERT_EQ(Sample(), ReadOk);
    const double halfCols = static_cast<double>(881.3F) / 2;
    double lat = 0;
    double lon = 0;
    DestPoint(s.LatN, s.LonMid, 270, (halfCols - 440) * s.KmPerPixel, lat, lon);
    EXPECT_EQ(s.GridCoords(1, 440, 1), lon);
    DestPoint(s.LatN, s.LonMid, 90, (441 - halfCols) * s.KmPerPixel, lat, lon);
    EXPECT_EQ(s.GridCoords(1, 441, 1), lon);
    EXPECT_NE(s.GridCoords(1, 440, 1), s.LonMid);
    EXPECT_NE(s.GridCoords(1, 441, 1), s.LonMid);
    EXPECT_NEAR(halfCols - 440, 0.65, 1e-5);
}

TEST_F(HeightSamplingTest, FillsOnlyTheWholeColumnsAndRows)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    Frame(47.5, 7.5, 20, 15.5F, 10.5F);
    ASSERT_EQ(s.GridHeights.maxCol(), 16);
    ASSERT_EQ(s.GridHeights.maxRow(), 10);
    ASSERT_EQ(Sample(), ReadOk);
    for (int j = 1; j <= 10; ++j) {
        EXPECT_NE(s.GridHeights(15, j), 0);
        EXPECT_EQ(s.GridHeights(16, j), 0);
        EXPECT_EQ(s.GridCoords(0, 16, j), 0.0);
        EXPECT_EQ(s.GridHeights(0, j), 0);
    }
    EXPECT_EQ(rows, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(HeightSamplingTest, MissingTilesBecomeNoData)
{
    Frame(-30.5, -140.5, 100, 20, 10);
    ASSERT_EQ(Sample(), ReadOk);
    for (int j = 1; j <= 10; ++j)
        for (int i = 1; i <= 20; ++i)
            EXPECT_EQ(s.GridHeights(i, j), NoData);
    EXPECT_EQ(rows.size(), 10U);
}

TEST_F(HeightSamplingTest, AreaAcrossATileEdgeMixesDataAndNoData)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    Frame(47.5, 8.0, 40, 20, 10);
    ASSERT_EQ(Sample(), ReadOk);
    EXPECT_NE(s.GridHeights(1, 5), NoData);
    EXPECT_EQ(s.GridHeights(20, 5), NoData);
}

TEST_F(HeightSamplingTest, FirstFatalReaderErrorStopsAtOnce)
{
    test::WriteFileOfLength(test::TilePath(dir.path(), 47, 7), 1000);
    Frame(47.5, 7.5, 20, 16, 12);
    EXPECT_EQ(Sample(), ErrFileLength);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(s.GridCoords(0, 2, 1), 0.0);
}

TEST_F(HeightSamplingTest, EmptyDataDriveIsFatal)
{
    Frame(47.5, 7.5, 20, 16, 12);
    s.DataDrive.clear();
    EXPECT_EQ(Sample(), ErrNoDataDrive);
}

TEST_F(HeightSamplingTest, NeverWritesBeyondTheDimensionedGrid)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    Frame(47.5, 7.5, 20, 16, 12);
    s.PicCols = 40;
    s.PicRows = 30;
    ASSERT_EQ(Sample(), ReadOk);
    EXPECT_EQ(rows.size(), 12U);
}

TEST_F(HeightSamplingTest, RunsWithoutARowCallback)
{
    Frame(-30.5, -140.5, 100, 4, 3);
    EXPECT_EQ(SampleGridHeightsFast(s, {}), ReadOk);
    EXPECT_EQ(s.GridHeights(4, 3), NoData);
}

} // namespace
} // namespace marn
