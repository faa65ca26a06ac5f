// The fast sampling against the literal one (ReadTileHeight, one file and one
// block) on the benchmark's areas, over every tile file the 3000 km area
// needs: heights, coordinates, the error value and the rows reported must
// agree bit for bit. The tile set is written once into MARN_SAMPLING_TILES
// and reused by later runs.

#include "tests/picture/SamplingAreas.h"

#include "core/FastHeightSampling.h"
#include "core/TileReadErrors.h"
#include "tests/support/LiteralSampling.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// The viewer's sampling, on as many threads as the viewer uses.
std::int16_t SampleAsTheViewer(SharedState& s, const std::function<void(int row)>& afterRow)
{
    return SampleGridHeightsFast(s, afterRow);
}

struct Sampled {
    SharedState state;
    std::int16_t error = ReadOk;
    std::vector<int> rows;
};

template <typename Sampler>
Sampled Sample(const test::SamplingArea& area, Sampler sampler)
{
    Sampled run;
    run.state = test::FrameArea(area, ScreenWidth, ScreenHeight, TileSetDrive());
    run.error = sampler(run.state, [&run](int row) { run.rows.push_back(row); });
    return run;
}

// The first grid point whose coordinates differ in any bit, or "" when none does.
std::string FirstCoordinateDifference(const CoordGrid& a, const CoordGrid& b)
{
    if (a.maxCol() != b.maxCol() || a.maxRow() != b.maxRow())
        return "grids of different size";
    for (int j = 0; j <= a.maxRow(); ++j)
        for (int i = 0; i <= a.maxCol(); ++i)
            for (int k = 0; k < 2; ++k)
                if (std::bit_cast<std::uint64_t>(a(k, i, j)) != std::bit_cast<std::uint64_t>(b(k, i, j)))
                    return "coordinate " + std::to_string(k) + " of column " + std::to_string(i) + ", row "
                           + std::to_string(j);
    return {};
}

int CountNoData(const SharedState& s)
{
    int missing = 0;
    for (int j = 1; j <= static_cast<int>(std::floor(s.PicRows)); ++j)
        for (int i = 1; i <= static_cast<int>(std::floor(s.PicCols)); ++i)
            missing += s.GridHeights(i, j) == NoData ? 1 : 0;
    return missing;
}

class LargeAreaSampling : public testing::TestWithParam<test::SamplingArea> {};

TEST_P(LargeAreaSampling, FastSamplingGivesTheLiteralReadersGrid)
{
    const Sampled literal = Sample(GetParam(), test::SampleGridHeights);
    const Sampled fast = Sample(GetParam(), SampleAsTheViewer);
    EXPECT_EQ(literal.error, ReadOk);
    EXPECT_EQ(fast.error, literal.error);
    EXPECT_EQ(fast.rows, literal.rows);
    EXPECT_EQ(static_cast<int>(fast.rows.size()), static_cast<int>(std::floor(literal.state.PicRows)));
    EXPECT_TRUE(fast.state.GridHeights.raw() == literal.state.GridHeights.raw());
    EXPECT_EQ(FirstCoordinateDifference(fast.state.GridCoords, literal.state.GridCoords), "");
}

TEST_P(LargeAreaSampling, EveryPointOverLandHasAHeight)
{
    const Sampled fast = Sample(GetParam(), SampleAsTheViewer);
    ASSERT_EQ(fast.error, ReadOk);
    const int points =
        static_cast<int>(std::floor(fast.state.PicCols)) * static_cast<int>(std::floor(fast.state.PicRows));
    const int expectedMissing = GetParam().centerLat < 0 ? points : 0;
    EXPECT_EQ(CountNoData(fast.state), expectedMissing);
}

INSTANTIATE_TEST_SUITE_P(BenchmarkAreas, LargeAreaSampling,
    testing::Values(test::Alps50Km, test::Europe3000Km, test::OpenSea3000Km),
    [](const testing::TestParamInfo<test::SamplingArea>& info) {
        const char* region = info.param.centerLat < 0 ? "OpenSea" : (info.param.km < 100 ? "Alps" : "Europe");
        return region + std::to_string(info.param.km) + "Km";
    });

} // namespace
} // namespace marn
