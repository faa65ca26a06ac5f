#pragma once
// The tile files of the data set: one file per 1 degree x 1 degree tile, 144
// records (blocks) of 5' x 5', signed 16-bit little-endian heights in metres,
// NoData (-9999) for a missing node. Below 50 degrees of latitude the nodes are
// 3" apart in both directions (kind 3); from 50 degrees they are 3" apart in
// latitude and 6" in longitude (kind 6).

#include <cstdint>
#include <string>

namespace marn {

// The height of a node without data, in tile files and in the sampling grid.
inline constexpr std::int16_t NoData = -9999;

enum class TileKind { Kind3, Kind6 };

struct TileGeometry {
    int lonStepSec;  // node spacing in longitude, arc seconds
    int nodesPerRow; // nodes of one latitude row of a block (longitude)
    int recordBytes; // bytes of one block
    std::int64_t fileBytes;
    char nameDigit; // the kind's digit in the file name
};

inline constexpr int BlocksPerSide = 12;
inline constexpr int BlockCount = BlocksPerSide * BlocksPerSide;
inline constexpr int BlockSeconds = 300;
inline constexpr int LatStepSec = 3;
inline constexpr int RowsPerBlock = 101;

inline constexpr TileGeometry Kind3Geometry{3, 101, 101 * 101 * 2, 144LL * 101 * 101 * 2, '3'};
inline constexpr TileGeometry Kind6Geometry{6, 51, 51 * 101 * 2, 144LL * 51 * 101 * 2, '6'};

inline constexpr const TileGeometry& GeometryOf(TileKind kind)
{
    return kind == TileKind::Kind3 ? Kind3Geometry : Kind6Geometry;
}

// The kind of tile that holds a point whose absolute latitude is absLat degrees.
inline constexpr TileKind KindForAbsLatitude(double absLat)
{
    return absLat < 50.0 ? TileKind::Kind3 : TileKind::Kind6;
}

} // namespace marn
