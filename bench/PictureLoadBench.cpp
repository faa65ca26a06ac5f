// Speed of the picture window's load for a 1920 x 1080 screen, phase by
// phase (grid set-up, sampling, classification, drawing, relief shading) and
// as a whole, at
// 50 km and 3000 km around 47 N 8 E and over 3000 km of open sea without any
// tile file. The tiles are the synthetic set that the large sampling test
// uses, written into the build tree on the first run (about 1.9 GB) and reused
// afterwards. Read the CPU column: the machine may be busy with other work;
// for the sampling on several threads read the real time (UseRealTime), which
// only means something on an otherwise idle machine.

#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "picture/HeightClasses.h"
#include "picture/HeightPixels.h"
#include "picture/PictureLayout.h"
#include "picture/ReliefShading.h"
#include "picture/frmPicture.h"
#include "tests/picture/SamplingAreas.h"
#include "tests/support/LiteralSampling.h"
#include "ui/HeadlessPlatform.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <string>

namespace {

using namespace marn;

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;

const test::SamplingArea* const Areas[] = {&test::Alps50Km, &test::Europe3000Km, &test::OpenSea3000Km};

const test::SamplingArea& AreaOf(const benchmark::State& state)
{
    return *Areas[static_cast<std::size_t>(state.range(0))];
}

SharedState Framed(const benchmark::State& state)
{
    return test::FrameArea(AreaOf(state), ScreenWidth, ScreenHeight, MARN_SAMPLING_TILES);
}

SharedState Sampled(const benchmark::State& state)
{
    SharedState s = Framed(state);
    SampleGridHeightsFast(s, s.Reader, s, {});
    return s;
}

void Name(benchmark::State& state)
{
    state.SetLabel(AreaOf(state).name);
}

void BM_GridSetUp(benchmark::State& state)
{
    SharedState s = Framed(state);
    for (auto _ : state) {
        SetUpGrid(s, s);
        benchmark::DoNotOptimize(s.GridCoords(0, 1, 1));
    }
    Name(state);
}

// The second argument is the number of sampling threads.
void BM_SamplingFast(benchmark::State& state)
{
    SharedState s = Framed(state);
    const int threads = static_cast<int>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(SampleGridHeightsFast(s, s.Reader, s, {}, threads));
    state.SetLabel(std::string(AreaOf(state).name) + ", " + std::to_string(threads) + " threads");
    state.counters["threads"] = threads;
}

void BM_SamplingLiteral(benchmark::State& state)
{
    SharedState s = Framed(state);
    for (auto _ : state) {
        s.Reader = TileReaderState{};
        benchmark::DoNotOptimize(test::SampleGridHeights(s, {}));
    }
    Name(state);
}

void BM_Classification(benchmark::State& state)
{
    const SharedState s = Sampled(state);
    for (auto _ : state) {
        const HeightRange range = FindHeightRange(s.GridHeights, s.PicCols, s.PicRows);
        benchmark::DoNotOptimize(ComputeClassLimits(range));
    }
    Name(state);
}

// Every pixel of the picture, flat (argument 1 = 0) or relief-shaded (1):
// the difference is what shading adds to a load.
void BM_Drawing(benchmark::State& state)
{
    const SharedState s = Sampled(state);
    const ClassLimits limits = ComputeClassLimits(FindHeightRange(s.GridHeights, s.PicCols, s.PicRows));
    const PictureLayout layout = ComputePictureLayout(ScreenWidth, ScreenHeight, LabelDesignSizes{});
    QImage image(
        static_cast<int>(layout.Picture1.width), static_cast<int>(layout.Picture1.height), QImage::Format_RGB32);
    const bool relief = state.range(1) != 0;
    for (auto _ : state) {
        DrawHeightPixels(s, limits, image, relief);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::string(AreaOf(state).name) + (relief ? ", relief" : ", flat"));
}

// The light of relief shading alone.
void BM_ReliefLight(benchmark::State& state)
{
    const SharedState s = Sampled(state);
    const int cols = static_cast<int>(std::floor(s.PicCols));
    const int rows = static_cast<int>(std::floor(s.PicRows));
    const GroundSpacing spacing = GridSpacing(s.KmPerPixel, s.LatN, s.LatS, s.PicRows);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReliefLight(s.GridHeights, cols, rows, spacing).data());
    Name(state);
}

// The whole load of a fresh picture window: layout, frame and scale, grid,
// coordinate labels, sampling under the progress window, height range,
// classes, every pixel and the legend.
void BM_WholeLoad(benchmark::State& state)
{
    const test::SamplingArea& area = AreaOf(state);
    for (auto _ : state) {
        state.PauseTiming();
        SharedState s;
        s.DataDrive = MARN_SAMPLING_TILES;
        s.CenterLat = area.centerLat;
        s.CenterLon = area.centerLon;
        s.AreaLengthKm = area.km;
        HeadlessPlatform platform({ScreenWidth, ScreenHeight, 15.0});
        auto picture = std::make_unique<frmPicture>(s, platform);
        state.ResumeTiming();
        benchmark::DoNotOptimize(picture->ShowPicture());
        state.PauseTiming();
        picture.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    Name(state);
}

BENCHMARK(BM_GridSetUp)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SamplingFast)
    ->ArgsProduct({{0, 1, 2}, {1, 2, 4}})
    ->ArgNames({"area", "threads"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SamplingLiteral)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Classification)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Drawing)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReliefLight)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeLoad)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void EnsureTileSet()
{
    const auto start = std::chrono::steady_clock::now();
    const SharedState widest = test::FrameArea(test::Europe3000Km, ScreenWidth, ScreenHeight, MARN_SAMPLING_TILES);
    const auto tiles = test::TilesUnderGrid(widest);
    const int written = test::WriteMissingTiles(MARN_SAMPLING_TILES, tiles);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cerr << "tile set " << MARN_SAMPLING_TILES << ": " << tiles.size() << " tiles, " << written << " written in "
              << took.count() << " s\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    EnsureTileSet();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
