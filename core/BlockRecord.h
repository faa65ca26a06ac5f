#pragma once
// Records (blocks) of a tile file: read with a single read of their whole
// length at their byte offset, and decoded from little-endian 16-bit values.

#include "core/TileFile.h"
#include "core/TileFormat.h"

#include <cstdint>
#include <functional>
#include <string>

namespace marn {

// Opens the tile file at a logical path (NativePath with programDir) for
// reading its records: 36 when it cannot be opened (missing, not a regular
// file), 700 when its length is not the file length of its kind (the file is
// closed again), 0 when it is open.
std::int16_t OpenTileFile(TileFile& file, const std::string& logicalPath, const std::string& programDir, TileKind kind);

// Reads block blockNo (1..144) of a tile of the given kind into nodes, which
// holds room for 101 x 101 (kind 3) or 51 x 101 (kind 6) values, latitude row
// by row. False when the record cannot be read whole; nodes may then hold
// part of it.
bool ReadBlockRecord(const TileFile& file, TileKind kind, std::int16_t blockNo, std::int16_t* nodes);

// Reads the 12 blocks of block row blockRow (1..12, counted from the tile's
// southern edge), which lie one after another in the file, with a single read
// into nodes: room for 12 records, block column 1 first, each record laid out
// as ReadBlockRecord lays it out. False when the 12 records cannot be read
// whole; nodes may then hold part of them. beforeWaiting as in TileFile::readAt.
bool ReadBlockRowRecords(const TileFile& file, TileKind kind, int blockRow, std::int16_t* nodes,
    const std::function<void()>& beforeWaiting = {});

} // namespace marn
