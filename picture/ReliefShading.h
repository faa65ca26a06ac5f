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

// Light factors of grid points (1..cols, 1..rows), row after row from the
// north, each row from the west: index (j - 1) * cols + (i - 1). Flat ground
// gives 1; a slope facing the light up to about 1.3; a slope facing away
// down to 0.25. A NoData point gives 1. Where a neighbour is NoData or beyond
// the grid's edge, the slope comes from the neighbour on the other side alone;
// with neither, the point counts as level in that direction.
std::vector<float> ReliefFactors(const HeightGrid& grid, int cols, int rows, GroundSpacing spacing);

// A colour multiplied by a light factor, each channel rounded and held to 0..255.
Rgb ShadeColour(Rgb colour, float factor);

} // namespace marn
