// Tiles built apart, by one thread or several, meet without a seam.

#include "import/Importer.h"

#include "core/SharedState.h"
#include "import/NodeGrid.h"
#include "tests/import/GeoTiffFixture.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace marn::import {
namespace {

constexpr int Sec = 3600;

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A 6" source from 49 50' to 50 10' N and 10 50' to 11 10' E with no data
// within 315" (105 nodes) of 50 N and of 11 E: filling 120 nodes far reaches
// across both, from data that only one of the two tiles on a seam holds.
TEST(TileSeams, FilledTilesAgreeAcrossEdgesAndFiftyNorthWithAnyNumberOfJobs)
{
    marn::test::TempDir dir;
    test::RasterSpec desc = test::AlignedRaster(50 * Sec - 600 + 3, 11 * Sec - 600 + 3, 6, 200, 200, 0);
    desc.noData = -1;
    for (int row = 0; row < 200; ++row) {
        for (int col = 0; col < 200; ++col) {
            const bool nearSeam = std::abs(600 - 3 - 6 * (199 - row)) < 315 || std::abs(6 * col + 3 - 600) < 315;
            desc.values[static_cast<std::size_t>(row) * 200 + col] = nearSeam ? -1 : 300 + 2 * row - col;
        }
    }
    const std::string source = dir.path() + "/cross.tif";
    test::WriteGeoTiff(source, desc);
    for (const int jobs : {1, 2}) {
        ImportOptions options{dir.path() + "/jobs" + std::to_string(jobs), {source}, 120, false, false};
        options.jobs = jobs;
        const ImportResult result = RunImportJob(options, [](int, int) {});
        ASSERT_EQ(result.tiles.size(), 4U);
    }

    const std::string one = dir.path() + "/jobs1";
    for (const TileId tile : {TileId{49, 10}, TileId{49, 11}, TileId{50, 10}, TileId{50, 11}}) {
        const std::string path = "/" + TileRelativePath(tile);
        EXPECT_EQ(FileBytes(one + path), FileBytes(dir.path() + "/jobs2" + path)) << path;
    }
    const auto sw = test::StoredNodes(one, {49, 10});
    const auto se = test::StoredNodes(one, {49, 11});
    const auto nw = test::StoredNodes(one, {50, 10});
    const auto ne = test::StoredNodes(one, {50, 11});
    int filled = 0;
    for (int k = 0; k <= 200; ++k) {
        // Along 50 N, the 6" nodes: 3" columns 1000..1200 of E010 and 0..200 of E011.
        if (k % 2 == 0) {
            EXPECT_EQ(sw[1200 * 1201 + 1000 + k], nw[500 + k / 2]) << k;
            EXPECT_EQ(se[1200 * 1201 + k], ne[k / 2]) << k;
        }
        // Along 11 E, south and north of 50 N.
        EXPECT_EQ(sw[(1000 + k) * 1201 + 1200], se[(1000 + k) * 1201]) << k;
        EXPECT_EQ(nw[k * 601 + 600], ne[k * 601]) << k;
        filled += sw[1200 * 1201 + 1000 + k] != marn::NoData && sw[(1000 + k) * 1201 + 1200] != marn::NoData ? 1 : 0;
    }
    EXPECT_GT(filled, 150);
}

} // namespace
} // namespace marn::import
