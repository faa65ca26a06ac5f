#pragma once
// A 1 degree x 1 degree tile of the data set, named by its south-west corner.
// Southern and western tiles carry the degrees of their edge nearer the equator
// or the zero meridian: the tile spanning -8..-7 latitude is S07, the one spanning
// -8..-7 longitude is W007. Nodes are always placed from the south-west corner.

#include "core/TileFormat.h"

#include <compare>
#include <string>

namespace marn::import {

struct TileId {
    int latDeg = 0; // southern edge, -90..89
    int lonDeg = 0; // western edge, -180..179

    auto operator<=>(const TileId&) const = default;
};

// The degrees written into the name: 7 for both N07 (7..8) and S07 (-8..-7).
int NameLatDegrees(const TileId& tile);
int NameLonDegrees(const TileId& tile);

// A tile is read for points whose absolute latitude has the whole degrees of its
// name, so the name's degrees choose the kind: S49 (-50..-49) is kind 3, S50 and
// N50 are kind 6.
TileKind KindOf(const TileId& tile);

std::string TileDirName(const TileId& tile);      // "W084"
std::string TileFileName(const TileId& tile);     // "W084N36.33E"
std::string TileRelativePath(const TileId& tile); // "MARN/W084/W084N36.33E"

} // namespace marn::import
