// The importer on the real elevation samples of data/sources.

#include "import/Importer.h"

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

struct SourceCells {
    double geoTransform[6];
    int width = 0;
    int height = 0;
    std::vector<double> values;

    double lonOf(int col) const { return geoTransform[0] + (col + 0.5) * geoTransform[1]; }
    double latOf(int row) const { return geoTransform[3] + (row + 0.5) * geoTransform[5]; }
};

SourceCells ReadSource(const std::string& path)
{
    GDALAllRegister();
    SourceCells cells;
    GDALDatasetH dataset = GDALOpen(path.c_str(), GA_ReadOnly);
    if (dataset == nullptr)
        throw std::runtime_error("cannot open " + path);
    GDALGetGeoTransform(dataset, cells.geoTransform);
    cells.width = GDALGetRasterXSize(dataset);
    cells.height = GDALGetRasterYSize(dataset);
    cells.values.resize(static_cast<std::size_t>(cells.width) * cells.height);
    const CPLErr read = GDALRasterIO(GDALGetRasterBand(dataset, 1), GF_Read, 0, 0, cells.width, cells.height,
        cells.values.data(), cells.width, cells.height, GDT_Float64, 0, 0);
    GDALClose(dataset);
    if (read != CE_None)
        throw std::runtime_error("cannot read " + path);
    return cells;
}

class SampleSourcesTest : public testing::Test {
protected:
    ImportResult Import(const std::string& name, double fill = 0, bool seaLevel = false)
    {
        ImportOptions options{out.path(), {SourceDir + "/" + name}, fill, seaLevel, false};
        return RunImportJob(options, [](int, int) {});
    }

    marn::test::TempDir out;
};

TEST_F(SampleSourcesTest, TheThreeSecondModelRoundTripsExactly)
{
    const ImportResult result = Import("jacksboro-3s.tif");
    const TileId tile{36, -85};
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_EQ(result.tiles[0].tile, tile);
    const SourceCells source = ReadSource(SourceDir + "/jacksboro-3s.tif");
    EXPECT_EQ(result.tiles[0].nodesMissing, 1201LL * 1201 - static_cast<long long>(source.values.size()));

    const std::vector<std::int16_t> nodes = test::StoredNodes(out.path(), tile);
    long long compared = 0;
    for (int row = 0; row < source.height; ++row) {
        const int nodeRow = static_cast<int>(std::lround((source.latOf(row) - tile.latDeg) * 1200));
        for (int col = 0; col < source.width; ++col) {
            const int nodeCol = static_cast<int>(std::lround((source.lonOf(col) - tile.lonDeg) * 1200));
            const double value = source.values[static_cast<std::size_t>(row) * source.width + col];
            ASSERT_EQ(nodes[static_cast<std::size_t>(nodeRow) * 1201 + nodeCol], value) << row << " " << col;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 403 * 344);
}

TEST_F(SampleSourcesTest, TheReaderFindsTheHighestPointAtItsNode)
{
    Import("jacksboro-3s.tif");
    const SourceCells source = ReadSource(SourceDir + "/jacksboro-3s.tif");
    const auto highest = std::max_element(source.values.begin(), source.values.end());
    ASSERT_EQ(*highest, 1076);
    const auto index = static_cast<int>(highest - source.values.begin());

    SharedState s;
    s.DataDrive = out.path();
    double lon = source.lonOf(index % source.width);
    std::int16_t height = 0;
    std::int16_t error = -1;
    ReadTileHeight(s, source.latOf(index / source.width), lon, height, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(height, 1076);
}

TEST_F(SampleSourcesTest, LuxembourgGivesBothKindsAndMissingNodesOutsideTheCountry)
{
    const ImportResult result = Import("luxembourg-30s.tif");
    std::vector<std::string> paths;
    for (const TileResult& tile : result.tiles) {
        paths.push_back(TileRelativePath(tile.tile));
        EXPECT_EQ(tile.outcome, TileOutcome::Written);
        EXPECT_GT(tile.nodesMissing, 0);
    }
    EXPECT_EQ(paths, (std::vector<std::string>{"MARN/E005/E005N49.33E", "MARN/E006/E006N49.33E",
                         "MARN/E005/E005N50.63E", "MARN/E006/E006N50.63E"}));
    // Luxembourg city, 49.61 N 6.13 E; Metz, 49.12 N 6.18 E, lies outside the source.
    EXPECT_GT(test::StoredNode(out.path(), {49, 6}, 732, 156), 200);
    EXPECT_EQ(test::StoredNode(out.path(), {49, 6}, 144, 216), -9999);
}

// The source lacks one 30" cell inside the country: 10 x 10 nodes of 3". The
// nodes outside the country, in the bays of its jagged edge too, stay missing.
TEST_F(SampleSourcesTest, FillingHolesInLuxembourgFillsItsOneMissingCellOnly)
{
    const ImportOptions options{out.path(), {SourceDir + "/luxembourg-30s.tif"}, 10, false, false, FillScope::Holes};
    const ImportResult result = RunImportJob(options, [](int, int) {});
    long long filled = 0;
    for (const TileResult& tile : result.tiles)
        filled += tile.nodesFilled;
    EXPECT_EQ(filled, 10 * 10);
}

TEST_F(SampleSourcesTest, SeaLevelFlattensTheSeaFloor)
{
    const TileId strait{49, -124};
    Import("salish-sea-topobathy.tif");
    const std::vector<std::int16_t> withSea = test::StoredNodes(out.path(), strait);
    std::int16_t deepest = 0;
    for (const std::int16_t height : withSea)
        deepest = height == NoData ? deepest : std::min(deepest, height);
    EXPECT_LT(deepest, -100);

    marn::test::TempDir flat;
    RunImportJob({flat.path(), {SourceDir + "/salish-sea-topobathy.tif"}, 20, true, false}, [](int, int) {});
    const std::vector<std::int16_t> flattened = test::StoredNodes(flat.path(), strait);
    EXPECT_EQ(*std::min_element(flattened.begin(), flattened.end()), 0);
    EXPECT_EQ(*std::max_element(flattened.begin(), flattened.end()), *std::max_element(withSea.begin(), withSea.end()));
}

} // namespace
} // namespace marn::import
