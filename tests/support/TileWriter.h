#pragma once
// Writes tile files for tests and benchmarks (not shipped).
//
// A tile is given by its south-west corner in whole degrees (southLat -90..89,
// westLon -180..179); its name and kind follow the data set's rules (the tile
// with corner (-8, -8) is W007/W007S07.33E). Heights come from a function of
// each node's geographic position.

#include "core/TileFormat.h"

#include <cstdint>
#include <functional>
#include <string>

namespace marn::test {

// Height of a node at (lat, lon) degrees; lon is signed (west negative).
using NodeHeight = std::function<std::int16_t(double lat, double lon)>;

// dataRoot/MARN/E007/E007N47.33E
std::string TilePath(const std::string& dataRoot, int southLat, int westLon);

// Writes the complete tile (144 blocks, little-endian) and returns its path.
std::string WriteTile(const std::string& dataRoot, int southLat, int westLon, const NodeHeight& height);

// Writes a tile whose every node has the same height.
std::string WriteFlatTile(const std::string& dataRoot, int southLat, int westLon, std::int16_t height);

// Overwrites one 16-bit little-endian value at a byte offset of an existing file.
void WriteInt16At(const std::string& path, std::int64_t offset, std::int16_t value);

// Overwrites node (lonIndex, latRow) of block blockNo (1..144) of a tile file (NoData: missing).
void SetNodeHeight(const std::string& path, TileKind kind, int blockNo, int lonIndex, int latRow, std::int16_t value);

// Writes a file of the given length (zero bytes), creating its directories.
void WriteFileOfLength(const std::string& path, std::int64_t length);

} // namespace marn::test
