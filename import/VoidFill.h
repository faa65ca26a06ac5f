#pragma once
// Filling nodes without data from their neighbours (GDAL's fill-nodata
// algorithm: inverse-distance weighting of the nearest valid nodes found in
// every direction).
//
// The value a node gets depends only on the grid's values within the distance
// of it (tested), so two grids that agree within that distance of a node fill
// it alike: tiles filled one by one meet without a seam when each is filled
// with that many nodes of context beyond its edges.

#include <vector>

namespace marn::import {

enum class FillScope {
    AllVoids, // every node with a value within the distance
    Holes,    // only nodes with a value within the distance along their row and column in all four directions:
              // holes the data surround, nothing beyond the data's outer edge
};

// Fills NaN values of a rows x cols grid from valid values at most
// `maxDistance` nodes away. Nodes too far from any value stay NaN.
void FillVoids(std::vector<double>& grid, int rows, int cols, double maxDistance, FillScope scope);

} // namespace marn::import
