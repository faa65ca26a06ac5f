#pragma once
// Module Berechnungen: the computing half of ReadGridHeights. The progress
// window draws its bar and lets events run from the afterRow callback.

#include "core/SharedState.h"

#include <cstdint>
#include <functional>

namespace marn {

// Fills GridCoords and GridHeights for columns 1..floor(PicCols) and rows
// 1..floor(PicRows), row by row from north to south, each row from west to east.
//   Reads:    LatN, LatS, LonMid, KmPerPixel, PicCols, PicRows, DataDrive,
//             ProgramDir; uses the tile reader's cache in s.Reader.
//   afterRow: called with the row number j after each complete row (may be empty).
//   Returns:  0 when every point was read; the first reader error other than
//             36 and 400 (a missing tile or node, stored as NoData) otherwise, at once: the
//             rest of the grid stays as it was and afterRow is not called for
//             the unfinished row.
// Rows and columns beyond the dimensioned grid are never touched.
std::int16_t SampleGridHeights(SharedState& s, const std::function<void(int row)>& afterRow);

} // namespace marn
