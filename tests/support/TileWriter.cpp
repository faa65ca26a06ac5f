#include "tests/support/TileWriter.h"

#include "core/TilePath.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace marn::test {

namespace {

void WriteBytes(const std::string& path, const std::vector<char>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// Byte offset in a tile file of node (lonIndex, latRow) of block blockNo (1..144).
std::int64_t NodeByteOffset(const TileGeometry& g, int blockNo, int lonIndex, int latRow)
{
    return static_cast<std::int64_t>(blockNo - 1) * g.recordBytes + 2LL * (latRow * g.nodesPerRow + lonIndex);
}

} // namespace

std::string TilePath(const std::string& dataRoot, int southLat, int westLon)
{
    return dataRoot + "/" + TileRelativePath(TileNameOfCorner(southLat, westLon), '/');
}

std::string WriteTile(const std::string& dataRoot, int southLat, int westLon, const NodeHeight& height)
{
    const TileGeometry& g = GeometryOf(TileNameOfCorner(southLat, westLon).kind);
    std::vector<char> bytes(static_cast<std::size_t>(g.fileBytes));
    for (int blockRow = 1; blockRow <= BlocksPerSide; ++blockRow) {
        for (int blockCol = 1; blockCol <= BlocksPerSide; ++blockCol) {
            const int blockNo = (blockRow - 1) * BlocksPerSide + blockCol;
            for (int latRow = 0; latRow < RowsPerBlock; ++latRow) {
                const double lat = southLat + ((blockRow - 1) * BlockSeconds + latRow * LatStepSec) / 3600.0;
                for (int lonIndex = 0; lonIndex < g.nodesPerRow; ++lonIndex) {
                    const double lon = westLon + ((blockCol - 1) * BlockSeconds + lonIndex * g.lonStepSec) / 3600.0;
                    const auto at = static_cast<std::size_t>(NodeByteOffset(g, blockNo, lonIndex, latRow));
                    const auto word = static_cast<std::uint16_t>(height(lat, lon));
                    bytes[at] = static_cast<char>(word & 0xFF);
                    bytes[at + 1] = static_cast<char>(word >> 8);
                }
            }
        }
    }
    const std::string path = TilePath(dataRoot, southLat, westLon);
    WriteBytes(path, bytes);
    return path;
}

std::string WriteFlatTile(const std::string& dataRoot, int southLat, int westLon, std::int16_t height)
{
    return WriteTile(dataRoot, southLat, westLon, [height](double, double) { return height; });
}

void WriteInt16At(const std::string& path, std::int64_t offset, std::int16_t value)
{
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    const auto word = static_cast<std::uint16_t>(value);
    const char bytes[2] = {static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
    file.seekp(offset);
    file.write(bytes, 2);
    if (!file)
        throw std::runtime_error("cannot patch " + path);
}

void SetNodeHeight(const std::string& path, TileKind kind, int blockNo, int lonIndex, int latRow, std::int16_t value)
{
    WriteInt16At(path, NodeByteOffset(GeometryOf(kind), blockNo, lonIndex, latRow), value);
}

void WriteFileOfLength(const std::string& path, std::int64_t length)
{
    WriteBytes(path, std::vector<char>(static_cast<std::size_t>(length)));
}

} // namespace marn::test
