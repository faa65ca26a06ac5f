#pragma once
// Relief shading: every point's class colour multiplied by how much light its
// slope catches from the north-west, 45 degrees above the horizon. The slopes
// come from the sampled height grid and its real ground spacing, steepened by
// a vertical exaggeration that grows with the ground size of a pixel, so that
// relief stays visible from 20 km to 3000 km. Points without data stay flat.
// Plain functions of plain data; the picture window applies them when it draws
// the pixels, and the grid itself is never changed.

#include "core/GridArrays.h"
#include "picture/HeightClasses.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace marn {

// Ground distance between neighbouring grid points, in km.
struct GroundSpacing {
    double eastWestKm = 0.0;   // between columns: KmPerPixel
    double northSouthKm = 0.0; // between rows: the row step in degrees of latitude
};

// The spacing of a sampled grid: KmPerPixel between columns, and
// (latN - latS) / picRows degrees of arc between rows.
GroundSpacing GridSpacing(double kmPerPixel, double latN, double latS, float picRows);

// The factor heights are multiplied with before the slopes are taken: 1 up to
// a pixel of 10 m, then growing with the square root of the pixel's size
// (about 2 at 50 km and 15 at 3000 km across a full-screen picture).
double VerticalExaggeration(double kmPerPixel);

// The light on a point in 256ths of its colour: FlatLight on level ground.
using Light = std::uint16_t;
inline constexpr Light FlatLight = 256;

// The light of grid points (1..cols, 1..rows), row after row from the north,
// each row from the west: index (j - 1) * cols + (i - 1). A slope facing the
// light gets up to about 1.3 times FlatLight, one facing away down to a
// quarter. A NoData point gets FlatLight. Where a neighbour is NoData or
// beyond the grid's edge, the slope comes from the neighbour on the other side
// alone; with neither, the point counts as level in that direction.
std::vector<Light> ReliefLight(const HeightGrid& grid, int cols, int rows, GroundSpacing spacing);

// One colour channel in the given light, rounded and held to 0..255.
constexpr std::uint8_t ShadeChannel(std::uint8_t channel, Light light)
{
    return static_cast<std::uint8_t>(std::min((channel * light + FlatLight / 2) / FlatLight, 255));
}

constexpr Rgb ShadeColour(Rgb colour, Light light)
{
    return {ShadeChannel(colour.r, light), ShadeChannel(colour.g, light), ShadeChannel(colour.b, light)};
}

// ShadeColour over `count` pixels 0xAARRGGBB in place (alpha kept), pixel k in light[k].
void ShadePixels(std::uint32_t* pixels, const Light* light, std::size_t count);

} // namespace marn
