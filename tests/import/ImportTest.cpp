// Whole imports of small GeoTIFF sources written by the tests, checked in the
// tile files' nodes and, for the placement, through the viewer's reader.

#include "import/Importer.h"

#include "import/ImportError.h"
#include "import/NodeGrid.h"
#include "tests/import/GeoTiffFixture.h"

#include "core/SharedState.h"
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
using test::StoredNodes;

constexpr int Sec = 3600;
// Tile N45 E010; the test rasters start at its middle node (row 600, col 600).
const TileId Tile45{45, 10};
constexpr int MidLatSec = 45 * Sec + 1800;
constexpr int MidLonSec = 10 * Sec + 1800;

using Nodes = std::initializer_list<std::tuple<int, int, int>>; // row, col, height

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
    void ExpectNodes(const TileId& tile, Nodes nodes)
    {
        const std::vector<std::int16_t> stored = StoredNodes(out.path(), tile);
        for (const auto& [row, col, expected] : nodes)
            EXPECT_EQ(stored[static_cast<std::size_t>(row) * TileCols(KindOf(tile)) + col], expected)
                << TileRelativePath(tile) << " " << row << " " << col;
    }

    marn::test::TempDir sources;
    marn::test::TempDir out;
    std::vector<std::pair<int, int>> progress;
};

TEST_F(ImportTest, NodesOutsideTheSourceAreMissingUnlessFilledWithinTheDistance)
{
    const std::string square = Source("square", AlignedRaster(MidLatSec, MidLonSec, 3, 40, 40, 300));
    const ImportResult result = Import({square});
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_EQ(result.tiles[0].nodesFilled, 0);
    EXPECT_EQ(result.tiles[0].nodesMissing, 1201LL * 1201 - 40 * 40);
    ExpectNodes(Tile45, {{600, 600, 300}, {639, 639, 300}, {599, 600, -9999}, {600, 599, -9999}, {640, 620, -9999},
                            {620, 640, -9999}, {0, 0, -9999}, {1200, 1200, -9999}});
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));

    const ImportResult filled = Import({square}, 10, false, true);
    EXPECT_GT(filled.tiles[0].nodesFilled, 4 * 40 * 9);
    EXPECT_EQ(filled.tiles[0].nodesFilled + filled.tiles[0].nodesMissing, 1201LL * 1201 - 40 * 40);
    ExpectNodes(Tile45, {{595, 620, 300}, {620, 648, 300}, {680, 620, -9999}, {620, 560, -9999}});
}

TEST_F(ImportTest, LaterSourcesLieOnTopExceptWhereTheyHaveNoDataAndAnExistingTileIsKeptUnlessForced)
{
    const std::string lower = Source("lower", AlignedRaster(MidLatSec, MidLonSec, 3, 40, 40, -100));
    RasterSpec upperSpec = AlignedRaster(MidLatSec + 60, MidLonSec + 60, 3, 40, 40, 200);
    upperSpec.noData = -32768;
    upperSpec.values[39 * 40] = -32768; // its south-west cell, at node (620, 620)
    const std::string upper = Source("upper", upperSpec);
    Import({lower, upper});
    ExpectNodes(Tile45, {{610, 610, -100}, {630, 630, 200}, {620, 620, -100}, {621, 620, 200}, {650, 610, -9999}});
    EXPECT_EQ(Import({upper, lower}, 0, true).tiles.at(0).outcome, TileOutcome::Kept) << "unless forced";
    ExpectNodes(Tile45, {{630, 630, 200}});
    EXPECT_EQ(Import({upper, lower}, 0, true, true).tiles.at(0).outcome, TileOutcome::Merged);
    ExpectNodes(Tile45, {{610, 610, 0}, {630, 630, 0}, {650, 650, 200}});
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path() + "/MARN/E010"), fs::directory_iterator()), 1);
}

TEST_F(ImportTest, ABadSourceOrOutputStopsTheImportBeforeAnythingIsWritten)
{
    const std::string good = Source("good", AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 100));
    RasterSpec unplaced = AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 100);
    unplaced.epsg = 0;
    RasterSpec inKilometres = AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 1);
    inKilometres.unit = "km";
    const std::pair<std::string, std::string> cases[] = {
        {sources.path(), "cannot read source " + sources.path() + ": a directory, not a raster"},
        {Source("unplaced", unplaced), "coordinate system is unknown (give one with --source-crs"},
        {Source("kilometres", inKilometres), "its heights are in 'km'; only metres and feet are understood"}};
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
    fs::create_directories(out.path() + "/MARN");
    std::ofstream(out.path() + "/MARN/E010") << "a file where the tile directory belongs";
    EXPECT_THROW(Import({good}), ImportError);
    EXPECT_TRUE(fs::is_regular_file(out.path() + "/MARN/E010"));
    EXPECT_EQ(progress.size(), 0U);
}

// A data set built from parts in several runs: the tiles of the parts imported
// one run after another are byte for byte those of one run over all of them
// (with the second part on top when it runs with --force, else underneath).
TEST_F(ImportTest, PartsImportedInTwoRunsGiveTheTilesOfOneRun)
{
    const auto varied = [](RasterSpec desc, double base) {
        for (std::size_t i = 0; i < desc.values.size(); ++i)
            desc.values[i] = base + 3 * static_cast<double>(i / desc.width) + 7 * static_cast<double>(i % desc.width);
        return desc;
    };
    const RasterSpec inTile = varied(AlignedRaster(MidLatSec, MidLonSec, 3, 40, 30, 0), 100);
    const RasterSpec inTileHigher = varied(AlignedRaster(MidLatSec, MidLonSec, 3, 40, 30, 0), 600);
    // Cells on the nodes from 11 E - 60" east: column 20 lies on 11 E, the edge of E010 and E011.
    const RasterSpec acrossLon = varied(AlignedRaster(MidLatSec, 11 * Sec - 60, 3, 40, 30, 0), 100);
    // 6" cells from 50 N - 60" north: raster row 9 (from the north) lies on 50 N.
    const RasterSpec acrossLat = varied(AlignedRaster(50 * Sec - 60, MidLonSec, 6, 30, 20, 0), 100);
    const struct {
        const char* what;
        RasterSpec first, second;
        bool force;
        std::size_t tiles;
    } cases[] = {
        {"west and east halves in one tile", test::PartOf(inTile, 0, 20, 0, 30), test::PartOf(inTile, 20, 20, 0, 30),
            false, 1},
        {"halves at 11 E, the edge column in the western", test::PartOf(acrossLon, 0, 21, 0, 30),
            test::PartOf(acrossLon, 21, 19, 0, 30), false, 2},
        {"halves at 11 E, the edge column in the eastern", test::PartOf(acrossLon, 0, 20, 0, 30),
            test::PartOf(acrossLon, 20, 20, 0, 30), false, 2},
        {"south and north halves at 50 N, 50 N in the southern", test::PartOf(acrossLat, 0, 30, 9, 11),
            test::PartOf(acrossLat, 0, 30, 0, 9), false, 2},
        {"north and south halves at 50 N, north first", test::PartOf(acrossLat, 0, 30, 0, 9),
            test::PartOf(acrossLat, 0, 30, 9, 11), false, 2},
        {"overlapping, the second underneath", test::PartOf(inTile, 0, 25, 0, 30),
            test::PartOf(inTileHigher, 15, 25, 0, 30), false, 1},
        {"overlapping, the second on top with --force", test::PartOf(inTile, 0, 25, 0, 30),
            test::PartOf(inTileHigher, 15, 25, 0, 30), true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string first = Source("first", c.first);
        const std::string second = Source("second", c.second);
        marn::test::TempDir twoRuns, oneRun;
        RunImportJob({twoRuns.path(), {first}}, [](int, int) {});
        const ImportOptions secondRun{twoRuns.path(), {second}, 0, false, c.force};
        const ImportResult added = RunImportJob(secondRun, [](int, int) {});
        const std::vector<std::string> together =
            c.force ? std::vector{first, second} : std::vector{second, first}; // later ones on top
        const ImportResult whole = RunImportJob({oneRun.path(), together}, [](int, int) {});
        ASSERT_EQ(whole.tiles.size(), c.tiles);
        for (const TileResult& tile : whole.tiles) {
            const auto read = [&](const std::string& root) {
                std::ifstream file(root + "/" + TileRelativePath(tile.tile), std::ios::binary);
                return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            };
            const std::string bytes = read(oneRun.path());
            EXPECT_EQ(bytes.size(), static_cast<std::size_t>(GeometryOf(KindOf(tile.tile)).fileBytes));
            EXPECT_TRUE(read(twoRuns.path()) == bytes) << TileRelativePath(tile.tile);
        }
        EXPECT_TRUE(std::any_of(added.tiles.begin(), added.tiles.end(),
            [](const TileResult& tile) { return tile.outcome != TileOutcome::Kept; }));
    }
}

// A tile file of the wrong length (an interrupted copy) is built anew, not kept.
TEST_F(ImportTest, ATileFileOfTheWrongLengthIsReplaced)
{
    const std::string square = Source("square", AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, 250));
    const std::string path = out.path() + "/" + TileRelativePath(Tile45);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << std::string(2937888 - 2, '\0');
    const ImportResult result = Import({square});
    ASSERT_EQ(result.tiles.size(), 1U);
    EXPECT_EQ(result.tiles[0].outcome, TileOutcome::Replaced);
    EXPECT_EQ(result.tiles[0].damagedBytes, 2937886U);
    ExpectNodes(Tile45, {{600, 600, 250}, {603, 603, 250}, {0, 0, -9999}, {604, 600, -9999}});
}

// Heights in feet become metres: 3280.84 ft = 1000.0 m, 3280.8333 US survey ft = 1000.0 m.
TEST_F(ImportTest, HeightsInFeetBecomeMetres)
{
    for (const auto& [unit, value, metres] : {std::tuple{"ft", 3280.84, 1000}, {"foot", -32.8084, -10},
             {"US survey foot", 3280.8333, 1000}, {"metre", 1000.0, 1000}, {"", 12.0, 12}}) {
        RasterSpec desc = AlignedRaster(MidLatSec, MidLonSec, 3, 4, 4, value);
        desc.unit = unit;
        Import({Source("heights", desc)}, 0, false, true);
        ExpectNodes(Tile45, {{601, 601, metres}});
    }
}

// Projected sources, also across the 180th meridian, and geographic ones from 0 to 360.
TEST_F(ImportTest, SourcesAreReprojectedAndWrappedIntoTheirTiles)
{
    const struct {
        const char* what;
        double west, north, step;
        int side, epsg;
        std::vector<std::string> tiles;
        double nodes;               // nodes covered, all tiles together
        std::string sourceCrs = {}; // --source-crs
    } cases[] = {{"UTM 32 N around 45.1 N 9 E", 500000, 5000000, 90, 10, 32632, {"MARN/E009/E009N45.33E"},
                     810000 / (92.6 * 65.4)},
        {"the same without a coordinate system, given one", 500000, 5000000, 90, 10, 0, {"MARN/E009/E009N45.33E"},
            810000 / (92.6 * 65.4), "EPSG:32632"},
        {"given one over its own", 500000, 5000000, 90, 10, 32633, {"MARN/E009/E009N45.33E"}, 810000 / (92.6 * 65.4),
            "EPSG:32632"},
        {"UTM 60 S around 16.96 S 180 E", 818000, 8120000, 100, 20, 32760,
            {"MARN/W179/W179S16.33E", "MARN/E179/E179S16.33E"}, 4e6 / (92.6 * 88.7) + 22},
        {"0..360", (350 * Sec + 1800 - 1.5) / Sec, (MidLatSec + 1.5) / Sec, 3.0 / Sec, 4, 4326,
            {"MARN/W009/W009N45.33E"}, 16}};
    for (const auto& c : cases) {
        RasterSpec desc{c.west, c.north, c.step, c.step, c.side, c.side, {}, {}, c.epsg};
        desc.values.assign(static_cast<std::size_t>(c.side) * c.side, 500);
        ImportOptions options{out.path(), {Source("projected", desc)}, 0, false, true};
        options.sourceCrs = c.sourceCrs;
        const ImportResult result = RunImportJob(options, [](int, int) {});
        std::vector<std::string> tiles;
        long long covered = 0;
        for (const TileResult& tile : result.tiles) {
            tiles.push_back(TileRelativePath(tile.tile));
            const std::vector<std::int16_t> nodes = StoredNodes(out.path(), tile.tile);
            covered += std::count(nodes.begin(), nodes.end(), 500);
            EXPECT_EQ(
                std::count(nodes.begin(), nodes.end(), 500) + tile.nodesMissing, static_cast<long long>(nodes.size()));
        }
        EXPECT_EQ(tiles, c.tiles) << c.what;
        EXPECT_NEAR(static_cast<double>(covered), c.nodes, 30) << c.what;
    }
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
                std::int16_t height = 0, error = -1;
                ReadTileHeight(s, s.Reader, (southSec + (4 - row) * step) / 3600.0, lon, height, error);
                EXPECT_EQ(std::pair(height, error),
                    std::pair(static_cast<std::int16_t>(desc.values[row * 6 + col]), std::int16_t{0}))
                    << TileRelativePath(tile) << " " << row << " " << col;
            }
        }
    }
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
    const TileId tiles[] = {{49, 10}, {49, 11}, {50, 10}, {50, 11}};
    std::vector<std::vector<std::int16_t>> nodes[2]; // south-west, south-east, north-west, north-east
    for (const int jobs : {1, 2}) {
        ImportOptions options{out.path() + "/jobs" + std::to_string(jobs), {source}, 120, false, false};
        options.jobs = jobs;
        ASSERT_EQ(RunImportJob(options, [](int, int) {}).tiles.size(), 4U);
        for (const TileId& tile : tiles)
            nodes[jobs - 1].push_back(StoredNodes(options.outDir.string(), tile));
    }
    EXPECT_EQ(nodes[0], nodes[1]);
    const auto& [sw, se, nw, ne] = std::tie(nodes[0][0], nodes[0][1], nodes[0][2], nodes[0][3]);
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
