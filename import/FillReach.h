#pragma once
// The part of a grid that void filling can change: no node farther than the
// search distance from every value gets filled, so filling works on the
// values' bounding box widened by that distance.

#include <vector>

namespace marn::import {

struct GridRect {
    int row0 = 0;
    int col0 = 0;
    int rows = 0;
    int cols = 0;

    bool empty() const { return rows <= 0 || cols <= 0; }
};

// The bounding box of the non-NaN values of a rows x cols grid widened by
// `distance` nodes on every side and clipped to the grid; empty when the grid
// holds no value.
GridRect FillReach(const std::vector<double>& grid, int rows, int cols, int distance);

// The values of `rect` out of the grid, row by row.
std::vector<double> CopyRect(const std::vector<double>& grid, int cols, const GridRect& rect);

// Writes `values` (laid out as by CopyRect) back into `rect` of the grid.
void PasteRect(std::vector<double>& grid, int cols, const GridRect& rect, const std::vector<double>& values);

} // namespace marn::import
