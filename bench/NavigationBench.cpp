// Speed of a navigation step in the picture window on a 1920 x 1080 screen,
// driven headless (offscreen platform) through the real event path: a key
// (+, -, an arrow, Backspace) goes to the shown window, and the step ends
// when the new picture is drawn, its labels placed and the readout armed.
// In the same run the sampling alone of the same grid is measured. Cases:
// zoom in (from twice the length), zoom out (from half the length), pan east
// and Back, at 20, 50, 100, 400 and 3000 km around 47 N 8 E over the
// benchmark tile set (written into the build tree on the first run, about
// 1.9 GB, shared with marn_picture_load_bench) and, when run-viewer.sh has
// prepared build/sample-data, at 20 and 100 km over the Tennessee sample.
//
// Every step starts from a picture whose next view is not in the picture
// cache (the cache is emptied between iterations, untimed), so each step
// samples; Back always finds its picture in the cache. Times are real
// (wall-clock) times, the sampling runs on SamplingThreads() threads.
//
// At the end one line per length, medians of the iterations:
//   km 50: sampling 64.1 ms, zoom 71.0 ms, pan 70.2 ms, back 2.1 ms, step/sampling 1.11, back/step 0.03
// step/sampling is taken for the slower of zoom and pan (zoom: the slower of
// in and out where both exist); lines over the samples start with "sample ".

#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "picture/frmPicture.h"
#include "tests/picture/SamplingAreas.h"
#include "ui/HeadlessPlatform.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace marn;
using Clock = std::chrono::steady_clock;

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
constexpr int Iterations = 7;

struct Place {
    const char* prefix; // of the summary line
    const char* data;
    double lat;
    double lon;
};
const Place Places[] = {{"", MARN_SAMPLING_TILES, 47.0, 8.0}, {"sample ", MARN_SAMPLE_DATA, 36.5833, -84.25}};

enum Kind { Sampling, ZoomIn, ZoomOut, Pan, Back };
const char* const KindNames[] = {"sampling", "zoom in", "zoom out", "pan", "back"};

// Milliseconds of every timed iteration, by place, length and kind: wall
// time, and the processor time of all threads of the process (which a busy
// machine inflates far less).
std::map<std::tuple<int, int, int>, std::vector<double>> Times;
std::map<std::tuple<int, int, int>, std::vector<double>> CpuTimes;

double ProcessCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

bool Available(const Place& place)
{
    return std::filesystem::exists(std::string(place.data) + "/MARN");
}

// A shown picture window at a place and length.
struct Viewer {
    Viewer(const Place& place, std::int16_t km) : platform({ScreenWidth, ScreenHeight, 15.0})
    {
        s.DataDrive = place.data;
        s.CenterLat = place.lat;
        s.CenterLon = place.lon;
        s.AreaLengthKm = km;
        window = std::make_unique<frmPicture>(s, platform);
        ok = window->ShowPicture();
        window->activateWindow();
        ok = ok && QTest::qWaitForWindowActive(window.get());
    }
    void key(Qt::Key key) { QTest::keyClick(window.get(), key); }

    SharedState s;
    HeadlessPlatform platform;
    std::unique_ptr<frmPicture> window;
    bool ok = false;
};

void Record(benchmark::State& state, int place, int km, Kind kind, double ms, double cpuMs)
{
    state.SetIterationTime(ms / 1000.0);
    Times[{place, km, kind}].push_back(ms);
    CpuTimes[{place, km, kind}].push_back(cpuMs);
}

// The sampling alone of the grid a step to this view samples.
void BM_Sampling(benchmark::State& state, int place, int km)
{
    const Place& at = Places[place];
    if (!Available(at)) {
        state.SkipWithError("no data set");
        return;
    }
    SharedState s =
        test::FrameArea({"", at.lat, at.lon, static_cast<std::int16_t>(km)}, ScreenWidth, ScreenHeight, at.data);
    for (auto _ : state) {
        SetUpGrid(s, s);
        const double cpu = ProcessCpuMs();
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(SampleGridHeightsFast(s, s.Reader, s, {}));
        Record(state, place, km, Sampling, Ms(Clock::now() - start), ProcessCpuMs() - cpu);
    }
}

void BM_Step(benchmark::State& state, int place, int km, Kind kind)
{
    const Place& at = Places[place];
    if (!Available(at)) {
        state.SkipWithError("no data set");
        return;
    }
    const int from = kind == ZoomIn ? km * 2 : (kind == ZoomOut ? km / 2 : km);
    Viewer viewer(at, static_cast<std::int16_t>(from));
    if (!viewer.ok) {
        state.SkipWithError("the first picture did not load");
        return;
    }
    const Qt::Key key = kind == ZoomIn ? Qt::Key_Plus : (kind == ZoomOut ? Qt::Key_Minus : Qt::Key_Right);
    const View start = CurrentView(viewer.s);
    double cacheBytes = 0.0;
    for (auto _ : state) {
        if (kind == Back)
            viewer.key(key); // the step to go back from, untimed
        const View before = CurrentView(viewer.s);
        const double cpu = ProcessCpuMs();
        const Clock::time_point begin = Clock::now();
        viewer.key(kind == Back ? Qt::Key_Backspace : key);
        QCoreApplication::processEvents(); // the picture painted
        const double ms = Ms(Clock::now() - begin);
        const double cpuMs = ProcessCpuMs() - cpu;
        const View after = CurrentView(viewer.s);
        if (!viewer.platform.messages().isEmpty() || after == before || (kind == Back) != (after == start)
            || after.AreaLengthKm != (kind == Back ? from : km)) {
            state.SkipWithError("the step did not show its picture");
            return;
        }
        Record(state, place, km, kind, ms, cpuMs);
        if (kind != Back)
            viewer.key(Qt::Key_Backspace);
        cacheBytes = static_cast<double>(viewer.window->pictureCache().bytes());
        viewer.window->clearPictureCache();
    }
    state.counters["cache MB per picture"] = cacheBytes / (1 << 20);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Configure(benchmark::internal::Benchmark* b)
{
    b->Iterations(Iterations)->UseManualTime()->Unit(benchmark::kMillisecond);
}

void RegisterAll()
{
    const std::pair<int, std::vector<int>> lengths[] = {{0, {20, 50, 100, 400, 3000}}, {1, {20, 100}}};
    for (const auto& [place, kms] : lengths) {
        for (const int km : kms) {
            const std::string at = std::string(Places[place].prefix) + "km " + std::to_string(km);
            Configure(benchmark::RegisterBenchmark((at + " sampling").c_str(), BM_Sampling, place, km));
            for (const Kind kind : {ZoomIn, ZoomOut, Pan, Back}) {
                if ((kind == ZoomIn && km * 2 > 3000) || (kind == ZoomOut && km / 2 < 20))
                    continue;
                Configure(benchmark::RegisterBenchmark((at + " " + KindNames[kind]).c_str(), BM_Step, place, km, kind));
            }
        }
    }
}

void PrintSummary(const std::map<std::tuple<int, int, int>, std::vector<double>>& times, const char* suffix)
{
    std::map<std::pair<int, int>, std::map<int, double>> medians;
    for (const auto& [key, values] : times)
        medians[{std::get<0>(key), std::get<1>(key)}][std::get<2>(key)] = Median(values);
    for (const auto& entry : medians) {
        const std::pair<int, int>& at = entry.first;
        const std::map<int, double>& kinds = entry.second;
        const auto get = [&kinds](Kind kind) {
            const auto found = kinds.find(kind);
            return found == kinds.end() ? 0.0 : found->second;
        };
        const double zoom = std::max(get(ZoomIn), get(ZoomOut));
        const double step = std::max(zoom, get(Pan));
        const double sampling = get(Sampling);
        std::printf(
            "%skm %d%s: sampling %.1f ms, zoom %.1f ms, pan %.1f ms, back %.1f ms, step/sampling %.2f, "
            "back/step %.2f\n",
            Places[at.first].prefix, at.second, suffix, sampling, zoom, get(Pan), get(Back),
            sampling > 0 ? step / sampling : 0.0, step > 0 ? get(Back) / step : 0.0);
    }
}

void EnsureTileSet()
{
    const SharedState widest = test::FrameArea(test::Europe3000Km, ScreenWidth, ScreenHeight, MARN_SAMPLING_TILES);
    const int written = test::WriteMissingTiles(MARN_SAMPLING_TILES, test::TilesUnderGrid(widest));
    if (written > 0)
        std::cerr << "tile set " << MARN_SAMPLING_TILES << ": " << written << " tiles written\n";
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
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n");
    PrintSummary(Times, "");
    std::printf("\nprocessor time of all threads (medians):\n");
    PrintSummary(CpuTimes, " cpu");
    return 0;
}
