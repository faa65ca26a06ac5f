#pragma once
// Where a point lies in the tile data set: which tile file, which of its 144
// blocks, and at which whole second and exact fraction inside the tile.
//
// A tile is named after its edge nearer the equator and nearer the zero
// meridian (S07 lies between 8 and 7 degrees south, W007 between 8 and 7
// degrees west), while positions inside it are measured northwards and
// eastwards from its south-west corner (floor(lat), floor(lon)). The name is
// taken from that corner, so a point on a whole degree lies on the southern or
// western edge of the tile it names (lat -8 is row 0 of S07, lon 360 the
// western edge of E000).

#include "core/TilePath.h"
#include "core/TileReadErrors.h"

#include <cstdint>

namespace marn {

// Brings lon (degrees) into 0..360 the way repeated subtraction and addition
// of 360 would: above 360 it lands in (0, 360], below 0 in [0, 360]; 360
// itself stays 360. Exact for every finite value. Returns false, leaving lon
// unchanged, for NaN and infinities (no whole number of turns brings them in).
bool NormaliseLongitude(double& lon);

struct TileLocation {
    TileName name;
    double fracLon = 0.0;    // lon - floor(lon), 0 <= f < 1
    double fracLat = 0.0;    // lat - floor(lat)
    std::int16_t secLon = 0; // floor(fracLon * 3600 + 0.5), 0..3600
    std::int16_t secLat = 0;
    int blockCol = 1;         // 1..12 from the tile's western edge
    int blockRow = 1;         // 1..12 from the tile's southern edge
    std::int16_t blockNo = 1; // (blockRow - 1) * 12 + blockCol
};

// The tile position of a point.
//   lat: degrees, in [-90, 90].
//   lon: degrees, normalised into [0, 360].
TileLocation LocateTile(double lat, double lon);

// The checks every height question begins with, in this order: 600 when there
// is no data drive (hasDataDrive false), 300 for a latitude outside -90..90 or
// NaN, 500 for a longitude that is NaN or infinite. When they pass, lon is
// normalised in place, at holds the point's place and the result is 0;
// otherwise lon and at are left alone.
std::int16_t LocatePoint(bool hasDataDrive, double lat, double& lon, TileLocation& at);

} // namespace marn
