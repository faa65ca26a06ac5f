#pragma once
// Bilinear interpolation in a window of source cells that may have holes.

#include <vector>

namespace marn::import {

// Cell values row by row, NaN where the source has no data.
struct CellWindow {
    int width = 0;
    int height = 0;
    std::vector<double> values;

    double at(int col, int row) const;
};

// The value at (u, v), measured in cells from the centre of cell (0, 0).
// A point has a value when the cell it falls in has one (cells reach half a cell
// beyond their centres); the value then interpolates the cells around it that
// have data, their weights shared out to make one. A point that lies on a cell
// centre (within 1e-6 cells) gets that cell's value unchanged. NaN otherwise.
double SampleBilinear(const CellWindow& window, double u, double v);

} // namespace marn::import
