// Speed of the importer's phases on one 1 x 1 degree 3" source: opening it,
// sampling it onto a tile's nodes (alone, and with the eight neighbouring
// sources that overlap the tile's edges by half a cell), filling voids,
// packing the file image, writing the file, and one whole tile end to end.
//
// "marn_import_bench --write-sources DIR COUNT" writes COUNT such sources
// (E000..E003 from 40 N upwards, four to a row) for bench/import-jobs.sh.

#include "import/GdalSession.h"
#include "import/Importer.h"
#include "import/NodeGrid.h"
#include "import/SourceRaster.h"
#include "import/TileFileWriter.h"
#include "import/VoidFill.h"

#include <benchmark/benchmark.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace marn::import;

double Relief(double lat, double lon)
{
    return 900 + 800 * std::sin(lat * 7) * std::cos(lon * 5) + 40 * std::sin(lat * 300 + lon * 170);
}

// A source like an SRTM tile: 1201 x 1201 cells of 3" centred on the tile's nodes.
std::string WriteSource(const fs::path& dir, int lat, int lon)
{
    const std::string path = (dir / (std::to_string(lat) + "_" + std::to_string(lon) + ".tif")).string();
    constexpr int Side = 1201;
    constexpr double Step = 3.0 / 3600;
    const GdalSession session;
    GDALDatasetH dataset = GDALCreate(GDALGetDriverByName("GTiff"), path.c_str(), Side, Side, 1, GDT_Int16, nullptr);
    if (dataset == nullptr)
        throw std::runtime_error("cannot create " + path);
    double geoTransform[6] = {lon - Step / 2, Step, 0.0, lat + 1 + Step / 2, 0.0, -Step};
    GDALSetGeoTransform(dataset, geoTransform);
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(srs, 4326);
    GDALSetSpatialRef(dataset, srs);
    OSRDestroySpatialReference(srs);
    std::vector<std::int16_t> values(static_cast<std::size_t>(Side) * Side);
    for (int row = 0; row < Side; ++row) {
        for (int col = 0; col < Side; ++col)
            values[static_cast<std::size_t>(row) * Side + col] =
                static_cast<std::int16_t>(std::lround(Relief(lat + 1 - row * Step, lon + col * Step)));
    }
    const CPLErr written = GDALRasterIO(
        GDALGetRasterBand(dataset, 1), GF_Write, 0, 0, Side, Side, values.data(), Side, Side, GDT_Int16, 0, 0);
    GDALClose(dataset);
    if (written != CE_None)
        throw std::runtime_error("cannot write " + path);
    return path;
}

// A fresh directory under the temporary directory, removed at exit.
struct BenchDir {
    fs::path path;
    BenchDir()
    {
        std::string pattern = (fs::temp_directory_path() / "marn-import-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary directory");
        path = pattern;
    }
    ~BenchDir() { fs::remove_all(path); }
};

const BenchDir& Dir()
{
    static const BenchDir dir;
    return dir;
}

// Nine sources around 41 N 1 E, the first one that of the tile N41 E001.
const std::vector<std::string>& Sources()
{
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> made{WriteSource(Dir().path, 41, 1)};
        for (const int lat : {40, 41, 42}) {
            for (const int lon : {0, 1, 2}) {
                if (lat != 41 || lon != 1)
                    made.push_back(WriteSource(Dir().path, lat, lon));
            }
        }
        return made;
    }();
    return paths;
}

const TileId Tile{41, 1};

void BM_OpenSource(benchmark::State& state)
{
    const GdalSession session;
    for (auto _ : state)
        benchmark::DoNotOptimize(SourceRaster::Open(Sources().front()));
}
BENCHMARK(BM_OpenSource)->Unit(benchmark::kMillisecond);

// Argument: the sources over the tile, 1 (its own) or 9 (with its neighbours).
void BM_SampleTile(benchmark::State& state)
{
    const GdalSession session;
    std::vector<std::unique_ptr<SourceRaster>> sources;
    for (int i = 0; i < state.range(0); ++i)
        sources.push_back(SourceRaster::Open(Sources()[static_cast<std::size_t>(i)]));
    const NodeGridSpec desc = TileNodeGrid(Tile, 0);
    std::vector<double> grid(desc.size());
    for (auto _ : state) {
        for (const auto& source : sources)
            source->SampleInto(desc, grid);
        benchmark::DoNotOptimize(grid.data());
    }
}
BENCHMARK(BM_SampleTile)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);

// Argument: the fill distance; the tile's eastern half and its context there lack data.
void BM_FillVoids(benchmark::State& state)
{
    const GdalSession session;
    const int distance = static_cast<int>(state.range(0));
    const NodeGridSpec desc = FillNodeGrid(Tile, distance);
    std::vector<double> heights(desc.size());
    for (int row = 0; row < desc.rows; ++row) {
        for (int col = 0; col < desc.cols; ++col)
            heights[static_cast<std::size_t>(row) * desc.cols + col] =
                col < desc.cols / 2 ? Relief(desc.latOfRow(row), desc.lonOfCol(col))
                                    : std::numeric_limits<double>::quiet_NaN();
    }
    for (auto _ : state) {
        std::vector<double> grid = heights;
        FillVoids(grid, desc.rows, desc.cols, distance, FillScope::AllVoids);
        benchmark::DoNotOptimize(grid.data());
    }
}
BENCHMARK(BM_FillVoids)->Arg(10)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_PackTile(benchmark::State& state)
{
    std::vector<std::int16_t> nodes(static_cast<std::size_t>(TileRows) * TileCols(marn::TileKind::Kind3), 123);
    for (auto _ : state)
        benchmark::DoNotOptimize(PackTileFile(nodes, marn::TileKind::Kind3));
}
BENCHMARK(BM_PackTile)->Unit(benchmark::kMillisecond);

void BM_WriteTile(benchmark::State& state)
{
    const fs::path path = Dir().path / "written" / "tile";
    const std::vector<unsigned char> bytes(static_cast<std::size_t>(marn::Kind3Geometry.fileBytes), 7);
    for (auto _ : state)
        WriteTileFile(path, bytes, true);
}
BENCHMARK(BM_WriteTile)->Unit(benchmark::kMillisecond);

// One full tile, as "marn import --force --jobs 1" builds it from its own source.
void BM_WholeTile(benchmark::State& state)
{
    const fs::path out = Dir().path / "whole";
    ImportOptions options{out, {Sources().front()}, 0, false, true};
    for (auto _ : state)
        benchmark::DoNotOptimize(RunImportJob(options, [](int, int) {}));
}
BENCHMARK(BM_WholeTile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--write-sources") {
        const int count = std::atoi(argv[3]);
        fs::create_directories(argv[2]);
        for (int i = 0; i < count; ++i)
            std::cout << WriteSource(argv[2], 40 + i / 4, i % 4) << '\n';
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    Sources(); // written before the first measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
