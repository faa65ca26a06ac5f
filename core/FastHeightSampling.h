#pragma once
// Module Berechnungen: the computing half of ReadGridHeights. The progress
// window draws its bar and lets events run from the afterRow callback.
//
// The trigonometry of each row's start and of each column's distance is
// computed once instead of once per point, tile blocks come from a
// TileBlockStore (each row of 12 blocks read once with one read, missing tiles
// remembered) instead of the reader's one-file, one-block cache, and the rows
// are sampled on several threads; coordinates, heights and error values are
// those of the literal steps (ReadTileHeight point after point, row after
// row) bit for bit, and so is the grid that a read error leaves.

#include "core/DataLocation.h"
#include "core/PictureGrid.h"
#include "core/TileReaderState.h"

#include <cstdint>
#include <functional>

namespace marn {

// Fills GridCoords and GridHeights for columns 1..floor(PicCols) and rows
// 1..floor(PicRows), row by row from north to south, each row from west to east.
//   data:     where the tiles are, read before the first row.
//   reader:   BlockReads and FailedTileName, see below; its cache is not used.
//   grid:     reads LatN, LatS, LonMid, KmPerPixel, PicCols, PicRows before
//             the first row; writes GridCoords and GridHeights.
//   afterRow: called on the calling thread with the row number j after each
//             complete row, in order (may be empty). Other threads sample the
//             following rows meanwhile, but the grid is written only by the
//             calling thread, row by row, just before afterRow.
//   threads:  how many threads sample, the calling one among them (1: only
//             the calling thread); SamplingThreads() when left out.
//   Returns:  0 when every point was read; the first reader error other than
//             36 and 400 (a missing tile or node, stored as NoData) otherwise:
//             the grid then holds the rows before it and its row up to the
//             point that failed, the rest stays as it was, and afterRow is not
//             called for the unfinished row.
// Rows and columns beyond the dimensioned grid are never touched. The reader's
// cache is left as it was, except that BlockReads counts the reads
// from tile files this sampling made (one per block row of a tile, see
// TileBlockStore), and that a read error sets FailedTileName as the reader would.
std::int16_t SampleGridHeightsFast(
    const DataLocation& data, TileReaderState& reader, PictureGrid& grid, const std::function<void(int row)>& afterRow);
std::int16_t SampleGridHeightsFast(const DataLocation& data, TileReaderState& reader, PictureGrid& grid,
    const std::function<void(int row)>& afterRow, int threads);

// The number of sampling threads: MARN_THREADS from the environment when it
// is a whole number from 1 (at most 256), otherwise the number of processors
// this process may run on (so "taskset -c 0" gives 1).
int SamplingThreads();

} // namespace marn
