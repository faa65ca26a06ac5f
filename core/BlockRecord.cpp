#include "core/BlockRecord.h"

#include "core/NativePath.h"
#include "core/TileReadErrors.h"

#include <array>
#include <bit>

namespace marn {

std::int16_t OpenTileFile(TileFile& file, const std::string& logicalPath, const std::string& programDir, TileKind kind)
{
    if (!file.open(NativePath(logicalPath, programDir)))
        return ErrTileNotOpened;
    if (file.length() != GeometryOf(kind).fileBytes) {
        file.close();
        return ErrFileLength;
    }
    return ReadOk;
}

bool ReadBlockRecord(const TileFile& file, TileKind kind, std::int16_t blockNo, std::int16_t* nodes)
{
    const TileGeometry& geometry = GeometryOf(kind);
    std::array<std::uint8_t, Kind3Geometry.recordBytes> bytes;
    const std::int64_t offset = static_cast<std::int64_t>(blockNo - 1) * geometry.recordBytes;
    if (!file.readAt(offset, bytes.data(), static_cast<std::size_t>(geometry.recordBytes)))
        return false;
    const int count = geometry.recordBytes / 2;
    for (int n = 0; n < count; ++n) {
        const auto low = static_cast<unsigned>(bytes[static_cast<std::size_t>(2 * n)]);
        const auto high = static_cast<unsigned>(bytes[static_cast<std::size_t>(2 * n + 1)]);
        nodes[n] = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
    }
    return true;
}

bool ReadBlockRowRecords(
    const TileFile& file, TileKind kind, int blockRow, std::int16_t* nodes, const std::function<void()>& beforeWaiting)
{
    const TileGeometry& geometry = GeometryOf(kind);
    const std::int64_t rowBytes = static_cast<std::int64_t>(BlocksPerSide) * geometry.recordBytes;
    const std::int64_t offset = static_cast<std::int64_t>(blockRow - 1) * rowBytes;
    // The values are read in place; only a big-endian machine has to swap them.
    if (!file.readAt(offset, reinterpret_cast<std::uint8_t*>(nodes), static_cast<std::size_t>(rowBytes), beforeWaiting))
        return false;
    if constexpr (std::endian::native == std::endian::big) {
        for (std::int64_t n = 0; n < rowBytes / 2; ++n) {
            const auto word = static_cast<std::uint16_t>(nodes[n]);
            nodes[n] = static_cast<std::int16_t>(static_cast<std::uint16_t>((word >> 8) | (word << 8)));
        }
    }
    return true;
}

} // namespace marn
