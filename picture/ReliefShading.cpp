#include "picture/ReliefShading.h"

#include "core/Geodesy.h"
#include "core/TileFormat.h"

#include <cmath>

namespace marn {
namespace {

// The light: from the north-west (azimuth 315 degrees), 45 degrees above the
// horizon, as a unit vector towards it in (east, north, up).
constexpr double LightAltitudeDeg = 45.0;
constexpr double LightAzimuthDeg = 315.0;
const float LightUp = static_cast<float>(std::sin(LightAltitudeDeg * Pi / 180));
const float LightEast =
    static_cast<float>(std::cos(LightAltitudeDeg * Pi / 180) * std::sin(LightAzimuthDeg * Pi / 180));
const float LightNorth =
    static_cast<float>(std::cos(LightAltitudeDeg * Pi / 180) * std::cos(LightAzimuthDeg * Pi / 180));

// The share of the light that even a slope facing away keeps, so that its
// class colour stays recognisable.
constexpr float Ambient = 0.25F;

// Pixels up to this size (km) are shaded without exaggeration.
constexpr double UnexaggeratedKmPerPixel = 0.01;

// The height difference across a point along one axis, per ground step, from
// its neighbours before and after: a missing neighbour is replaced by the point
// itself, and a difference over two steps is halved. Written without branches,
// so that the compiler can take several points at once.
inline float Difference(int before, int here, int after)
{
    const int hasBefore = before != NoData;
    const int hasAfter = after != NoData;
    const int from = hasBefore ? before : here;
    const int to = hasAfter ? after : here;
    return static_cast<float>(to - from) * (1.0F - 0.5F * static_cast<float>(hasBefore & hasAfter));
}

// Row j's heights of columns 1..cols at index 1..cols of `padded`, NoData at
// index 0 and cols + 1, and everywhere for a row outside 1..rows.
void LoadRow(const HeightGrid& grid, int j, int rows, std::vector<std::int16_t>& padded)
{
    const auto cols = static_cast<std::ptrdiff_t>(padded.size()) - 2;
    if (j < 1 || j > rows) {
        std::fill(padded.begin(), padded.end(), NoData);
        return;
    }
    const std::int16_t* row =
        grid.raw().data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(grid.maxCol() + 1);
    std::copy(row + 1, row + 1 + cols, padded.begin() + 1);
    padded.front() = NoData;
    padded.back() = NoData;
}

// Exaggerated height difference per metre of ground, per height step.
struct SlopeScale {
    float east;
    float north;
};

// The light of the points 1..cols of the middle row, written to out[0 .. cols - 1].
void LightRow(const std::int16_t* north, const std::int16_t* middle, const std::int16_t* south, int cols,
    SlopeScale scale, Light* out)
{
    const float up = LightUp;
    const float towardsEast = LightEast;
    const float towardsNorth = LightNorth;
    const float ambient = Ambient * FlatLight;
    const float lit = (1.0F - Ambient) * FlatLight / up;
    for (int i = 1; i <= cols; ++i) {
        // A NoData point gets no slope and so the light of level ground.
        const int here = middle[i];
        const auto present = static_cast<float>(here != NoData);
        const float east = Difference(middle[i - 1], here, middle[i + 1]) * scale.east * present;
        const float rise = Difference(south[i], here, north[i]) * scale.north * present;
        // The surface's normal is (-east, -rise, 1); its light is the cosine
        // of its angle to the light, none for a slope turned away (the cosine
        // held to 0 by arithmetic rather than a test, which the compiler would
        // turn into a branch).
        const float toLight =
            (up - east * towardsEast - rise * towardsNorth) / std::sqrt(1.0F + east * east + rise * rise);
        const float towards = (toLight + std::fabs(toLight)) * 0.5F;
        out[i - 1] = static_cast<Light>(ambient + lit * towards + 0.5F);
    }
}

} // namespace

GroundSpacing GridSpacing(double kmPerPixel, double latN, double latS, float picRows)
{
    return {kmPerPixel, (latN - latS) / static_cast<double>(picRows) * KmPerDegree};
}

double VerticalExaggeration(double kmPerPixel)
{
    return std::max(1.0, std::sqrt(kmPerPixel / UnexaggeratedKmPerPixel));
}

std::vector<Light> ReliefLight(const HeightGrid& grid, int cols, int rows, GroundSpacing spacing)
{
    cols = std::clamp(cols, 0, grid.maxCol());
    rows = std::clamp(rows, 0, grid.maxRow());
    std::vector<Light> light(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows), FlatLight);
    if (cols < 1 || rows < 1 || !(spacing.eastWestKm > 0.0) || !(spacing.northSouthKm > 0.0))
        return light;

    // Heights in metres over ground steps in metres, the heights exaggerated.
    const double exaggeration = VerticalExaggeration(spacing.eastWestKm);
    const auto perEastStep = static_cast<float>(exaggeration / (spacing.eastWestKm * 1000.0));
    const auto perNorthStep = static_cast<float>(exaggeration / (spacing.northSouthKm * 1000.0));

    // Three rows at a time, north, middle and south, padded with NoData so
    // that the edges of the grid need no test of their own.
    const auto padded = static_cast<std::size_t>(cols) + 2;
    std::vector<std::int16_t> north(padded);
    std::vector<std::int16_t> middle(padded);
    std::vector<std::int16_t> south(padded);
    LoadRow(grid, 0, rows, middle);
    LoadRow(grid, 1, rows, south);
    for (int j = 1; j <= rows; ++j) {
        std::swap(north, middle);
        std::swap(middle, south);
        LoadRow(grid, j + 1, rows, south);
        Light* out = light.data() + static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(cols);
        LightRow(north.data(), middle.data(), south.data(), cols, {perEastStep, perNorthStep}, out);
    }
    return light;
}

void ShadePixels(std::uint32_t* pixels, const Light* light, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint32_t pixel = pixels[k];
        const Light l = light[k];
        const auto channel = [pixel, l](int shift) {
            return static_cast<std::uint32_t>(ShadeChannel(static_cast<std::uint8_t>(pixel >> shift), l)) << shift;
        };
        pixels[k] = (pixel & 0xFF000000U) | channel(16) | channel(8) | channel(0);
    }
}

} // namespace marn
