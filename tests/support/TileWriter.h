#pragma once
// Writes tile files for tests and benchmarks (not shipped).
//
// A tile is given by its south-west corner in whole degrees (southLat -90..89,
// westLon -180..179); its name follows the data set's rule (named after the
// edge nearer the equator and the zero meridian, so the tile with corner
// (-8, -8) is W007/W007S07.33E) and its kind follows its latitude (6" longitude
// spacing from 50 degrees, 3" below). Heights come from a function of each
// node's geographic position.
//
// Usage:
//   marn::test::TempDir dir;                                 // removed again at the end
//   marn::test::WriteTile(dir.path(), 47, 7, [](double lat, double lon) {
//       return static_cast<std::int16_t>(100 * lat + lon);
//   });                                                      // dir/MARN/E007/E007N47.33E
//   marn::SharedState s;
//   s.DataDrive = dir.path();                                // a POSIX DataDrive
//   ... ReadTileHeight(s, 47.5, lon, height, errorValue) ...
//
//   SetNodeHeight(path, TileKind::Kind3, 43, 1, 61, NoData);  // block 43, lon index 1, lat row 61
//   WriteFileOfLength(TilePath(dir.path(), 47, 7), 1000);     // a tile of the wrong length

#include "core/TileFormat.h"

#include <cstdint>
#include <functional>
#include <string>

namespace marn::test {

// Height of a node at (lat, lon) degrees; lon is signed (west negative).
using NodeHeight = std::function<std::int16_t(double lat, double lon)>;

TileKind KindOfTile(int southLat);
// "E007" or "W007": the tile's directory and the start of its file name.
std::string LonField(int westLon);
// "E007N47.33E"
std::string TileFileName(int southLat, int westLon);
// dataRoot/MARN/E007/E007N47.33E
std::string TilePath(const std::string& dataRoot, int southLat, int westLon);

// Writes the complete tile (144 blocks, little-endian) and returns its path.
std::string WriteTile(const std::string& dataRoot, int southLat, int westLon, const NodeHeight& height);

// Writes a tile whose every node has the same height.
std::string WriteFlatTile(const std::string& dataRoot, int southLat, int westLon, std::int16_t height);

// Byte offset in a tile file of node (lonIndex, latRow) of block blockNo (1..144).
std::int64_t NodeByteOffset(TileKind kind, int blockNo, int lonIndex, int latRow);

// Overwrites one 16-bit little-endian value at a byte offset of an existing file.
void WriteInt16At(const std::string& path, std::int64_t offset, std::int16_t value);

// Overwrites one node of an existing tile file (NoData for a missing height).
void SetNodeHeight(const std::string& path, TileKind kind, int blockNo, int lonIndex, int latRow, std::int16_t value);

// Writes a file of the given length (zero bytes), creating its directories.
void WriteFileOfLength(const std::string& path, std::int64_t length);

} // namespace marn::test
