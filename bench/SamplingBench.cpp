// Speed of the height sampling: the literal reader (one file, one block) against
// the fast sampling (row/column trigonometry once, each block row read once), and
// the single calls behind them. Tiles are written once into a temporary
// directory by the tests' tile writer.

#include "core/FastHeightSampling.h"
#include "core/Geodesy.h"
#include "core/GridSetUp.h"
#include "core/TileReader.h"
#include "tests/support/LiteralSampling.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace marn;

std::int16_t Relief(double lat, double lon)
{
    return static_cast<std::int16_t>(std::lround(800 * std::sin(lat * 7) * std::cos(lon * 5) + 40 * lat + 900));
}

// Four tiles around 48 N 8 E.
const std::string& DataDir()
{
    static test::TempDir* dir = [] {
        auto* made = new test::TempDir;
        for (const int lat : {47, 48})
            for (const int lon : {7, 8})
                test::WriteTile(made->path(), lat, lon, Relief);
        return made;
    }();
    return dir->path();
}

SharedState Area(std::int16_t km, float cols, float rows)
{
    SharedState s;
    s.DataDrive = DataDir();
    s.CenterLat = 48.0;
    s.CenterLon = 8.0;
    s.AreaLengthKm = km;
    static_cast<PictureArea&>(s) = PictureAreaBetween(0, 0, cols - 1, rows - 1);
    SetUpGrid(s, s);
    return s;
}

void BM_SampleLiteral(benchmark::State& state)
{
    SharedState s = Area(static_cast<std::int16_t>(state.range(0)), 800, 600);
    for (auto _ : state) {
        s.Reader.OpenTileName.clear();
        benchmark::DoNotOptimize(test::SampleGridHeights(s, {}));
    }
    state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_SampleLiteral)->Arg(50)->Arg(150)->Unit(benchmark::kMillisecond);

void BM_SampleFast(benchmark::State& state)
{
    SharedState s = Area(static_cast<std::int16_t>(state.range(0)), 800, 600);
    for (auto _ : state)
        benchmark::DoNotOptimize(SampleGridHeightsFast(s, s.Reader, s, {}));
    state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_SampleFast)->Arg(50)->Arg(150)->Unit(benchmark::kMillisecond);

void BM_ReadTileHeightSameBlock(benchmark::State& state)
{
    SharedState s;
    s.DataDrive = DataDir();
    std::int16_t height = 0;
    std::int16_t error = 0;
    for (auto _ : state) {
        double lon = 7.501;
        ReadTileHeight(s, s.Reader, 47.30125, lon, height, error);
        benchmark::DoNotOptimize(height);
    }
}
BENCHMARK(BM_ReadTileHeightSameBlock);

void BM_DestPoint(benchmark::State& state)
{
    double lat = 0;
    double lon = 0;
    double km = 1.0;
    for (auto _ : state) {
        DestPoint(48.1, 8.0, 90, km, lat, lon);
        benchmark::DoNotOptimize(lon);
        km += 0.001;
    }
}
BENCHMARK(BM_DestPoint);

} // namespace

BENCHMARK_MAIN();
