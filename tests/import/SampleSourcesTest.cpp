// The importer on the real elevation samples of data/sources.

#include "import/Importer.h"

#include "core/SharedState.h"
#include "core/TileReader.h"
#include "import/NodeGrid.h"
#include "tests/import/GeoTiffFixture.h"

#include "tests/support/TempDir.h"

#include <gdal.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace marn::import {
namespace {

const std::string SourceDir = MARN_SAMPLE_SOURCES;

class SampleSourcesTest : public testing::Test {
protected:
    ImportResult Import(const std::string& name, double fill = 0, FillScope scope = FillScope::AllVoids)
    {
        ImportOptions options{out.path(), {SourceDir + "/" + name}, fill, false, true, scope};
        return RunImportJob(options, [](int, int) {});
    }

    marn::test::TempDir out;
};

// Every cell of the 3" model lies on a node and comes back exactly, also through the reader.
TEST_F(SampleSourcesTest, TheThreeSecondModelRoundTripsExactly)
{
    const ImportResult result = Import("jacksboro-3s.tif");
    const TileId tile{36, -85};
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_EQ(result.tiles[0].tile, tile);

    GDALAllRegister();
    GDALDatasetH source = GDALOpen((SourceDir + "/jacksboro-3s.tif").c_str(), GA_ReadOnly);
    ASSERT_NE(source, nullptr);
    double transform[6];
    GDALGetGeoTransform(source, transform);
    const int width = GDALGetRasterXSize(source), height = GDALGetRasterYSize(source);
    std::vector<double> values(static_cast<std::size_t>(width) * height);
    const CPLErr read = GDALRasterIO(
        GDALGetRasterBand(source, 1), GF_Read, 0, 0, width, height, values.data(), width, height, GDT_Float64, 0, 0);
    GDALClose(source);
    ASSERT_EQ(read, CE_None);
    ASSERT_EQ(width * height, 403 * 344);
    EXPECT_EQ(result.tiles[0].nodesMissing, 1201LL * 1201 - width * height);

    const std::vector<std::int16_t> nodes = test::StoredNodes(out.path(), tile);
    const auto lonOf = [&](int col) { return transform[0] + (col + 0.5) * transform[1]; };
    const auto latOf = [&](int row) { return transform[3] + (row + 0.5) * transform[5]; };
    for (int row = 0; row < height; ++row) {
        const auto nodeRow = std::lround((latOf(row) - tile.latDeg) * 1200);
        for (int col = 0; col < width; ++col) {
            const auto nodeCol = std::lround((lonOf(col) - tile.lonDeg) * 1200);
            ASSERT_EQ(nodes[static_cast<std::size_t>(nodeRow * 1201 + nodeCol)], values[row * width + col])
                << row << " " << col;
        }
    }
    const auto highest = static_cast<int>(std::max_element(values.begin(), values.end()) - values.begin());
    ASSERT_EQ(values[highest], 1076);
    SharedState s;
    s.DataDrive = out.path();
    double lon = lonOf(highest % width);
    std::int16_t found = 0, error = -1;
    ReadTileHeight(s, s.Reader, latOf(highest / width), lon, found, error);
    EXPECT_EQ(std::pair(found, error), std::pair(std::int16_t{1076}, std::int16_t{0}));
}

// Both tile kinds, missing nodes outside the country; filling holes fills only
// the source's one missing 30" cell inside the country (10 x 10 nodes of 3").
TEST_F(SampleSourcesTest, LuxembourgGivesBothKindsAndItsOneHoleIsFilled)
{
    std::vector<std::string> paths;
    for (const TileResult& tile : Import("luxembourg-30s.tif").tiles) {
        paths.push_back(TileRelativePath(tile.tile));
        EXPECT_GT(tile.nodesMissing, 0);
    }
    EXPECT_EQ(paths, (std::vector<std::string>{"MARN/E005/E005N49.33E", "MARN/E006/E006N49.33E",
                         "MARN/E005/E005N50.63E", "MARN/E006/E006N50.63E"}));
    // Luxembourg city, 49.61 N 6.13 E; Metz, 49.12 N 6.18 E, lies outside the source.
    EXPECT_GT(test::StoredNode(out.path(), {49, 6}, 732, 156), 200);
    EXPECT_EQ(test::StoredNode(out.path(), {49, 6}, 144, 216), -9999);

    long long filled = 0;
    for (const TileResult& tile : Import("luxembourg-30s.tif", 10, FillScope::Holes).tiles)
        filled += tile.nodesFilled;
    EXPECT_EQ(filled, 10 * 10);
}

} // namespace
} // namespace marn::import
