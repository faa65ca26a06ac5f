#include "core/BlockRecord.h"

#include <array>

namespace marn {

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

} // namespace marn
