// The fast sampling against the literal one (test::SampleGridHeights with
// ReadTileHeight) on the same areas: coordinates and heights must agree bit
// for bit, and so must the error that stops a sampling.

#include "core/FastHeightSampling.h"

#include "core/GridSetUp.h"
#include "core/TileLocation.h"
#include "core/TileReadErrors.h"
#include "core/TileReader.h"
#include "tests/support/LiteralSampling.h"
#include "tests/support/PictureArea.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace marn {
namespace {

using test::TempDir;

std::int16_t Relief(double lat, double lon)
{
    return static_cast<std::int16_t>(std::lround(800 * std::sin(lat * 7) * std::cos(lon * 5) + 40 * lat + 900));
}

struct Area {
    const char* name;
    double centerLat;
    double centerLon;
    std::int16_t km;
    float cols;
    float rows;
    std::vector<std::pair<int, int>> tiles; // south-west corners of the tiles written
};

constexpr int SamplingThreadCounts[] = {1, 2, 3, 8};

class FastSamplingTest : public testing::Test {
protected:
    SharedState Frame(const Area& area)
    {
        for (const auto& [lat, lon] : area.tiles)
            if (written.insert({lat, lon}).second)
                test::WriteTile(dir.path(), lat, lon, Relief);
        SharedState s;
        s.DataDrive = dir.path();
        test::SetPictureArea(s, area.centerLat, area.centerLon, area.km, area.cols, area.rows, 3, 4);
        SetUpGrid(s);
        return s;
    }

    struct Outcome {
        std::int16_t error;
        std::vector<int> rows;
    };
    static Outcome Literal(SharedState& s)
    {
        Outcome o;
        o.error = test::SampleGridHeights(s, [&](int row) { o.rows.push_back(row); });
        return o;
    }
    static Outcome Fast(SharedState& s, int threads)
    {
        Outcome o;
        o.error = SampleGridHeightsFast(
            s, [&](int row) { o.rows.push_back(row); }, threads);
        return o;
    }

    static void ExpectSameGrids(const SharedState& a, const SharedState& b)
    {
        ASSERT_EQ(a.GridHeights.raw(), b.GridHeights.raw());
        for (int j = 0; j <= a.GridCoords.maxRow(); ++j)
            for (int i = 0; i <= a.GridCoords.maxCol(); ++i)
                for (int k = 0; k < 2; ++k)
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(a.GridCoords(k, i, j)),
                        std::bit_cast<std::uint64_t>(b.GridCoords(k, i, j)))
                        << k << ", " << i << ", " << j;
    }

    // Both samplings of the same area stop with the expected error after the same rows,
    // leaving the same grids, however many threads the fast one uses.
    static void ExpectSameStop(SharedState& literal, std::int16_t error)
    {
        const SharedState unsampled = literal;
        const Outcome expected = Literal(literal);
        EXPECT_EQ(expected.error, error);
        for (const int threads : SamplingThreadCounts) {
            SCOPED_TRACE(testing::Message() << threads << " threads");
            SharedState fast = unsampled;
            const Outcome got = Fast(fast, threads);
            EXPECT_EQ(got.error, expected.error);
            EXPECT_EQ(got.rows, expected.rows);
            ExpectSameGrids(literal, fast);
        }
    }

    // Distinct block rows of existing tiles that the sampled points fall into.
    static std::size_t BlockRowsWithData(const SharedState& s)
    {
        std::set<std::pair<std::string, int>> blocks;
        for (int j = 1; j <= static_cast<int>(s.PicRows); ++j) {
            for (int i = 1; i <= static_cast<int>(s.PicCols); ++i) {
                if (s.GridHeights(i, j) == NoData)
                    continue;
                double lon = s.GridCoords(1, i, j);
                NormaliseLongitude(lon);
                const TileLocation at = LocateTile(s.GridCoords(0, i, j), lon);
                blocks.insert({LogicalTilePath("X", at.name), at.blockRow});
            }
        }
        return blocks.size();
    }

    TempDir dir;
    std::set<std::pair<int, int>> written;
};

TEST_F(FastSamplingTest, AgreesBitForBitWithTheLiteralSampling)
{
    const Area areas[] = {
        {"inside one tile", 47.5, 7.5, 20, 64, 48, {{47, 7}}},
        {"four tiles, one missing", 48.0, 8.0, 150, 120, 90, {{47, 7}, {48, 7}, {47, 8}}},
        {"south and west", -8.0, -8.0, 100, 96, 70, {{-9, -9}, {-8, -9}, {-9, -8}, {-8, -8}}},
        {"across fifty degrees", 50.0, 10.5, 120, 100, 80, {{49, 10}, {50, 10}}},
        {"fractional picture", 47.5, 7.5, 30, 81.3F, 40.6F, {{47, 7}}},
        {"date line", 0.2, 179.95, 40, 70, 50, {{0, 179}, {0, -180}, {-1, 179}, {-1, -180}}},
        {"open sea", -30.5, -140.5, 300, 60, 40, {}},
    };
    for (const Area& area : areas) {
        SharedState literal = Frame(area);
        const SharedState unsampled = literal;
        const Outcome expected = Literal(literal);
        for (const int threads : SamplingThreadCounts) {
            SCOPED_TRACE(testing::Message() << area.name << ", " << threads << " threads");
            SharedState fast = unsampled;
            const Outcome got = Fast(fast, threads);
            EXPECT_EQ(got.error, ReadOk);
            EXPECT_EQ(got.error, expected.error);
            EXPECT_EQ(got.rows, expected.rows);
            ExpectSameGrids(literal, fast);
            EXPECT_EQ(fast.Reader.BlockReads, BlockRowsWithData(fast));
            EXPECT_LE(fast.Reader.BlockReads, literal.Reader.BlockReads);
        }
    }
}

TEST_F(FastSamplingTest, StopsAtTheSameFatalErrorAsTheLiteralSampling)
{
    struct Stop {
        const char* name;
        Area area;
        std::pair<int, int> wrongLength; // the corner of a tile file of the wrong length
        std::int16_t error;
    };
    const Stop stops[] = {
        {"in the first row", {"", 47.5, 8.0, 60, 60, 40, {{47, 7}}}, {47, 8}, ErrFileLength},
        {"halfway down", {"", 48.0, 7.5, 60, 60, 40, {{48, 7}}}, {47, 7}, ErrFileLength},
        {"without a data drive", {"", 47.5, 7.5, 20, 30, 20, {{47, 7}}}, {0, 0}, ErrNoDataDrive},
    };
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.name);
        SharedState literal = Frame(stop.area);
        if (stop.error == ErrNoDataDrive)
            literal.DataDrive.clear();
        else
            test::WriteFileOfLength(test::TilePath(dir.path(), stop.wrongLength.first, stop.wrongLength.second), 5000);
        ExpectSameStop(literal, stop.error);
    }
}

// The grid is written by the calling thread only, each row just before the
// progress hears of it, so the progress window may look at the rows it has heard of.
TEST_F(FastSamplingTest, ReportsEachRowInOrderOnTheCallingThreadOnceItIsStored)
{
    SharedState s = Frame({"one tile", 47.5, 7.5, 20, 30, 24, {{47, 7}}});
    for (const int threads : SamplingThreadCounts) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        SetUpGrid(s);
        const std::thread::id caller = std::this_thread::get_id();
        int reported = 0;
        const auto afterRow = [&](int row) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_EQ(row, ++reported);
            EXPECT_NE(s.GridHeights(30, row), 0) << "row " << row << " is stored";
            if (row < 24) {
                EXPECT_EQ(s.GridCoords(0, 1, row + 1), 0.0) << "row " << row + 1 << " is not";
            }
        };
        ASSERT_EQ(SampleGridHeightsFast(s, afterRow, threads), ReadOk);
        EXPECT_EQ(reported, 24);
    }
}

// A void is missing data, not a failure: NoData at exactly the points whose
// four nodes include one, the same heights as the reader everywhere else.
TEST_F(FastSamplingTest, MissingNodesBecomeNoDataAtExactlyTheirPoints)
{
    const Area area{"one tile", 47.5, 7.5, 20, 40, 30, {{47, 7}}};
    SharedState literal = Frame(area);
    const TileLocation at = LocateTile(literal.LatN - 0.05, 7.5);
    const TileGeometry& g = GeometryOf(TileKind::Kind3);
    for (int row = 0; row < RowsPerBlock; ++row)
        for (int node = 0; node < g.nodesPerRow; node += 7)
            test::SetNodeHeight(test::TilePath(dir.path(), 47, 7), TileKind::Kind3, at.blockNo, node, row, NoData);
    SharedState fast = literal;
    EXPECT_EQ(Literal(literal).error, ReadOk);
    EXPECT_EQ(Fast(fast, 2).error, ReadOk);
    ExpectSameGrids(literal, fast);
    SharedState reader;
    reader.DataDrive = dir.path();
    int voids = 0;
    for (int j = 1; j <= 30; ++j) {
        for (int i = 1; i <= 40; ++i) {
            double lon = fast.GridCoords(1, i, j);
            std::int16_t height = 0;
            std::int16_t error = 0;
            ReadTileHeight(reader, fast.GridCoords(0, i, j), lon, height, error);
            EXPECT_EQ(fast.GridHeights(i, j), error == ErrNoDataNode ? NoData : height) << i << ", " << j;
            voids += error == ErrNoDataNode ? 1 : 0;
        }
    }
    EXPECT_GT(voids, 0);
    EXPECT_LT(voids, 40 * 30);
}

TEST_F(FastSamplingTest, LeavesTheReadersCacheAlone)
{
    SharedState s = Frame({"one tile", 47.5, 7.5, 20, 16, 12, {{47, 7}}});
    s.Reader.OpenTileName = "kept";
    s.Reader.OpenBlockNo = 17;
    ASSERT_EQ(Fast(s, 2).error, ReadOk);
    EXPECT_EQ(s.Reader.OpenTileName, "kept");
    EXPECT_EQ(s.Reader.OpenBlockNo, 17);
}

TEST(SamplingThreadsTest, TakesAWholeNumberFromMarnThreadsAndOtherwiseEveryProcessor)
{
    const char* before = std::getenv("MARN_THREADS");
    const std::string kept = before == nullptr ? "" : before;
    ::unsetenv("MARN_THREADS");
    const int processors = SamplingThreads();
    const struct {
        const char* value;
        int threads;
    } cases[] = {{"3", 3}, {"1", 1}, {"999", 256}, {"0", processors}, {"-2", processors}, {"two", processors},
        {"4x", processors}, {"", processors}};
    for (const auto& c : cases) {
        ::setenv("MARN_THREADS", c.value, 1);
        EXPECT_EQ(SamplingThreads(), c.threads) << "MARN_THREADS=" << c.value;
    }
    if (before == nullptr)
        ::unsetenv("MARN_THREADS");
    else
        ::setenv("MARN_THREADS", kept.c_str(), 1);
    EXPECT_GE(processors, 1);
}

} // namespace
} // namespace marn
