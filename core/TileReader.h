#pragma once
// Module Berechnungen: ReadTileHeight, the height at a point from the tile files.
//
// The reader keeps one tile file open and one block of it in memory between
// calls, in a TileReaderState; the sampling walks the grid row by row, so
// most calls are answered from the buffered block. It never shows a message:
// it returns one of the error values below and its caller decides.

#include "core/DataLocation.h"
#include "core/TileReadErrors.h"
#include "core/TileReaderState.h"

#include <cstdint>

namespace marn {

// The height at a point, interpolated bilinearly between the four nodes around it.
//   data:       where the tiles are (DataDrive, ProgramDir).
//   reader:     the cache between calls; FailedTileName is set as described there.
//   lat:        degrees, [-90, 90], north positive.
//   lon:        degrees, east positive, any finite value; normalised in place
//               into [0, 360] (left unchanged when the call ends with 600, 300 or
//               a non-finite longitude).
//   height:     out, metres; 0 whenever errorValue is not 0.
//   errorValue: out, ReadOk or one of the error values above.
// Afterwards: after 36 and 700 no file is open and OpenTileName is empty; after
// 220 the file stays open and OpenBlockNo is 0; after 400 and 500 the file and
// block stay cached.
void ReadTileHeight(const DataLocation& data, TileReaderState& reader, double lat, double& lon, std::int16_t& height,
    std::int16_t& errorValue);

} // namespace marn
