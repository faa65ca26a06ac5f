#pragma once
// Reading a very fine source at a coarser resolution, so that the cells around
// one tile always fit in memory.

namespace marn::import {

// About 256 MB of heights per window.
inline constexpr long long DefaultMaxWindowCells = 32LL * 1024 * 1024;

// The number of source cells along each axis that one cell of the window read
// stands for: 1 when width x height cells fit into maxCells, else the smallest
// factor that makes them fit.
int ReductionFactor(long long width, long long height, long long maxCells);

// Cells of a window of `cells` source cells read with `factor`.
int ReducedCells(int cells, int factor);

} // namespace marn::import

namespace marn::import {

// A run of cells first..last (inclusive) within 0..limit-1.
struct CellSpan {
    int first = 0;
    int last = -1;
    int count() const { return last - first + 1; }
};

// Widens `span` to a whole number of `factor` cells, growing past its end and,
// where the raster ends, before its start; where the raster itself is too
// short, the cells beyond the last whole group at its end are left out.
CellSpan AlignToFactor(CellSpan span, int limit, int factor);

} // namespace marn::import
