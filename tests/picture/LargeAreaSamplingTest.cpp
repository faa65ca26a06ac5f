// The fast sampling against the literal one (ReadTileHeight, one file and one
// block) on the benchmark's areas: heights, coordinates, the error value and the
// rows reported agree bit for bit. The tiles are written once, then reused.

#include "tests/picture/SamplingAreas.h"

#include "core/FastHeightSampling.h"
#include "core/TileReadErrors.h"
#include "tests/support/LiteralSampling.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace marn {
namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;

const std::string& TileSetDrive()
{
    static const std::string drive = [] {
        const std::string root = MARN_SAMPLING_TILES;
        const SharedState widest = test::FrameArea(test::Europe3000Km, ScreenWidth, ScreenHeight, root);
        test::WriteMissingTiles(root, test::TilesUnderGrid(widest));
        return root;
    }();
    return drive;
}

class LargeAreaSampling : public testing::TestWithParam<test::SamplingArea> {};

TEST_P(LargeAreaSampling, FastSamplingGivesTheLiteralReadersGrid)
{
    SharedState literal = test::FrameArea(GetParam(), ScreenWidth, ScreenHeight, TileSetDrive());
    SharedState fast = literal;
    std::vector<int> literalRows, fastRows;
    EXPECT_EQ(test::SampleGridHeights(literal, [&](int row) { literalRows.push_back(row); }), ReadOk);
    EXPECT_EQ(SampleGridHeightsFast(fast, fast.Reader, fast, [&](int row) { fastRows.push_back(row); }), ReadOk);
    EXPECT_EQ(fastRows, literalRows);
    EXPECT_EQ(static_cast<int>(fastRows.size()), static_cast<int>(std::floor(literal.PicRows)));
    EXPECT_TRUE(fast.GridHeights.raw() == literal.GridHeights.raw());
    const CoordGrid &a = fast.GridCoords, &b = literal.GridCoords;
    ASSERT_EQ(std::pair(a.maxCol(), a.maxRow()), std::pair(b.maxCol(), b.maxRow()));
    int differing = 0, missing = 0;
    for (int j = 0; j <= a.maxRow(); ++j)
        for (int i = 0; i <= a.maxCol(); ++i)
            for (int k = 0; k < 2; ++k)
                differing += std::bit_cast<std::uint64_t>(a(k, i, j)) != std::bit_cast<std::uint64_t>(b(k, i, j));
    EXPECT_EQ(differing, 0);
    // every point over land has a height, the open sea none
    const int cols = static_cast<int>(std::floor(fast.PicCols)), rows = static_cast<int>(fastRows.size());
    for (int j = 1; j <= rows; ++j)
        for (int i = 1; i <= cols; ++i)
            missing += fast.GridHeights(i, j) == NoData ? 1 : 0;
    EXPECT_EQ(missing, GetParam().centerLat < 0 ? rows * cols : 0);
}

INSTANTIATE_TEST_SUITE_P(BenchmarkAreas, LargeAreaSampling,
    testing::Values(test::Alps50Km, test::Europe3000Km, test::OpenSea3000Km),
    [](const testing::TestParamInfo<test::SamplingArea>& info) {
        const char* region = info.param.centerLat < 0 ? "OpenSea" : (info.param.km < 100 ? "Alps" : "Europe");
        return region + std::to_string(info.param.km) + "Km";
    });

} // namespace
} // namespace marn
