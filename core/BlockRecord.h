#pragma once
// One record (block) of a tile file: read with a single read of its whole
// length at its byte offset, and decoded from little-endian 16-bit values.

#include "core/TileFile.h"
#include "core/TileFormat.h"

#include <cstdint>

namespace marn {

// Reads block blockNo (1..144) of a tile of the given kind into nodes, which
// holds room for 101 x 101 (kind 3) or 51 x 101 (kind 6) values, latitude row
// by row. False when the record cannot be read whole; nodes may then hold
// part of it.
bool ReadBlockRecord(const TileFile& file, TileKind kind, std::int16_t blockNo, std::int16_t* nodes);

} // namespace marn
