#pragma once
// Module Berechnungen: the computing half of ReadGridHeights. The progress
// window draws its bar and lets events run from the afterRow callback.
//
// The trigonometry of each row's start and of each column's distance is
// computed once instead of once per point, and tile blocks come from a
// TileBlockCache (each row of 12 blocks read once with one read, missing tiles
// remembered) instead of the reader's one-file, one-block cache; coordinates,
// heights and error values are those of the literal steps (ReadTileHeight
// point after point) bit for bit.

#include "core/SharedState.h"

#include <cstdint>
#include <functional>

namespace marn {

// Fills GridCoords and GridHeights for columns 1..floor(PicCols) and rows
// 1..floor(PicRows), row by row from north to south, each row from west to east.
//   Reads:    LatN, LatS, LonMid, KmPerPixel, PicCols, PicRows, DataDrive,
//             ProgramDir.
//   afterRow: called with the row number j after each complete row (may be empty).
//   Returns:  0 when every point was read; the first reader error other than
//             36 and 400 (a missing tile or node, stored as NoData) otherwise, at once: the
//             rest of the grid stays as it was and afterRow is not called for
//             the unfinished row.
// Rows and columns beyond the dimensioned grid are never touched. The reader's
// cache (s.Reader) is left as it was, except that BlockReads counts the reads
// from tile files this sampling made (one per block row of a tile, see
// TileBlockCache).
std::int16_t SampleGridHeightsFast(SharedState& s, const std::function<void(int row)>& afterRow);

} // namespace marn
