#include "core/TileBlockCache.h"

#include "core/TileReader.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace marn {
namespace {

using test::TempDir;

std::int16_t Slope(double lat, double lon)
{
    return static_cast<std::int16_t>(std::lround(300 * lat + 80 * lon));
}

class TileBlockCacheTest : public testing::Test {
protected:
    TileBlockCacheTest() { s.DataDrive = dir.path(); }

    // Ends the grid row being sampled and starts the next one.
    void EndRow()
    {
        store.rowsFinished(row);
        cache.startRow(++row);
    }

    TempDir dir;
    SharedState s;
    TileBlockStore store{dir.path(), ""};
    TileBlockCache cache{store};
    int row = 1;
};

TEST_F(TileBlockCacheTest, AnswersLikeTheReaderIncludingItsErrors)
{
    const std::string tile = test::WriteTile(dir.path(), 47, 7, Slope);
    test::SetNodeHeight(tile, TileKind::Kind3, 43, 1, 61, NoData);
    test::WriteTile(dir.path(), -8, -8, Slope);
    test::WriteFileOfLength(test::TilePath(dir.path(), 47, 9), 77);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double points[][2] = {{47.30125, 7.501}, {47.3, 7.5}, {47.9999, 7.9999}, {-7.3, -7.5}, {-8.0, 352.0},
        {47.5, 8.5}, {47.5, 9.5}, {95, 7}, {nan, 7}, {47.5, std::numeric_limits<double>::infinity()}, {47.5, 727.5},
        {47.0, 7.0}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p[0] << " " << p[1]);
        double lon = p[1];
        std::int16_t want = -1;
        std::int16_t wantError = -1;
        ReadTileHeight(s, p[0], lon, want, wantError);
        std::int16_t height = -1;
        EXPECT_EQ(cache.heightAt(p[0], p[1], height), wantError);
        EXPECT_EQ(height, want);
    }
}

TEST_F(TileBlockCacheTest, EmptyDataDriveComesFirst)
{
    TileBlockStore noDrive("", "");
    TileBlockCache noDriveCache(noDrive);
    std::int16_t height = -1;
    EXPECT_EQ(noDriveCache.heightAt(95, 7, height), ErrNoDataDrive);
    EXPECT_EQ(height, 0);
}

TEST_F(TileBlockCacheTest, RemembersMissingTilesForTheWholePicture)
{
    std::int16_t height = 0;
    EXPECT_EQ(cache.heightAt(47.5, 7.5, height), ErrTileNotOpened);
    test::WriteFlatTile(dir.path(), 47, 7, 12);
    EndRow();
    EXPECT_EQ(cache.heightAt(47.5, 7.5, height), ErrTileNotOpened);

    TileBlockStore nextPicture(dir.path(), "");
    TileBlockCache next(nextPicture);
    EXPECT_EQ(next.heightAt(47.5, 7.5, height), ReadOk);
    EXPECT_EQ(height, 12);
}

TEST_F(TileBlockCacheTest, KeepsBlocksWhileRowsUseThem)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    std::int16_t height = 0;
    for (int rows = 0; rows < 5; ++rows) {
        ASSERT_EQ(cache.heightAt(47.31, 7.51, height), ReadOk);
        ASSERT_EQ(cache.heightAt(47.61, 7.81, height), ReadOk);
        ASSERT_EQ(cache.heightAt(47.32, 7.52, height), ReadOk);
        EndRow();
    }
    EXPECT_EQ(store.reads(), 2U);
}

TEST_F(TileBlockCacheTest, ForgetsBlocksARowDidNotUse)
{
    test::WriteTile(dir.path(), 47, 7, Slope);
    std::int16_t height = 0;
    ASSERT_EQ(cache.heightAt(47.31, 7.51, height), ReadOk);
    EndRow();
    EndRow();
    ASSERT_EQ(cache.heightAt(47.31, 7.51, height), ReadOk);
    EXPECT_EQ(store.reads(), 2U);
}

TEST_F(TileBlockCacheTest, ABlockRowCutShortGivesItsWholeBlocksAndFailsLikeTheReaderOnTheRest)
{
    const std::string tile = test::WriteTile(dir.path(), 47, 7, Slope);
    std::int16_t height = 0;
    std::int16_t error = 0;
    double lon = 7.01;
    ReadTileHeight(s, 47.01, lon, height, error);
    ASSERT_EQ(error, ReadOk);
    ASSERT_EQ(cache.heightAt(47.01, 7.01, height), ReadOk);
    // Both hold the file open; block row 4 now ends after its sixth block.
    std::filesystem::resize_file(tile, (3 * 12 + 6) * static_cast<std::uintmax_t>(Kind3Geometry.recordBytes));

    const double points[][2] = {{47.3, 7.01}, {47.3, 7.45}, {47.3, 7.99}, {47.3, 7.6}, {47.02, 7.99}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p[0] << " " << p[1]);
        lon = p[1];
        std::int16_t want = -1;
        ReadTileHeight(s, p[0], lon, want, error);
        std::int16_t got = -1;
        EXPECT_EQ(cache.heightAt(p[0], p[1], got), error);
        EXPECT_EQ(got, want);
    }
    EXPECT_EQ(store.reads(), 3U) << "row 1 whole, then blocks 37 and 42 one by one";
}

} // namespace
} // namespace marn
