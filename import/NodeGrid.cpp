#include "import/NodeGrid.h"

#include <algorithm>

namespace marn::import {

namespace {

constexpr double SecondsPerDegree = 3600.0;

} // namespace

int TileCols(TileKind kind)
{
    return 3600 / GeometryOf(kind).lonStepSec + 1;
}

double NodeGridSpec::latOfRow(int row) const
{
    return (originLatSec + LatStepSec * (firstRow + row)) / SecondsPerDegree;
}

double NodeGridSpec::lonOfCol(int col) const
{
    return (originLonSec + lonStepSec * (firstCol + col)) / SecondsPerDegree;
}

NodeGridSpec TileNodeGrid(const TileId& tile, int margin)
{
    const TileKind kind = KindOf(tile);
    NodeGridSpec desc;
    desc.originLatSec = tile.latDeg * 3600;
    desc.originLonSec = tile.lonDeg * 3600;
    desc.lonStepSec = GeometryOf(kind).lonStepSec;
    desc.firstRow = -margin;
    desc.firstCol = -margin;
    desc.rows = TileRows + 2 * margin;
    desc.cols = TileCols(kind) + 2 * margin;
    return desc;
}

NodeGridSpec FillNodeGrid(const TileId& tile, int margin)
{
    NodeGridSpec desc = TileNodeGrid(tile, margin);
    desc.lonStepSec = LatStepSec;
    desc.cols = TileRows + 2 * margin;
    return desc;
}

std::vector<double> CropToTile(const std::vector<double>& grid, const NodeGridSpec& desc, int margin, int colStride)
{
    const int rows = desc.rows - 2 * margin;
    const int cols = (desc.cols - 2 * margin - 1) / colStride + 1;
    std::vector<double> tile;
    tile.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int row = 0; row < rows; ++row) {
        const std::size_t start = static_cast<std::size_t>(row + margin) * desc.cols + margin;
        for (int col = 0; col < cols; ++col)
            tile.push_back(grid[start + static_cast<std::size_t>(col) * colStride]);
    }
    return tile;
}

std::vector<unsigned char> PackTileFile(const std::vector<std::int16_t>& nodes, TileKind kind)
{
    const TileGeometry& geometry = GeometryOf(kind);
    const int tileCols = TileCols(kind);
    const int blockCols = geometry.nodesPerRow - 1;
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(geometry.fileBytes));
    for (int blockRow = 0; blockRow < BlocksPerSide; ++blockRow) {
        for (int blockCol = 0; blockCol < BlocksPerSide; ++blockCol) {
            for (int row = 0; row < RowsPerBlock; ++row) {
                const std::size_t rowStart = static_cast<std::size_t>(blockRow * (RowsPerBlock - 1) + row) * tileCols;
                for (int col = 0; col < geometry.nodesPerRow; ++col) {
                    const auto value = static_cast<std::uint16_t>(nodes[rowStart + blockCol * blockCols + col]);
                    bytes.push_back(static_cast<unsigned char>(value & 0xFF));
                    bytes.push_back(static_cast<unsigned char>(value >> 8));
                }
            }
        }
    }
    return bytes;
}

std::vector<std::int16_t> UnpackTileFile(const std::vector<unsigned char>& bytes, TileKind kind)
{
    const TileGeometry& geometry = GeometryOf(kind);
    const int tileCols = TileCols(kind);
    const int blockCols = geometry.nodesPerRow - 1;
    std::vector<std::int16_t> nodes(static_cast<std::size_t>(TileRows) * tileCols);
    for (int row = 0; row < TileRows; ++row) {
        const int blockRow = std::min(row / (RowsPerBlock - 1), BlocksPerSide - 1);
        const int inBlockRow = row - blockRow * (RowsPerBlock - 1);
        for (int col = 0; col < tileCols; ++col) {
            const int blockCol = std::min(col / blockCols, BlocksPerSide - 1);
            const std::size_t offset =
                static_cast<std::size_t>(blockRow * BlocksPerSide + blockCol) * geometry.recordBytes
                + 2 * static_cast<std::size_t>(inBlockRow * geometry.nodesPerRow + col - blockCol * blockCols);
            nodes[static_cast<std::size_t>(row) * tileCols + col] =
                static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
        }
    }
    return nodes;
}

} // namespace marn::import
