#pragma once
// The tile reader's cache between calls: one open tile file and one block of
// it, and what the last call failed on.

#include "core/TileFile.h"
#include "core/TileFormat.h"

#include <array>
#include <cstdint>
#include <string>

namespace marn {

// The block buffers hold the nodes of one block: first index longitude, second
// latitude, the first index varying fastest (the byte image of one record of
// the tile file).
struct TileReaderState {
    std::string OpenTileName;     // logical path of the open tile file, "" when none
    std::int16_t OpenBlockNo = 0; // block 1..144 held in the buffer, 0 when none
    std::int16_t TileFileNo = 0;  // number of the open tile file, 0 when none
    TileFile OpenFile;            // the operating system's handle behind TileFileNo
    std::array<std::int16_t, Kind3Geometry.nodesPerRow * RowsPerBlock> BlockBuf3{};
    std::array<std::int16_t, Kind6Geometry.nodesPerRow * RowsPerBlock> BlockBuf6{};
    std::uint64_t BlockReads = 0; // blocks read from tile files so far (tests, benchmarks)
    // Logical path of the tile file in which the last call failed (an error
    // other than 36 and 400, which only mean "no height here"); "" after any
    // other call, and after one that failed before naming a tile (600, 300, a
    // longitude that is not finite). Messages name the tile with it.
    std::string FailedTileName;
};

} // namespace marn
