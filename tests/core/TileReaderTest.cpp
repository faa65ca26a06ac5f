#include "core/TileReader.h"

#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <unistd.h>

namespace marn {
namespace {

using test::TempDir;

constexpr std::int64_t Kind3RecordBytes = 20402;
constexpr std::int64_t Block43Offset = 856884;
// Rounding the interpolated value to whole metres, plus the float steps.
constexpr double InterpolationTolerance = 1.0;

struct Reading {
    std::int16_t height = -1;
    std::int16_t error = -1;
    double lon = 0;
};

class TileReaderTest : public testing::Test {
protected:
    TileReaderTest() { s.DataDrive = dir.path(); }

    Reading Read(double lat, double lon)
    {
        Reading r;
        r.lon = lon;
        ReadTileHeight(s, lat, r.lon, r.height, r.error);
        return r;
    }
    std::string LogicalPathOf(int southLat, int westLon) const
    {
        return dir.path() + "\\MARN\\" + test::LonField(westLon) + "\\" + test::TileFileName(southLat, westLon);
    }

    TempDir dir;
    SharedState s;
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
    struct TileCase {
        int southLat;
        int westLon;
    };
    const TileCase tiles[] = {{47, 7}, {-8, -8}, {55, 10}, {-51, 20}, {0, -1}, {-1, 0}, {10, 179}, {10, -180}};
    for (const TileCase& t : tiles)
        test::WriteTile(dir.path(), t.southLat, t.westLon, Slope);

    const double fractions[] = {0.0, 0.0004, 0.25, 0.5001, 0.73, 0.9999};
    for (const TileCase& t : tiles) {
        for (const double f : fractions) {
            for (const double g : fractions) {
                const double lat = t.southLat + f;
                const double lon = t.westLon + g;
                SCOPED_TRACE(testing::Message() << lat << " " << lon);
                const Reading r = Read(lat, lon);
                ASSERT_EQ(r.error, ReadOk);
                EXPECT_NEAR(r.height, SlopeAt(lat, lon), InterpolationTolerance);
            }
        }
    }
}

TEST_F(TileReaderTest, NormalisesTheCallersLongitude)
{
    test::WriteTile(dir.path(), 47, -8, Slope);
    test::WriteTile(dir.path(), 47, 0, Slope);
    struct Case {
        double lon;
        double normalised;
    };
    for (const Case c : {Case{-7.5, 352.5}, Case{712.5, 352.5}, Case{-352.5, 7.5}, Case{360.0, 360.0}}) {
        SCOPED_TRACE(c.lon);
        const Reading r = Read(47.5, c.lon);
        EXPECT_EQ(r.lon, c.normalised);
    }
    const Reading west = Read(47.5, 352.5);
    EXPECT_EQ(west.error, ReadOk);
    EXPECT_NEAR(west.height, SlopeAt(47.5, -7.5), InterpolationTolerance);
    const Reading fullTurn = Read(47.5, 360.0);
    EXPECT_EQ(fullTurn.error, ReadOk);
    EXPECT_EQ(s.Reader.OpenTileName, LogicalPathOf(47, 0));
    EXPECT_NEAR(fullTurn.height, SlopeAt(47.5, 0.0), InterpolationTolerance);
}

TEST_F(TileReaderTest, EdgeSecondsStayInsideTheLastBlock)
{
    const std::string path = test::WriteTile(dir.path(), 47, 7, Slope);
    // Row 100 of block row 12 is the tile's northern edge; the pair read is rows 99 and 100.
    test::SetNodeHeight(path, TileKind::Kind3, 133, 0, 99, 1000);
    test::SetNodeHeight(path, TileKind::Kind3, 133, 1, 99, 1000);
    test::SetNodeHeight(path, TileKind::Kind3, 133, 0, 100, 2000);
    test::SetNodeHeight(path, TileKind::Kind3, 133, 1, 100, 2000);
    test::SetNodeHeight(path, TileKind::Kind3, 133, 0, 98, 0);
    test::SetNodeHeight(path, TileKind::Kind3, 133, 1, 98, 0);
    const Reading nearNorth = Read(47.999, 7.0); // 3596": rows 98 and 99, tLat = 0.8
    EXPECT_EQ(nearNorth.error, ReadOk);
    EXPECT_EQ(nearNorth.height, 800);
    const Reading north = Read(47.9999, 7.0);
    EXPECT_EQ(north.error, ReadOk);
    EXPECT_EQ(north.height, 1880); // tLat = 0.88
    EXPECT_EQ(s.Reader.OpenBlockNo, 133);

    const Reading east = Read(47.5, 7.9999);
    EXPECT_EQ(east.error, ReadOk);
    EXPECT_NEAR(east.height, SlopeAt(47.5, 7.9999), InterpolationTolerance);
}

TEST_F(TileReaderTest, RefusesAnEmptyDataDriveLeavingTheCacheAlone)
{
    test::WriteFlatTile(dir.path(), 47, 7, 5);
    ASSERT_EQ(Read(47.5, 7.5).error, ReadOk);
    const std::string open = s.Reader.OpenTileName;
    s.DataDrive.clear();
    const Reading r = Read(47.5, -7.5);
    EXPECT_EQ(r.error, ErrNoDataDrive);
    EXPECT_EQ(r.height, 0);
    EXPECT_EQ(r.lon, -7.5);
    EXPECT_EQ(s.Reader.OpenTileName, open);
    EXPECT_TRUE(s.Reader.OpenFile.isOpen());
}

TEST_F(TileReaderTest, RefusesLatitudesOutsideTheGlobe)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double lat : {90.0001, -90.5, 1000.0, nan, inf, -inf}) {
        SCOPED_TRACE(lat);
        const Reading r = Read(lat, -7.5);
        EXPECT_EQ(r.error, ErrLatitude);
        EXPECT_EQ(r.height, 0);
        EXPECT_EQ(r.lon, -7.5);
    }
}

TEST_F(TileReaderTest, RefusesLongitudesThatCannotBeNormalised)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const double lon : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(lon);
        std::int16_t height = -1;
        std::int16_t error = -1;
        double value = lon;
        ReadTileHeight(s, 47.5, value, height, error);
        EXPECT_EQ(error, ErrReader);
        EXPECT_EQ(height, 0);
    }
}

TEST_F(TileReaderTest, MissingTileClosesTheOpenFileAndIsTriedAgain)
{
    test::WriteFlatTile(dir.path(), 47, 7, 5);
    ASSERT_EQ(Read(47.5, 7.5).error, ReadOk);
    const Reading missing = Read(47.5, 8.5);
    EXPECT_EQ(missing.error, ErrTileNotOpened);
    EXPECT_EQ(missing.height, 0);
    EXPECT_EQ(s.Reader.OpenTileName, "");
    EXPECT_EQ(s.Reader.OpenBlockNo, 0);
    EXPECT_FALSE(s.Reader.OpenFile.isOpen());

    test::WriteFlatTile(dir.path(), 47, 8, 9);
    const Reading found = Read(47.5, 8.5);
    EXPECT_EQ(found.error, ReadOk);
    EXPECT_EQ(found.height, 9);
}

TEST_F(TileReaderTest, SomethingOtherThanAFileIsNotOpened)
{
    std::filesystem::create_directories(test::TilePath(dir.path(), 47, 7));
    const Reading r = Read(47.5, 7.5);
    EXPECT_EQ(r.error, ErrTileNotOpened);
    EXPECT_EQ(s.Reader.OpenTileName, "");
}

TEST_F(TileReaderTest, UnreadableFileIsNotOpened)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind the superuser";
    const std::string path = test::WriteFlatTile(dir.path(), 47, 7, 5);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const Reading r = Read(47.5, 7.5);
    EXPECT_EQ(r.error, ErrTileNotOpened);
    EXPECT_EQ(s.Reader.OpenTileName, "");
}

TEST_F(TileReaderTest, WrongLengthIsRefusedForEveryPointAndClosed)
{
    const std::string path = test::TilePath(dir.path(), 47, 7);
    for (const std::int64_t length : {std::int64_t{0}, Kind3RecordBytes, 144 * Kind3RecordBytes - 1,
             144 * Kind3RecordBytes + 1, std::int64_t{1483488}}) {
        SCOPED_TRACE(length);
        test::WriteFileOfLength(path, length);
        for (const double lat : {47.1, 47.9}) {
            const Reading r = Read(lat, 7.5);
            EXPECT_EQ(r.error, ErrFileLength);
            EXPECT_EQ(r.height, 0);
            EXPECT_EQ(s.Reader.OpenTileName, "");
            EXPECT_FALSE(s.Reader.OpenFile.isOpen());
        }
    }
}

TEST_F(TileReaderTest, KindSixFileOfKindThreeLengthIsRefused)
{
    test::WriteFileOfLength(test::TilePath(dir.path(), 55, 10), 144 * Kind3RecordBytes);
    EXPECT_EQ(Read(55.5, 10.5).error, ErrFileLength);
}

TEST_F(TileReaderTest, ShortBlockReadFails)
{
    const std::string path = test::WriteFlatTile(dir.path(), 47, 7, 5);
    ASSERT_EQ(Read(47.01, 7.01).error, ReadOk);
    std::filesystem::resize_file(path, 100 * Kind3RecordBytes + 7);
    const Reading r = Read(47.99, 7.99);
    EXPECT_EQ(r.error, ErrBlockRead);
    EXPECT_EQ(r.height, 0);
    EXPECT_EQ(s.Reader.OpenBlockNo, 0);
    EXPECT_EQ(s.Reader.OpenTileName, LogicalPathOf(47, 7));
}

TEST_F(TileReaderTest, NoDataAmongTheFourNodesFailsButKeepsTheBlock)
{
    const std::string path = test::WriteFlatTile(dir.path(), 47, 7, 50);
    // Node (1, 61) of block 43 is the north-east neighbour of node (0, 60).
    test::SetNodeHeight(path, TileKind::Kind3, 43, 1, 61, NoData);
    for (const double lon : {7.5, 7.501, 7.5005}) {
        SCOPED_TRACE(lon);
        const Reading r = Read(47.3, lon);
        EXPECT_EQ(r.error, ErrNoDataNode);
        EXPECT_EQ(r.height, 0);
        EXPECT_EQ(s.Reader.OpenBlockNo, 43);
        EXPECT_EQ(s.Reader.OpenTileName, LogicalPathOf(47, 7));
    }
    EXPECT_EQ(Read(47.2, 7.5).height, 50);
}

TEST_F(TileReaderTest, DifferencesBeyondSixteenBitsOverflow)
{
    const std::string path = test::WriteFlatTile(dir.path(), 47, 7, 0);
    test::SetNodeHeight(path, TileKind::Kind3, 43, 0, 60, -9998);
    test::SetNodeHeight(path, TileKind::Kind3, 43, 1, 60, 30000);
    const Reading r = Read(47.3, 7.5);
    EXPECT_EQ(r.error, ErrReader);
    EXPECT_EQ(r.height, 0);
    EXPECT_EQ(s.Reader.OpenBlockNo, 43);
}

TEST_F(TileReaderTest, ExtrapolationBeyondSixteenBitsOverflows)
{
    const std::string path = test::WriteFlatTile(dir.path(), 47, 7, 32767);
    // 1802.6" rounds to the node at 1803", so the point lies west of it: tLon < 0.
    test::SetNodeHeight(path, TileKind::Kind3, 43, 2, 60, 0);
    test::SetNodeHeight(path, TileKind::Kind3, 43, 2, 61, 0);
    const Reading r = Read(47.3, 7 + 1802.6 / 3600);
    EXPECT_EQ(r.error, ErrReader);
    EXPECT_EQ(r.height, 0);
}

TEST_F(TileReaderTest, SecondPointInTheSameBlockReadsNothing)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    ASSERT_EQ(Read(47.30125, 7.501).error, ReadOk);
    EXPECT_EQ(s.Reader.BlockReads, 1U);
    ASSERT_EQ(Read(47.31, 7.52).error, ReadOk);
    EXPECT_EQ(s.Reader.BlockReads, 1U);
    EXPECT_EQ(s.Reader.OpenBlockNo, 43);
}

TEST_F(TileReaderTest, NewBlockOfTheOpenFileIsReadWithoutReopening)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    ASSERT_EQ(Read(47.30125, 7.501).error, ReadOk);
    s.Reader.TileFileNo = 7; // reopening would take a fresh number
    ASSERT_EQ(Read(47.99, 7.99).error, ReadOk);
    EXPECT_EQ(s.Reader.BlockReads, 2U);
    EXPECT_EQ(s.Reader.OpenBlockNo, 144);
    EXPECT_EQ(s.Reader.TileFileNo, 7);
}

TEST_F(TileReaderTest, NextTileReplacesTheOpenOne)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    test::WriteTile(dir.path(), 47, 8, Slope);
    ASSERT_EQ(Read(47.5, 7.5).error, ReadOk);
    ASSERT_EQ(Read(47.5, 8.5).error, ReadOk);
    EXPECT_EQ(s.Reader.OpenTileName, LogicalPathOf(47, 8));
    EXPECT_EQ(s.Reader.BlockReads, 2U);
}

TEST_F(TileReaderTest, EmptiedTileNameReopensTheFile)
{
    const std::string path = test::WriteFlatTile(dir.path(), 47, 7, 5);
    ASSERT_EQ(Read(47.5, 7.5).height, 5);
    test::WriteFlatTile(dir.path(), 47, 7, 6);
    EXPECT_EQ(Read(47.5, 7.5).height, 5); // still the buffered block
    s.Reader.OpenTileName.clear();
    EXPECT_EQ(Read(47.5, 7.5).height, 6);
    EXPECT_EQ(s.Reader.BlockReads, 2U);
}

TEST_F(TileReaderTest, RelativeDataDriveLiesBelowTheProgramDirectory)
{
    test::WriteFlatTile(dir.path() + "/terrain", 47, 7, 42);
    s.ProgramDir = dir.path();
    s.DataDrive = "terrain";
    const Reading r = Read(47.5, 7.5);
    EXPECT_EQ(r.error, ReadOk);
    EXPECT_EQ(r.height, 42);
    EXPECT_EQ(s.Reader.OpenTileName, R"(terrain\MARN\E007\E007N47.33E)");
}

TEST_F(TileReaderTest, CopiedStateKeepsItsOwnOpenFile)
{
    test::WriteFlatTile(dir.path(), 47, 7, 5);
    ASSERT_EQ(Read(47.5, 7.5).error, ReadOk);
    {
        SharedState copy = s;
        EXPECT_TRUE(copy.Reader.OpenFile.isOpen());
    }
    ASSERT_EQ(Read(47.9, 7.9).error, ReadOk);
    EXPECT_EQ(s.Reader.BlockReads, 2U);
}

} // namespace
} // namespace marn
