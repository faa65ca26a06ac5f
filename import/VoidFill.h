#pragma once
// Filling nodes without data from their neighbours (GDAL's fill-nodata
// algorithm: inverse-distance weighting of the nearest valid nodes found in
// every direction).

#include <vector>

namespace marn::import {

// Fills NaN values of a rows x cols grid from valid values at most
// `maxDistance` nodes away. Nodes too far from any value stay NaN.
void FillVoids(std::vector<double>& grid, int rows, int cols, double maxDistance);

} // namespace marn::import
