#include "tests/picture/SamplingAreas.h"

#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "core/TileLocation.h"
#include "picture/PictureLayout.h"
#include "tests/support/TileWriter.h"

#include <cmath>
#include <filesystem>
#include <set>
#include <unistd.h>

namespace marn::test {
namespace {

// A triangle wave from 0 to 1 and back with period 2.
double Triangle(double x)
{
    return std::fabs(x - 2 * std::floor(x * 0.5) - 1);
}

// The south-west corner of the tile that holds (lat, lon), lon as the reader normalises it.
std::pair<int, int> CornerOf(double lat, double lon)
{
    NormaliseLongitude(lon);
    int west = static_cast<int>(std::floor(lon));
    if (west >= 360)
        west -= 360;
    if (west >= 180)
        west -= 360;
    return {static_cast<int>(std::floor(lat)), west};
}

} // namespace

SharedState FrameArea(const SamplingArea& area, int screenWidthPx, int screenHeightPx, const std::string& dataDrive)
{
    const PictureLayout layout = ComputePictureLayout(screenWidthPx, screenHeightPx, LabelDesignSizes{});
    SharedState s;
    s.DataDrive = dataDrive;
    s.CenterLat = area.centerLat;
    s.CenterLon = area.centerLon;
    s.AreaLengthKm = area.km;
    s.ScreenWidthPx = layout.ScreenWidthPx;
    s.ScreenHeightPx = layout.ScreenHeightPx;
    static_cast<PictureArea&>(s) = layout;
    SetUpGrid(s, s);
    return s;
}

std::vector<std::pair<int, int>> TilesUnderGrid(const SharedState& framed)
{
    // The sampling's own coordinates, placed over a data drive without tiles.
    SharedState probe = framed;
    probe.DataDrive = (std::filesystem::temp_directory_path() / "marn-no-tiles-here").string();
    SampleGridHeightsFast(probe, probe.Reader, probe, {});
    const int cols = static_cast<int>(std::floor(framed.PicCols));
    const int rows = static_cast<int>(std::floor(framed.PicRows));
    std::set<std::pair<int, int>> corners;
    for (int j = 1; j <= rows; ++j)
        for (int i = 1; i <= cols; ++i)
            corners.insert(CornerOf(probe.GridCoords(0, i, j), probe.GridCoords(1, i, j)));
    return {corners.begin(), corners.end()};
}

std::int16_t SyntheticRelief(double lat, double lon)
{
    const double hills = 1800 * (Triangle(lat * 1.7) + Triangle(lon * 1.3) - 1);
    const double ripples = 150 * (2 * Triangle(lat * 97 + lon * 61) - 1);
    return static_cast<std::int16_t>(std::lround(1750 + hills + ripples));
}

int WriteMissingTiles(const std::string& dataRoot, const std::vector<std::pair<int, int>>& corners)
{
    namespace fs = std::filesystem;
    const std::string scratch = dataRoot + "/.scratch-" + std::to_string(::getpid());
    int written = 0;
    for (const auto& [lat, lon] : corners) {
        const fs::path target = TilePath(dataRoot, lat, lon);
        if (fs::exists(target))
            continue;
        const std::string made = WriteTile(scratch, lat, lon, SyntheticRelief);
        fs::create_directories(target.parent_path());
        fs::rename(made, target);
        ++written;
    }
    fs::remove_all(scratch);
    return written;
}

} // namespace marn::test
