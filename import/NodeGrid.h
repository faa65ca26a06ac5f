#pragma once
// The nodes of a tile as one regular grid in whole arc seconds, optionally with a
// margin of nodes beyond the tile's edges, and the packing of a tile's nodes into
// the 144 records of its file.

#include "import/TileId.h"

#include <cstdint>
#include <vector>

namespace marn::import {

inline constexpr int TileRows = 3600 / LatStepSec + 1; // 1201 latitude rows

// Longitude columns of a whole tile: 1201 for kind 3, 601 for kind 6.
int TileCols(TileKind kind);

// Node (row, col), both counted from 0 at the grid's south-west node, lies at
// originLatSec + 3 * (firstRow + row) seconds of latitude and
// originLonSec + lonStepSec * (firstCol + col) seconds of longitude.
struct NodeGridSpec {
    int originLatSec = 0;
    int originLonSec = 0;
    int lonStepSec = 3;
    int firstRow = 0;
    int firstCol = 0;
    int rows = 0;
    int cols = 0;

    double latOfRow(int row) const;
    double lonOfCol(int col) const;
    std::size_t size() const { return static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols); }
};

// The tile's nodes with `margin` extra nodes on every side.
NodeGridSpec TileNodeGrid(const TileId& tile, int margin);

// The nodes every void fill works on: 3" apart in both directions for tiles of
// both kinds (the nodes of a 6" tile are every other column), with `margin`
// nodes on every side. Tiles on both sides of 50 degrees thus fill the same
// nodes in the same way.
NodeGridSpec FillNodeGrid(const TileId& tile, int margin);

// The values of the tile's own nodes (row 0 south, col 0 west) out of a grid
// built by TileNodeGrid(tile, margin) or FillNodeGrid(tile, margin): every
// `colStride`-th column from the tile's western edge.
std::vector<double> CropToTile(
    const std::vector<double>& grid, const NodeGridSpec& desc, int margin, int colStride = 1);

// The file image of a tile: 144 records, south to north by block rows and west
// to east within a row, each record 101 rows of 101 or 51 nodes, little-endian.
// `nodes` holds TileRows x TileCols(kind) heights, row 0 south.
std::vector<unsigned char> PackTileFile(const std::vector<std::int16_t>& nodes, TileKind kind);

// The nodes of a tile file image of the kind's length (row 0 south), each
// taken from the block that holds it in its interior or on its south or west
// edge; the inverse of PackTileFile.
std::vector<std::int16_t> UnpackTileFile(const std::vector<unsigned char>& bytes, TileKind kind);

} // namespace marn::import
