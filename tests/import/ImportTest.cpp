#include "import/Importer.h"

#include "import/ImportError.h"
#include "import/NodeGrid.h"
#include "tests/import/GeoTiffFixture.h"

#include "core/TileReader.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

namespace marn::import {
namespace {

namespace fs = std::filesystem;
using test::AlignedRaster;
using test::RasterSpec;
using test::StoredNode;
using test::StoredNodes;

constexpr int Sec = 3600;
// Tile N45 E010; the test rasters start at its middle node (row 600, col 600).
const TileId Tile45{45, 10};
constexpr int MidLatSec = 45 * Sec + 1800;
constexpr int MidLonSec = 10 * Sec + 1800;

class ImportTest : public testing::Test {
protected:
    std::string Source(const std::string& name, const RasterSpec& desc)
    {
        const std::string path = sources.path() + "/" + name + ".tif";
        test::WriteGeoTiff(path, desc);
        return path;
    }

    ImportResult Import(
        const std::vector<std::string>& paths, double fill = 0, bool seaLevel = false, bool force = false)
    {
        ImportOptions options{out.path(), paths, fill, seaLevel, force};
        return RunImportJob(options, [this](int done, int total) { progress.emplace_back(done, total); });
    }

    std::int16_t Node(const TileId& tile, int row, int col) { return StoredNode(out.path(), tile, row, col); }

    marn::test::TempDir sources;
    marn::test::TempDir out;
    std::vector<std::pair<int, int>> progress;
};

TEST_F(ImportTest, NodesOutsideTheSourceAreMissing)
{
    const ImportResult result = Import({Source("square", AlignedRaster(MidLatSec, MidLonSec, 3, 40, 40, 300))});
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_EQ(result.tiles[0].tile, Tile45);
    EXPECT_EQ(result.tiles[0].outcome, TileOutcome::Written);
    EXPECT_EQ(result.tiles[0].nodesFilled, 0);
    EXPECT_EQ(result.tiles[0].nodesMissing, 1201LL * 1201 - 40 * 40);
    const std::vector<std::int16_t> nodes = StoredNodes(out.path(), Tile45);
    const auto at = [&](int row, int col) { return nodes[static_cast<std::size_t>(row) * 1201 + col]; };
    for (const auto& [row, col, expected] :
        {std::tuple{600, 600, 300}, {639, 639, 300}, {620, 600, 300}, {599, 600, -9999}, {600, 599, -9999},
            {640, 620, -9999}, {620, 640, -9999}, {0, 0, -9999}, {1200, 1200, -9999}})
        EXPECT_EQ(at(row, col), expected) << row << " " << col;
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
}

TEST_F(ImportTest, FillVoidsFillsMissingNodesWithinTheDistance)
{
    const ImportResult result = Import({Source("square", AlignedRaster(MidLatSec, MidLonSec, 3, 40, 40, 300))}, 10);
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_GT(result.tiles[0].nodesFilled, 4 * 40 * 9);
    EXPECT_EQ(result.tiles[0].nodesFilled + result.tiles[0].nodesMissing, 1201LL * 1201 - 40 * 40);
    for (const auto& [row, col, expected] :
        {std::tuple{600, 600, 300}, {595, 620, 300}, {620, 648, 300}, {680, 620, -9999}, {620, 560, -9999}})
        EXPECT_EQ(Node(Tile45, row, col), expected) << row << " " << col;
}

TEST_F(ImportTest, FilledVoidsAgreeOnTheEdgeTwoTilesShare)
{
    // A source straddling the meridian 11 E, with a gap along the edge itself.
    RasterSpec desc = AlignedRaster(MidLatSec, 11 * Sec - 60, 3, 41, 20, 0);
    for (int row = 0; row < desc.height; ++row) {
        for (int col = 0; col < desc.width; ++col)
            desc.values[static_cast<std::size_t>(row) * desc.width + col] =
                col >= 18 && col <= 22 ? -1 : 100 + col * 7 + row;
    }
    desc.noData = -1;
    Import({Source("straddle", desc)}, 8);
    const TileId east{45, 11};
    for (int row = 600; row < 620; ++row)
        EXPECT_EQ(Node(Tile45, row, 1200), Node(east, row, 0)) << row;
    EXPECT_NE(Node(Tile45, 610, 1200), -9999);
}

TEST_F(ImportTest, InterpolatesBilinearlyBetweenSourceCells)
{
    // 6" cells: every other 3" node lies between two cell centres.
    RasterSpec desc = AlignedRaster(MidLatSec, MidLonSec, 6, 10, 10, 0);
    for (int row = 0; row < 10; ++row) {
        for (int col = 0; col < 10; ++col)
            desc.values[static_cast<std::size_t>(row) * 10 + col] = 100 + 10 * col - 4 * row;
    }
    Import({Source("ramp", desc)});
    // Node (600 + 2 * i, 600 + 2 * j) is cell (j, 9 - i); the north row is row 0.
    EXPECT_EQ(Node(Tile45, 600, 600), 100 - 4 * 9);
    EXPECT_EQ(Node(Tile45, 618, 618), 100 + 90);
    EXPECT_EQ(Node(Tile45, 600, 601), 100 - 36 + 5);
    EXPECT_EQ(Node(Tile45, 601, 601), 100 - 36 + 5 + 2);
    EXPECT_EQ(Node(Tile45, 607, 604), 100 + 20 - 4 * 9 + 4 * 3.5);
}

TEST_F(ImportTest, TilesFromFiftyNorthAreOfTheSixSecondKind)
{
    // 6" cells from 49 59' to 50 01', every value 250.
    const ImportResult result = Import({Source("border", AlignedRaster(50 * Sec - 60, 6 * Sec + 600, 6, 20, 21, 250))});
    ASSERT_EQ(result.tiles.size(), 2U);
    EXPECT_EQ(result.tiles[0].tile, (TileId{49, 6}));
    EXPECT_EQ(result.tiles[1].tile, (TileId{50, 6}));
    EXPECT_EQ(fs::file_size(out.path() + "/MARN/E006/E006N49.33E"), 2937888U);
    EXPECT_EQ(fs::file_size(out.path() + "/MARN/E006/E006N50.63E"), 1483488U);
    // 10' east is column 200 of a 3" row and column 100 of a 6" row.
    EXPECT_EQ(Node({49, 6}, 1200, 200), 250);
    EXPECT_EQ(Node({49, 6}, 1200, 201), 250);
    EXPECT_EQ(Node({50, 6}, 0, 100), 250);
    EXPECT_EQ(Node({50, 6}, 20, 100), 250);
    EXPECT_EQ(Node({50, 6}, 22, 100), -9999);
    EXPECT_EQ(Node({50, 6}, 0, 99), -9999);
}

TEST_F(ImportTest, SeaLevelTurnsNegativeHeightsIntoZero)
{
    RasterSpec desc = AlignedRaster(MidLatSec, MidLonSec, 3, 2, 1, 0);
    desc.values = {-50, 20};
    const std::string path = Source("coast", desc);
    Import({path});
    EXPECT_EQ(Node(Tile45, 600, 600), -50);
    EXPECT_EQ(Node(Tile45, 600, 601), 20);
    Import({path}, 0, true, true);
    EXPECT_EQ(Node(Tile45, 600, 600), 0);
    EXPECT_EQ(Node(Tile45, 600, 601), 20);
    EXPECT_EQ(Node(Tile45, 601, 601), -9999);
}

TEST_F(ImportTest, LaterSourcesLieOnTopExceptWhereTheyHaveNoData)
{
    const std::string lower = Source("lower", AlignedRaster(MidLatSec, MidLonSec, 3, 40, 40, 100));
    RasterSpec upperSpec = AlignedRaster(MidLatSec + 60, MidLonSec + 60, 3, 40, 40, 200);
    upperSpec.noData = -32768;
    upperSpec.values[39 * 40] = -32768; // its south-west cell, at node (620, 620)
    const std::string upper = Source("upper", upperSpec);

    Import({lower, upper});
    for (const auto& [row, col, expected] : {std::tuple{610, 610, 100}, {630, 630, 200}, {620, 620, 100},
             {621, 620, 200}, {650, 650, 200}, {650, 610, -9999}})
        EXPECT_EQ(Node(Tile45, row, col), expected) << row << " " << col;

    Import({upper, lower}, 0, false, true);
    for (const auto& [row, col, expected] : {std::tuple{610, 610, 100}, {630, 630, 100}, {650, 650, 200}})
        EXPECT_EQ(Node(Tile45, row, col), expected) << row << " " << col;
}

TEST_F(ImportTest, AnExistingTileIsKeptUnlessForced)
{
    Import({Source("first", AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 100))});
    const std::string second = Source("second", AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 200));

    const ImportResult kept = Import({second});
    ASSERT_EQ(kept.tiles.size(), 1U);
    EXPECT_EQ(kept.tiles[0].outcome, TileOutcome::Kept);
    EXPECT_EQ(Node(Tile45, 600, 600), 100);

    const ImportResult forced = Import({second}, 0, false, true);
    EXPECT_EQ(forced.tiles[0].outcome, TileOutcome::Written);
    EXPECT_EQ(Node(Tile45, 600, 600), 200);
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path() + "/MARN/E010"), fs::directory_iterator()), 1);
}

TEST_F(ImportTest, ABadSourceStopsTheImportBeforeAnythingIsWritten)
{
    const std::string good = Source("good", AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 100));
    const std::string text = sources.path() + "/notes.tif";
    std::ofstream(text) << "not a raster\n";
    RasterSpec unplaced = AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 100);
    unplaced.epsg = 0;
    const std::string noCrs = Source("unplaced", unplaced);

    const std::pair<std::string, std::string> cases[] = {{text, "cannot read source " + text},
        {sources.path() + "/missing.tif", "cannot read source"}, {noCrs, "coordinate system is unknown"}};
    for (const auto& [bad, message] : cases) {
        try {
            Import({good, bad});
            ADD_FAILURE() << "no error for " << bad;
        } catch (const ImportError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
            EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
        }
        EXPECT_FALSE(fs::exists(out.path() + "/MARN")) << bad;
    }
}

TEST_F(ImportTest, AnUnwritableOutputStopsTheImportBeforeAnythingIsWritten)
{
    const std::string good = Source("good", AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 100));
    fs::create_directories(out.path() + "/MARN");
    std::ofstream(out.path() + "/MARN/E010") << "a file where the tile directory belongs";
    EXPECT_THROW(Import({good}), ImportError);
    EXPECT_TRUE(fs::is_regular_file(out.path() + "/MARN/E010"));
    EXPECT_EQ(progress.size(), 0U);
}

TEST_F(ImportTest, SourcesInOtherCoordinateSystemsAreReprojected)
{
    // 900 m x 900 m of UTM zone 32 north around 45.1 N 9 E.
    RasterSpec desc;
    desc.west = 500000;
    desc.north = 5000000;
    desc.stepX = desc.stepY = 90;
    desc.width = desc.height = 10;
    desc.values.assign(100, 500);
    desc.epsg = 32632;
    const ImportResult result = Import({Source("utm", desc)});
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_EQ(result.tiles[0].tile, (TileId{45, 9}));
    const std::vector<std::int16_t> nodes = StoredNodes(out.path(), {45, 9});
    const long long covered = std::count(nodes.begin(), nodes.end(), 500);
    EXPECT_EQ(covered + result.tiles[0].nodesMissing, 1201LL * 1201);
    // 810000 square metres over nodes 92.6 m x 65.4 m apart.
    EXPECT_NEAR(static_cast<double>(covered), 810000 / (92.6 * 65.4), 20);
}

TEST_F(ImportTest, AProjectedSourceAcrossThe180thMeridianGivesTilesOnBothSides)
{
    // 2 km x 2 km of UTM zone 60 south around 16.96 S 180 E (Fiji).
    RasterSpec desc;
    desc.west = 818000;
    desc.north = 8120000;
    desc.stepX = desc.stepY = 100;
    desc.width = desc.height = 20;
    desc.values.assign(400, 300);
    desc.epsg = 32760;
    const ImportResult result = Import({Source("fiji", desc)});
    ASSERT_EQ(result.tiles.size(), 2U);
    long long covered = 0;
    for (const TileResult& tile : result.tiles) {
        EXPECT_EQ(tile.outcome, TileOutcome::Written);
        const std::vector<std::int16_t> nodes = StoredNodes(out.path(), tile.tile);
        const long long inTile = std::count(nodes.begin(), nodes.end(), 300);
        EXPECT_GT(inTile, 0) << TileRelativePath(tile.tile);
        covered += inTile;
    }
    EXPECT_EQ(TileRelativePath(result.tiles[0].tile), "MARN/W179/W179S16.33E");
    EXPECT_EQ(TileRelativePath(result.tiles[1].tile), "MARN/E179/E179S16.33E");
    // 4 square km over nodes 92.6 m x 88.7 m apart; the column on 180 E is in both tiles.
    EXPECT_NEAR(static_cast<double>(covered), 4e6 / (92.6 * 88.7) + 22, 30);
}

TEST_F(ImportTest, GeographicSourcesMayRunFrom0To360)
{
    RasterSpec desc = AlignedRaster(MidLatSec, 350 * Sec + 1800, 3, 4, 4, 700);
    const ImportResult result = Import({Source("east-of-180", desc)});
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_EQ(TileRelativePath(result.tiles[0].tile), "MARN/W009/W009N45.33E");
    EXPECT_EQ(Node({45, -10}, 600, 600), 700);
    EXPECT_EQ(Node({45, -10}, 603, 603), 700);
}

// The reader finds every imported cell again at its own position, in all four
// hemispheres and both kinds.
TEST_F(ImportTest, TheReaderFindsImportedCellsInEveryHemisphere)
{
    for (const TileId tile : {TileId{47, 7}, TileId{-8, -8}, TileId{-56, -70}, TileId{60, -1}, TileId{-50, 20}}) {
        const int step = GeometryOf(KindOf(tile)).lonStepSec;
        const int southSec = tile.latDeg * Sec + 600;
        const int westSec = tile.lonDeg * Sec + 600;
        RasterSpec desc = AlignedRaster(southSec, westSec, step, 6, 5, 0);
        for (std::size_t i = 0; i < desc.values.size(); ++i)
            desc.values[i] = 100 + 7 * static_cast<double>(i);
        marn::test::TempDir data;
        RunImportJob({data.path(), {Source("cells", desc)}, 0, false, false}, [](int, int) {});

        SharedState s;
        s.DataDrive = data.path();
        for (int row = 1; row < 4; ++row) {
            for (int col = 1; col < 5; ++col) {
                double lon = (westSec + col * step) / 3600.0;
                const double lat = (southSec + (4 - row) * step) / 3600.0;
                std::int16_t height = 0;
                std::int16_t error = -1;
                ReadTileHeight(s, lat, lon, height, error);
                EXPECT_EQ(error, 0) << TileRelativePath(tile) << " " << row << " " << col;
                EXPECT_EQ(height, desc.values[static_cast<std::size_t>(row) * 6 + col])
                    << TileRelativePath(tile) << " " << row << " " << col;
            }
        }
    }
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A 6" source from 49 50' to 50 10' N and 10 50' to 11 10' E with no data
// within 315" (105 nodes) of 50 N and of 11 E: filling 120 nodes far reaches
// across both, from data that only one of the two tiles on a seam holds.
TEST_F(ImportTest, FilledTilesAgreeAcrossEdgesAndFiftyNorthWithAnyNumberOfJobs)
{
    RasterSpec desc = AlignedRaster(50 * Sec - 597, 11 * Sec - 597, 6, 200, 200, 0);
    desc.noData = -1;
    for (int row = 0; row < 200; ++row) {
        for (int col = 0; col < 200; ++col) {
            const bool nearSeam = std::abs(597 - 6 * (199 - row)) < 315 || std::abs(6 * col - 597) < 315;
            desc.values[static_cast<std::size_t>(row) * 200 + col] = nearSeam ? -1 : 300 + 2 * row - col;
        }
    }
    const std::string source = Source("cross", desc);
    for (const int jobs : {1, 2}) {
        ImportOptions options{out.path() + "/jobs" + std::to_string(jobs), {source}, 120, false, false};
        options.jobs = jobs;
        ASSERT_EQ(RunImportJob(options, [](int, int) {}).tiles.size(), 4U);
    }
    const TileId tiles[] = {{49, 10}, {49, 11}, {50, 10}, {50, 11}};
    for (const TileId& tile : tiles) {
        const std::string path = "/" + TileRelativePath(tile);
        EXPECT_EQ(FileBytes(out.path() + "/jobs1" + path), FileBytes(out.path() + "/jobs2" + path)) << path;
    }
    std::vector<std::vector<std::int16_t>> nodes; // south-west, south-east, north-west, north-east
    for (const TileId& tile : tiles)
        nodes.push_back(StoredNodes(out.path() + "/jobs1", tile));
    const auto& [sw, se, nw, ne] = std::tie(nodes[0], nodes[1], nodes[2], nodes[3]);
    int filled = 0;
    for (int k = 0; k <= 200; ++k) {
        // Along 50 N, on the 6" nodes: 3" columns 1000..1200 of E010 and 0..200 of E011.
        if (k % 2 == 0) {
            EXPECT_EQ(sw[1200 * 1201 + 1000 + k], nw[500 + k / 2]) << k;
            EXPECT_EQ(se[1200 * 1201 + k], ne[k / 2]) << k;
        }
        // Along 11 E, south and north of 50 N.
        EXPECT_EQ(sw[(1000 + k) * 1201 + 1200], se[(1000 + k) * 1201]) << k;
        EXPECT_EQ(nw[k * 601 + 600], ne[k * 601]) << k;
        filled += sw[1200 * 1201 + 1000 + k] != NoData && sw[(1000 + k) * 1201 + 1200] != NoData ? 1 : 0;
    }
    EXPECT_GT(filled, 150);
}

} // namespace
} // namespace marn::import
