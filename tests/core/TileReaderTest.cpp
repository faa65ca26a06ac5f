#include "core/TileReader.h"
#include "core/SharedState.h"

#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <vector>

namespace marn {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t Kind3RecordBytes = 20402;
constexpr std::int64_t Block43Offset = 856884;
// Rounding the interpolated value to whole metres, plus the float steps.
constexpr double InterpolationTolerance = 1.0;
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct Reading {
    std::int16_t height = -1;
    std::int16_t error = -1;
    double lon = 0;
};

// Heights that change linearly with position (signed longitude), so bilinear
// interpolation gives them back; a point read a tile or a hemisphere off is
// tens of metres or more away.
double SlopeAt(double lat, double lon)
{
    return 300 * lat + 80 * lon;
}
std::int16_t Slope(double lat, double lon)
{
    return static_cast<std::int16_t>(std::lround(SlopeAt(lat, lon)));
}

class TileReaderTest : public testing::Test {
protected:
    TileReaderTest() { s.DataDrive = dir.path(); }

    Reading Read(double lat, double lon)
    {
        Reading r;
        r.lon = lon;
        ReadTileHeight(s, s.Reader, lat, r.lon, r.height, r.error);
        return r;
    }
    test::TempDir dir;
    SharedState s;
};

TEST_F(TileReaderTest, WorkedExampleInterpolatesBetweenFourNodes)
{
    const std::string path = test::WriteFlatTile(dir.path(), 47, 7, 0);
    test::WriteInt16At(path, Block43Offset + 12324, 100);
    test::WriteInt16At(path, Block43Offset + 12326, 110);
    test::WriteInt16At(path, Block43Offset + 12526, 120);
    test::WriteInt16At(path, Block43Offset + 12528, 130);
    test::WriteInt16At(path, Block43Offset + 12120, 321);
    EXPECT_EQ(Block43Offset, 42 * Kind3RecordBytes);

    const Reading between = Read(47.30125, 7.501);
    EXPECT_EQ(between.error, ReadOk);
    EXPECT_EQ(between.height, 112);
    EXPECT_EQ(s.Reader.OpenTileName, dir.path() + R"(\MARN\E007\E007N47.33E)");
    EXPECT_EQ(s.Reader.OpenBlockNo, 43);

    const Reading onNode = Read(47.3, 7.5);
    EXPECT_EQ(onNode.error, ReadOk);
    EXPECT_EQ(onNode.height, 321);
}

TEST_F(TileReaderTest, AnswersTheHeightFunctionInEveryHemisphereAndKind)
{
    const struct {
        int lat, lon;
        double climb = 0; // metres per degree east on top of the slope, from the tile's western edge
    } tiles[] = {{47, 7}, {-8, -8}, {55, 10}, {-51, 20}, {0, -1}, {-1, 0}, {10, 179}, {10, -180},
        {60, -1, 6000}}; // 10 m from one 6" node to the next
    for (const auto& t : tiles)
        test::WriteTile(dir.path(), t.lat, t.lon, [&t](double lat, double lon) {
            return static_cast<std::int16_t>(std::lround(SlopeAt(lat, lon) + t.climb * (lon - t.lon)));
        });
    const double fractions[] = {0.0, 0.0004, 0.25, 0.5001, 0.73, 0.9999};
    for (const auto& t : tiles) {
        for (const double f : fractions) {
            for (const double g : fractions) {
                const double lat = t.lat + f;
                const double lon = t.lon + g;
                SCOPED_TRACE(testing::Message() << lat << " " << lon);
                const Reading r = Read(lat, lon);
                ASSERT_EQ(r.error, ReadOk);
                EXPECT_NEAR(r.height, SlopeAt(lat, lon) + t.climb * g, InterpolationTolerance);
                EXPECT_EQ(r.lon, lon < 0 ? lon + 360 : lon);
            }
        }
    }
    // A whole turn is the eastern edge of the tiles west of the zero meridian's.
    EXPECT_EQ(Read(0.5, 712.5).lon, 352.5);
    EXPECT_EQ(Read(-0.5, 360.0).error, ReadOk);
    EXPECT_EQ(s.Reader.OpenTileName, dir.path() + R"(\MARN\E000\E000S00.33E)");
}

TEST_F(TileReaderTest, EdgeSecondsStayInsideTheLastBlock)
{
    const std::string path = test::WriteTile(dir.path(), 47, 7, Slope);
    // Row 100 of block row 12 is the tile's northern edge; the pair read is rows 99 and 100.
    for (const int node : {0, 1}) {
        test::SetNodeHeight(path, TileKind::Kind3, 133, node, 98, 0);
        test::SetNodeHeight(path, TileKind::Kind3, 133, node, 99, 1000);
        test::SetNodeHeight(path, TileKind::Kind3, 133, node, 100, 2000);
    }
    EXPECT_EQ(Read(47.999, 7.0).height, 800);   // 3596": rows 98 and 99, tLat = 0.8
    EXPECT_EQ(Read(47.9999, 7.0).height, 1880); // tLat = 0.88
    EXPECT_EQ(s.Reader.OpenBlockNo, 133);
    const Reading east = Read(47.5, 7.9999);
    EXPECT_EQ(east.error, ReadOk);
    EXPECT_NEAR(east.height, SlopeAt(47.5, 7.9999), InterpolationTolerance);
}

// Every error gives height 0 and leaves the cache as its value promises: 600, 300
// and 500 keep the open file and block, 400 too; 220 keeps the file but no
// block; 36 and 700 close the file. Arguments refused keep the caller's longitude.
TEST_F(TileReaderTest, EveryErrorLeavesTheCacheAsPromised)
{
    using Edit = std::function<void(const std::string& root)>;
    const auto node = [](int lonIndex, int latRow, std::int16_t value) {
        return [=](const std::string& root) {
            test::SetNodeHeight(test::TilePath(root, 47, 7), TileKind::Kind3, 43, lonIndex, latRow, value);
        };
    };
    const auto both = [](Edit a, Edit b) { return [=](const std::string& root) { a(root), b(root); }; };
    const auto length = [](int lat, int lon, std::int64_t bytes) {
        return [=](const std::string& root) { test::WriteFileOfLength(test::TilePath(root, lat, lon), bytes); };
    };
    const Edit none = [](const std::string&) {};
    const struct {
        const char* name;
        std::int16_t flat; // height of tile (47, 7), opened at block 1 before the edit
        Edit edit;
        double lat, lon;
        std::int16_t error;
        int blockNo; // -1: no file open afterwards
    } cases[] = {
        {"no data drive", 5, [this](const std::string&) { s.DataDrive.clear(); }, 47.5, -7.5, ErrNoDataDrive, 1},
        {"latitude above 90", 5, none, 90.0001, -7.5, ErrLatitude, 1},
        {"latitude below -90", 5, none, -90.5, -7.5, ErrLatitude, 1},
        {"latitude NaN", 5, none, NaN, -7.5, ErrLatitude, 1},
        {"longitude infinity", 5, none, 47.5, Inf, ErrReader, 1},
        {"longitude NaN", 5, none, 47.5, NaN, ErrReader, 1},
        {"tile missing", 5, none, 47.5, 8.5, ErrTileNotOpened, -1},
        {"a directory as the tile", 5,
            [](const std::string& root) { fs::create_directories(test::TilePath(root, 47, 8)); }, 47.5, 8.5,
            ErrTileNotOpened, -1},
        {"a plain file as its directory", 5, [](const std::string& root) { std::ofstream(root + "/MARN/E008") << "x"; },
            47.5, 8.5, ErrTileNotOpened, -1},
        {"empty", 5, length(47, 8, 0), 47.5, 8.5, ErrFileLength, -1},
        {"a byte short", 5, length(47, 8, 144 * Kind3RecordBytes - 1), 47.5, 8.5, ErrFileLength, -1},
        {"a byte long", 5, length(47, 8, 144 * Kind3RecordBytes + 1), 47.5, 8.5, ErrFileLength, -1},
        {"the other kind's length", 5, length(47, 8, 1483488), 47.5, 8.5, ErrFileLength, -1},
        {"kind 6 of kind 3 length", 5, length(55, 8, 144 * Kind3RecordBytes), 55.5, 8.5, ErrFileLength, -1},
        // Node (1, 61) of block 43 is the north-east neighbour of node (0, 60).
        {"no data at a node", 50, node(1, 61, NoData), 47.3, 7.5, ErrNoDataNode, 43},
        {"no data between nodes", 50, node(1, 61, NoData), 47.3, 7.501, ErrNoDataNode, 43},
        {"a difference beyond 16 bits", 0, both(node(0, 60, -9998), node(1, 60, 30000)), 47.3, 7.5, ErrReader, 43},
        // 1802.6" rounds to the node at 1803", so the point lies west of it: tLon < 0.
        {"an extrapolation beyond 16 bits", 32767, both(node(2, 60, 0), node(2, 61, 0)), 47.3, 7 + 1802.6 / 3600,
            ErrReader, 43},
        {"a block cut short", 5,
            [](const std::string& root) { fs::resize_file(test::TilePath(root, 47, 7), 100 * Kind3RecordBytes + 7); },
            47.99, 7.99, ErrBlockRead, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempDir root;
        s = SharedState();
        s.DataDrive = root.path();
        test::WriteFlatTile(root.path(), 47, 7, c.flat);
        ASSERT_EQ(Read(47.01, 7.01).error, ReadOk);
        c.edit(root.path());
        const Reading r = Read(c.lat, c.lon);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.height, 0);
        EXPECT_TRUE(r.lon == c.lon || std::isnan(c.lon));
        EXPECT_EQ(s.Reader.OpenTileName, c.blockNo < 0 ? "" : root.path() + R"(\MARN\E007\E007N47.33E)");
        EXPECT_EQ(s.Reader.OpenBlockNo, std::max(c.blockNo, 0));
        EXPECT_EQ(s.Reader.OpenFile.isOpen(), c.blockNo >= 0);
    }
    s.DataDrive = dir.path(); // a missing tile is tried again
    ASSERT_EQ(Read(47.5, 8.5).error, ErrTileNotOpened);
    test::WriteFlatTile(dir.path(), 47, 8, 9);
    EXPECT_EQ(Read(47.5, 8.5).height, 9);
}

// One file open, one block buffered: only a new block is read, only a new tile (or
// an emptied tile name) opens a file, and a copy of the state has its own file.
TEST_F(TileReaderTest, CachesOneFileAndOneBlock)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    test::WriteTile(dir.path(), 47, 8, Slope);
    ASSERT_EQ(Read(47.30125, 7.501).error, ReadOk);
    ASSERT_EQ(Read(47.31, 7.52).error, ReadOk);
    EXPECT_EQ(s.Reader.BlockReads, 1U);
    s.Reader.TileFileNo = 7; // reopening would take a fresh number
    ASSERT_EQ(Read(47.99, 7.99).error, ReadOk);
    EXPECT_EQ(s.Reader.OpenBlockNo, 144);
    EXPECT_EQ(s.Reader.TileFileNo, 7);
    {
        const SharedState copy = s;
        EXPECT_TRUE(copy.Reader.OpenFile.isOpen());
    }
    ASSERT_EQ(Read(47.9, 7.9).error, ReadOk);
    EXPECT_EQ(s.Reader.BlockReads, 3U);
    ASSERT_EQ(Read(47.5, 8.5).error, ReadOk);
    EXPECT_EQ(s.Reader.OpenTileName, dir.path() + R"(\MARN\E008\E008N47.33E)");
    test::WriteFlatTile(dir.path(), 47, 8, 6);
    EXPECT_NE(Read(47.5, 8.5).height, 6); // still the buffered block
    s.Reader.OpenTileName.clear();
    EXPECT_EQ(Read(47.5, 8.5).height, 6);
    EXPECT_EQ(s.Reader.BlockReads, 5U);
}

} // namespace
} // namespace marn
