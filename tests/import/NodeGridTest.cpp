#include "import/NodeGrid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace marn::import {
namespace {

std::int16_t ReadLittleEndian(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// A distinct height for every node of a tile.
std::vector<std::int16_t> NumberedNodes(TileKind kind)
{
    const int cols = TileCols(kind);
    std::vector<std::int16_t> nodes(static_cast<std::size_t>(TileRows) * cols);
    for (std::size_t i = 0; i < nodes.size(); ++i)
        nodes[i] = static_cast<std::int16_t>(static_cast<int>(i % 60000) - 30000);
    return nodes;
}

struct KindCase {
    TileKind kind;
    int cols;
    int lonStep;
};

class NodeGridKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(NodeGridKindTest, TileGridHasOneNodePerStepIncludingBothEdges)
{
    const TileId tile{GetParam().kind == TileKind::Kind3 ? -8 : 55, -8};
    const NodeGridSpec desc = TileNodeGrid(tile, 0);
    EXPECT_EQ(desc.rows, 1201);
    EXPECT_EQ(desc.cols, GetParam().cols);
    EXPECT_EQ(desc.latOfRow(0), tile.latDeg);
    EXPECT_EQ(desc.latOfRow(desc.rows - 1), tile.latDeg + 1);
    EXPECT_EQ(desc.lonOfCol(0), -8.0);
    EXPECT_EQ(desc.lonOfCol(desc.cols - 1), -7.0);
    EXPECT_DOUBLE_EQ(desc.lonOfCol(1), -8.0 + GetParam().lonStep / 3600.0);
    EXPECT_DOUBLE_EQ(desc.latOfRow(1), tile.latDeg + 3 / 3600.0);
}

TEST_P(NodeGridKindTest, MarginExtendsTheGridOnEverySide)
{
    const TileId tile{GetParam().kind == TileKind::Kind3 ? 47 : 50, 7};
    const NodeGridSpec desc = TileNodeGrid(tile, 5);
    EXPECT_EQ(desc.rows, 1211);
    EXPECT_EQ(desc.cols, GetParam().cols + 10);
    EXPECT_DOUBLE_EQ(desc.latOfRow(5), tile.latDeg);
    EXPECT_DOUBLE_EQ(desc.lonOfCol(0), 7.0 - 5 * GetParam().lonStep / 3600.0);

    std::vector<double> grid(desc.size());
    for (std::size_t i = 0; i < grid.size(); ++i)
        grid[i] = static_cast<double>(i);
    const std::vector<double> tileValues = CropToTile(grid, desc, 5);
    ASSERT_EQ(tileValues.size(), static_cast<std::size_t>(1201) * GetParam().cols);
    EXPECT_EQ(tileValues.front(), 5.0 * desc.cols + 5);
    EXPECT_EQ(tileValues.back(), (5.0 + 1200) * desc.cols + 5 + GetParam().cols - 1);
}

TEST_P(NodeGridKindTest, PackedFileHasTheKindsLengthAndBlockLayout)
{
    const TileKind kind = GetParam().kind;
    const TileGeometry& geometry = GeometryOf(kind);
    const std::vector<std::int16_t> nodes = NumberedNodes(kind);
    const std::vector<unsigned char> bytes = PackTileFile(nodes, kind);
    ASSERT_EQ(static_cast<std::int64_t>(bytes.size()), geometry.fileBytes);

    const int blockCols = geometry.nodesPerRow - 1;
    for (const int block : {1, 2, 12, 13, 43, 144}) {
        const int blockRow = (block - 1) / 12;
        const int blockCol = (block - 1) % 12;
        for (const auto& [iLon, iLat] : {std::pair{0, 0}, {1, 61}, {blockCols, 0}, {0, 100}, {blockCols, 100}}) {
            const std::size_t offset = static_cast<std::size_t>(block - 1) * geometry.recordBytes
                                       + 2 * static_cast<std::size_t>(iLat * geometry.nodesPerRow + iLon);
            const std::size_t node =
                static_cast<std::size_t>(blockRow * 100 + iLat) * TileCols(kind) + blockCol * blockCols + iLon;
            EXPECT_EQ(ReadLittleEndian(bytes, offset), nodes[node]) << block << " " << iLon << " " << iLat;
        }
    }
}

TEST_P(NodeGridKindTest, NeighbouringBlocksShareTheirEdgeNodes)
{
    const TileKind kind = GetParam().kind;
    const TileGeometry& geometry = GeometryOf(kind);
    const std::vector<unsigned char> bytes = PackTileFile(NumberedNodes(kind), kind);
    const auto at = [&](int block, int iLon, int iLat) {
        return ReadLittleEndian(bytes, static_cast<std::size_t>(block - 1) * geometry.recordBytes
                                           + 2 * static_cast<std::size_t>(iLat * geometry.nodesPerRow + iLon));
    };
    const int lastLon = geometry.nodesPerRow - 1;
    for (int block = 1; block <= 144; ++block) {
        for (int i = 0; i <= 100 && i <= lastLon; i += 7) {
            if (block % 12 != 0) {
                EXPECT_EQ(at(block, lastLon, i), at(block + 1, 0, i)) << "east edge of block " << block;
            }
            if (block <= 132) {
                EXPECT_EQ(at(block, i, 100), at(block + 12, i, 0)) << "north edge of block " << block;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NodeGridKindTest, testing::Values(KindCase{TileKind::Kind3, 1201, 3}, KindCase{TileKind::Kind6, 601, 6}));

} // namespace
} // namespace marn::import
