#pragma once
// Small GeoTIFF elevation rasters written in tests, and direct reads of the
// nodes of imported tile files.

#include "import/TileId.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marn::import::test {

// A north-up raster: cell (col, row) has its centre at
// (west + (col + 0.5) * stepX, north - (row + 0.5) * stepY) in the coordinate
// system `epsg`; values row by row from the north.
struct RasterSpec {
    double west = 0.0;
    double north = 0.0;
    double stepX = 0.0;
    double stepY = 0.0;
    int width = 0;
    int height = 0;
    std::vector<double> values;
    std::optional<double> noData;
    int epsg = 4326;  // 0 for no coordinate system
    std::string unit = {}; // the band's unit ("ft"), "" for none
};

// A raster of `width` x `height` cells of `stepSec` arc seconds whose cell
// centres lie on whole multiples of the step, the south-west centre at
// (southLatSec, westLonSec), every value `value`.
RasterSpec AlignedRaster(int southLatSec, int westLonSec, int stepSec, int width, int height, double value);

void WriteGeoTiff(const std::string& path, const RasterSpec& desc);

// The cells of columns [firstCol, firstCol + cols) and rows [firstRow,
// firstRow + rows) of a raster (rows from the north), placed where they were.
RasterSpec PartOf(const RasterSpec& desc, int firstCol, int cols, int firstRow, int rows);

// The height stored in an imported tile file for the node at
// (lat, lon) = (tile.latDeg + 3 * row / 3600, tile.lonDeg + step * col / 3600),
// read from the block that has the node in its interior or on its south-west edges.
std::int16_t StoredNode(const std::string& dataRoot, const TileId& tile, int row, int col);

// All nodes of an imported tile, row 0 south, from the file's bytes.
std::vector<std::int16_t> StoredNodes(const std::string& dataRoot, const TileId& tile);

} // namespace marn::import::test
