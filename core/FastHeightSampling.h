#pragma once
// The sampling of SampleGridHeights, computed faster with the same results bit
// for bit: the trigonometry of each row's start and of each column's distance
// is computed once instead of once per point, and tile blocks come from a
// TileBlockCache (each row of 12 blocks read once with one read, missing tiles
// remembered) instead of the reader's one-file, one-block cache.

#include "core/SharedState.h"

#include <cstdint>
#include <functional>

namespace marn {

// Same contract as SampleGridHeights: fills GridCoords and GridHeights for
// columns 1..floor(PicCols) and rows 1..floor(PicRows), calls afterRow after
// each complete row, and returns 0 or the first reader error other than 36 and 400.
// The reader's cache (s.Reader) is left as it was, except that BlockReads
// counts the reads from tile files this sampling made (one per block row of a
// tile, see TileBlockCache).
std::int16_t SampleGridHeightsFast(SharedState& s, const std::function<void(int row)>& afterRow);

} // namespace marn
