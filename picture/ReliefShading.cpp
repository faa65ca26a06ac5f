#include "picture/ReliefShading.h"

#include "core/Geodesy.h"
#include "core/SharedState.h"

#include <algorithm>
#include <cmath>

namespace marn {
namespace {

// The light: from the north-west (azimuth 315 degrees), 45 degrees above the
// horizon, as a unit vector towards it in (east, north, up).
constexpr float LightAltitudeDeg = 45.0F;
const float LightUp = static_cast<float>(std::sin(LightAltitudeDeg * Pi / 180));
const float LightEast = static_cast<float>(-std::cos(LightAltitudeDeg * Pi / 180) * std::sin(45.0 * Pi / 180));
const float LightNorth = static_cast<float>(std::cos(LightAltitudeDeg * Pi / 180) * std::cos(45.0 * Pi / 180));

// The share of the light that even a slope facing away keeps, so that its
// class colour stays recognisable.
constexpr float Ambient = 0.25F;

// Pixels up to this size (km) are shaded without exaggeration.
constexpr double UnexaggeratedKmPerPixel = 0.01;

// The slope along one axis (height units per ground unit) from the neighbours
// before and after a point; a missing neighbour counts as level with the point.
inline float Slope(std::int16_t before, std::int16_t here, std::int16_t after, float step)
{
    const bool hasBefore = before != NoData;
    const bool hasAfter = after != NoData;
    if (hasBefore == hasAfter)
        return hasBefore ? static_cast<float>(after - before) / (2.0F * step) : 0.0F;
    return hasAfter ? static_cast<float>(after - here) / step : static_cast<float>(here - before) / step;
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

std::vector<float> ReliefFactors(const HeightGrid& grid, int cols, int rows, GroundSpacing spacing)
{
    cols = std::clamp(cols, 0, grid.maxCol());
    rows = std::clamp(rows, 0, grid.maxRow());
    std::vector<float> factors(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows), 1.0F);
    if (cols < 1 || rows < 1 || !(spacing.eastWestKm > 0.0) || !(spacing.northSouthKm > 0.0))
        return factors;

    // Heights in metres against ground steps in metres, the heights exaggerated.
    const double exaggeration = VerticalExaggeration(spacing.eastWestKm);
    const auto eastStep = static_cast<float>(spacing.eastWestKm * 1000.0 / exaggeration);
    const auto northStep = static_cast<float>(spacing.northSouthKm * 1000.0 / exaggeration);
    const float lit = (1.0F - Ambient) / LightUp;

    const std::size_t stride = static_cast<std::size_t>(grid.maxCol()) + 1;
    const std::int16_t* const heights = grid.raw().data();
    for (int j = 1; j <= rows; ++j) {
        const std::int16_t* row = heights + static_cast<std::size_t>(j) * stride;
        const std::int16_t* north = j > 1 ? row - stride : nullptr;
        const std::int16_t* south = j < rows ? row + stride : nullptr;
        float* out = factors.data() + static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(cols);
        for (int i = 1; i <= cols; ++i) {
            const std::int16_t here = row[i];
            if (here == NoData)
                continue;
            const std::int16_t west = i > 1 ? row[i - 1] : NoData;
            const std::int16_t east = i < cols ? row[i + 1] : NoData;
            const float dzdx = Slope(west, here, east, eastStep);
            const float dzdy =
                Slope(south != nullptr ? south[i] : NoData, here, north != nullptr ? north[i] : NoData, northStep);
            // The surface's normal is (-dzdx, -dzdy, 1); its light is the cosine
            // of its angle to the light, none for a slope turned away.
            const float toLight =
                (LightUp - dzdx * LightEast - dzdy * LightNorth) / std::sqrt(1.0F + dzdx * dzdx + dzdy * dzdy);
            out[i - 1] = Ambient + lit * std::max(toLight, 0.0F);
        }
    }
    return factors;
}

Rgb ShadeColour(Rgb colour, float factor)
{
    const auto channel = [factor](std::uint8_t c) {
        return static_cast<std::uint8_t>(std::min(std::floor(static_cast<float>(c) * factor + 0.5F), 255.0F));
    };
    return {channel(colour.r), channel(colour.g), channel(colour.b)};
}

} // namespace marn
