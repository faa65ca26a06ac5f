// The grid's frame, then the fast sampling against the literal one
// (test::SampleGridHeights with ReadTileHeight), what the two share (missing
// data, the grid's bounds) and the block cache.

#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "core/NativePath.h"
#include "core/TileBlockCache.h"
#include "core/TileLocation.h"
#include "core/TileReader.h"
#include "tests/support/LiteralSampling.h"
#include "tests/support/PictureArea.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace marn {
namespace {

SharedState Picture(double centerLat, double centerLon, std::int16_t areaKm, float cols, float rows)
{
    SharedState s;
    test::SetPictureArea(s, centerLat, centerLon, areaKm, cols, rows, 3, 4);
    SetUpGrid(s, s);
    return s;
}

TEST(SetUpGrid, DimensionsTheGridsToThePictureSizeRoundedHalfToEven)
{
    const struct {
        float cols, rows;
        int maxCol, maxRow;
    } cases[] = {{881.5F, 600.0F, 882, 600}, {880.5F, 600.5F, 880, 600}, {881.3F, 599.7F, 881, 600},
        {800.0F, 601.5F, 800, 602}, {0.0F, -3.0F, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cols << " x " << c.rows);
        const SharedState s = Picture(47, 7, 50, c.cols, c.rows);
        EXPECT_EQ(std::make_pair(s.GridHeights.maxCol(), s.GridHeights.maxRow()), std::make_pair(c.maxCol, c.maxRow));
        EXPECT_EQ(std::make_pair(s.GridCoords.maxCol(), s.GridCoords.maxRow()), std::make_pair(c.maxCol, c.maxRow));
    }
}

// Small grids and grids of several megabytes come from different kinds of
// memory; neither may show what an earlier grid held.
TEST(SetUpGrid, DiscardsEarlierGridContents)
{
    for (const int cols : {8, 1400}) {
        SharedState s = Picture(47, 7, 50, static_cast<float>(cols), 600);
        for (int j = 0; j <= 600; ++j)
            for (int i = 0; i <= cols; ++i)
                s.GridHeights(i, j) = 1234;
        s.GridCoords(1, cols, 600) = 7.5;
        SetUpGrid(s, s);
        const auto& heights = s.GridHeights.raw();
        EXPECT_EQ(std::count(heights.begin(), heights.end(), 0), std::ssize(heights));
        EXPECT_EQ(s.GridCoords(1, cols, 600), 0.0);
    }
}

// 50 km over 800 x 600 pixels around (47, 7): west and east edges one pixel
// apart in length around the centre (399.5 and 400.5 pixels), the area hung from
// its southern edge 300.5 pixels south, corners 25 km from the edges' middles.
// Expected values from the spherical formulas; longitudes are not wrapped.
TEST(SetUpGrid, FramesTheAreaAroundTheCentre)
{
    const SharedState s = Picture(47, 7, 50, 800, 600);
    EXPECT_EQ(s.KmPerPixel, 0.0625);
    const struct {
        const char* name;
        double value, expected;
    } cases[] = {{"LonMid", s.LonMid, 7.0004120541}, {"LatS", s.LatS, 46.8311038669}, {"LatN", s.LatN, 47.1683340827},
        {"LatNW", s.LatNW, 47.1678582897}, {"LonNW", s.LonNW, 6.6697216255}, {"LatNE", s.LatNE, 47.1678582897},
        {"LonNE", s.LonNE, 7.3311024827}, {"LatSW", s.LatSW, 46.8306336553}, {"LonSW", s.LonSW, 6.6718022257},
        {"LatSE", s.LatSE, 46.8306336553}, {"LonSE", s.LonSE, 7.3290218825}};
    for (const auto& c : cases)
        EXPECT_NEAR(c.value, c.expected, 1e-7) << c.name;
    EXPECT_GT(Picture(10, 179.9, 3000, 1000, 700).LonNE, 180.0);
}

std::int16_t Relief(double lat, double lon)
{
    return static_cast<std::int16_t>(std::lround(800 * std::sin(lat * 7) * std::cos(lon * 5) + 40 * lat + 900));
}

struct Area {
    const char* name;
    double centerLat, centerLon;
    std::int16_t km;
    float cols, rows;
    std::vector<std::pair<int, int>> tiles; // south-west corners of the tiles written
    std::pair<int, int> wrongLength{};      // the corner of a tile file of the wrong length, if any
    std::int16_t error = ReadOk;            // ErrNoDataDrive: without a data drive
};

class SamplingTest : public testing::Test {
protected:
    SharedState Frame(const Area& area)
    {
        for (const auto& [lat, lon] : area.tiles)
            if (written.insert({lat, lon}).second)
                test::WriteTile(dir.path(), lat, lon, Relief);
        SharedState s = Picture(area.centerLat, area.centerLon, area.km, area.cols, area.rows);
        s.DataDrive = dir.path();
        return s;
    }
    std::vector<int> rows;
    std::function<void(int)> afterRow = [this](int row) { rows.push_back(row); };
    test::TempDir dir;
    std::set<std::pair<int, int>> written;
};

void ExpectSameGrids(SharedState& a, SharedState& b)
{
    ASSERT_EQ(a.GridHeights.raw(), b.GridHeights.raw());
    const auto doubles = 2 * static_cast<std::size_t>(a.GridCoords.maxCol() + 1) * (a.GridCoords.maxRow() + 1);
    EXPECT_EQ(std::memcmp(&a.GridCoords(0, 0, 0), &b.GridCoords(0, 0, 0), doubles * sizeof(double)), 0);
}

TEST_F(SamplingTest, AgreesBitForBitWithTheLiteralSamplingAlsoWhereItStops)
{
    const Area areas[] = {
        {"inside one tile", 47.5, 7.5, 20, 64, 48, {{47, 7}}},
        {"four tiles, one missing", 48.0, 8.0, 150, 120, 90, {{47, 7}, {48, 7}, {47, 8}}},
        {"south and west", -8.0, -8.0, 100, 96, 70, {{-9, -9}, {-8, -9}, {-9, -8}, {-8, -8}}},
        {"across fifty degrees", 50.0, 10.5, 120, 100, 80, {{49, 10}, {50, 10}}},
        {"fractional picture", 47.5, 7.5, 30, 81.3F, 40.6F, {{47, 7}}},
        {"fractional, even whole columns", 47.5, 7.5, 30, 80.6F, 40.6F, {{47, 7}}},
        {"date line", 0.2, 179.95, 40, 70, 50, {{0, 179}, {0, -180}, {-1, 179}, {-1, -180}}},
        {"open sea", -30.5, -140.5, 300, 60, 40, {}},
        {"without a data drive", 47.5, 7.5, 20, 30, 20, {{47, 7}}, {}, ErrNoDataDrive},
        {"stop in the first row", 47.5, 8.0, 60, 60, 40, {{47, 7}}, {47, 8}, ErrFileLength},
        {"stop halfway down", 48.0, 7.5, 60, 60, 40, {{48, 7}}, {47, 7}, ErrFileLength},
    };
    for (const Area& area : areas) {
        SharedState literal = Frame(area);
        if (area.error == ErrNoDataDrive)
            literal.DataDrive.clear();
        if (area.error == ErrFileLength)
            test::WriteFileOfLength(test::TilePath(dir.path(), area.wrongLength.first, area.wrongLength.second), 5000);
        const SharedState unsampled = literal;
        rows.clear();
        EXPECT_EQ(test::SampleGridHeights(literal, afterRow), area.error) << area.name;
        EXPECT_EQ(NativePath(literal.Reader.FailedTileName, ""),
            area.error == ErrFileLength ? test::TilePath(dir.path(), area.wrongLength.first, area.wrongLength.second)
                                        : "")
            << area.name;
        const std::vector<int> literalRows = rows;
        for (const int threads : {1, 2, 3, 8}) {
            SCOPED_TRACE(testing::Message() << area.name << ", " << threads << " threads");
            SharedState fast = unsampled;
            rows.clear();
            EXPECT_EQ(SampleGridHeightsFast(fast, fast.Reader, fast, afterRow, threads), area.error);
            EXPECT_EQ(rows, literalRows);
            EXPECT_EQ(fast.Reader.FailedTileName, literal.Reader.FailedTileName);
            ExpectSameGrids(literal, fast);
        }
    }
}

// Missing tiles and void nodes are missing data, not failures: NoData at exactly
// the points where the reader meets them, the reader's heights everywhere else.
TEST_F(SamplingTest, MissingTilesAndNodesBecomeNoDataAtExactlyTheirPoints)
{
    SharedState s = Frame({"a tile and the sea east of it", 47.5, 8.0, 40, 40, 30, {{47, 7}}});
    for (int row = 0; row < RowsPerBlock; ++row)
        for (int node = 0; node < Kind3Geometry.nodesPerRow; node += 7)
            test::SetNodeHeight(test::TilePath(dir.path(), 47, 7), TileKind::Kind3,
                LocateTile(s.LatN - 0.05, 7.9).blockNo, node, row, NoData);
    ASSERT_EQ(SampleGridHeightsFast(s, s.Reader, s, {}, 2), ReadOk);
    SharedState reader;
    reader.DataDrive = dir.path();
    std::set<std::int16_t> errors;
    for (int j = 1; j <= 30; ++j) {
        for (int i = 1; i <= 40; ++i) {
            double lon = s.GridCoords(1, i, j);
            std::int16_t height = 0;
            std::int16_t error = 0;
            ReadTileHeight(reader, reader.Reader, s.GridCoords(0, i, j), lon, height, error);
            const bool missing = error == ErrNoDataNode || error == ErrTileNotOpened;
            EXPECT_EQ(s.GridHeights(i, j), missing ? NoData : height) << i << ", " << j;
            errors.insert(error);
        }
    }
    EXPECT_EQ(errors, (std::set<std::int16_t>{ReadOk, ErrTileNotOpened, ErrNoDataNode}));
}

// Only whole columns and rows are sampled, never beyond the dimensioned grid;
// each row is reported in order on the calling thread once it is stored, and
// the reader's cache is left alone.
TEST_F(SamplingTest, FillsTheWholeColumnsAndRowsReportingEachRowOnceStored)
{
    for (const int threads : {1, 3}) {
        SharedState s = Frame({"one tile", 47.5, 7.5, 20, 15.5F, 10.5F, {{47, 7}}});
        ASSERT_EQ(s.GridHeights.maxCol(), 16);
        s.Reader.OpenTileName = "kept";
        const std::thread::id caller = std::this_thread::get_id();
        int reported = 0;
        const auto check = [&](int row) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_EQ(row, ++reported);
            EXPECT_NE(s.GridHeights(15, row), 0) << "row " << row << " is stored";
            EXPECT_EQ(s.GridHeights(16, row), 0);
            EXPECT_EQ(s.GridHeights(0, row), 0);
            if (row < 10) {
                EXPECT_EQ(s.GridCoords(0, 1, row + 1), 0.0) << "row " << row + 1 << " is not";
            }
        };
        ASSERT_EQ(SampleGridHeightsFast(s, s.Reader, s, check, threads), ReadOk);
        EXPECT_EQ(reported, 10);
        EXPECT_EQ(s.Reader.OpenTileName, "kept");
        s.PicCols = 40;
        s.PicRows = 30;
        EXPECT_EQ(SampleGridHeightsFast(s, s.Reader, s, {}, threads), ReadOk);
    }
}

TEST(SamplingThreads, TakesAWholeNumberFromMarnThreadsAndOtherwiseEveryProcessor)
{
    ::unsetenv("MARN_THREADS");
    const int processors = SamplingThreads();
    EXPECT_GE(processors, 1);
    for (const auto& [value, threads] :
        std::initializer_list<std::pair<const char*, int>>{{"3", 3}, {"1", 1}, {"999", 256}, {"0", processors},
            {"-2", processors}, {"two", processors}, {"4x", processors}, {"", processors}}) {
        ::setenv("MARN_THREADS", value, 1);
        EXPECT_EQ(SamplingThreads(), threads) << "MARN_THREADS=" << value;
    }
    ::unsetenv("MARN_THREADS");
}

// Missing tiles stay missing for the whole picture; a block row is read once
// while rows use it and read again after a row without it.
TEST_F(SamplingTest, BlockCacheRemembersMissingTilesAndKeepsBlocksInUse)
{
    TileBlockStore store(dir.path(), "");
    TileBlockCache cache(store);
    std::int16_t height = 0;
    EXPECT_EQ(cache.heightAt(46.5, 7.5, height), ErrTileNotOpened);
    test::WriteTile(dir.path(), 46, 7, Relief);
    test::WriteTile(dir.path(), 47, 7, Relief);
    int row = 1;
    for (const bool used : {true, true, true, false, true}) {
        if (used) {
            EXPECT_EQ(cache.heightAt(46.5, 7.5, height), ErrTileNotOpened);
            ASSERT_EQ(cache.heightAt(47.31, 7.51, height), ReadOk);
            ASSERT_EQ(cache.heightAt(47.61, 7.81, height), ReadOk);
        }
        store.rowsFinished(row);
        cache.startRow(++row);
    }
    EXPECT_EQ(store.reads(), 4U);
    TileBlockStore nextPicture(dir.path(), "");
    TileBlockCache nextCache(nextPicture);
    EXPECT_EQ(nextCache.heightAt(46.5, 7.5, height), ReadOk);
    TileBlockStore noDrive("", "");
    TileBlockCache noDriveCache(noDrive);
    EXPECT_EQ(noDriveCache.heightAt(95, 7, height), ErrNoDataDrive);
}

} // namespace
} // namespace marn
