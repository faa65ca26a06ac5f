#pragma once
// A 1 degree x 1 degree tile of the data set, given by its south-west corner.
// Its name, kind and path follow the data set's one naming rule
// (core/TilePath.h): the tile spanning -8..-7 latitude and longitude is
// MARN/W007/W007S07.33E. Nodes are always placed from the south-west corner.

#include "core/TilePath.h"

#include <compare>
#include <string>

namespace marn::import {

struct TileId {
    int latDeg = 0; // southern edge, -90..89
    int lonDeg = 0; // western edge, -180..179

    auto operator<=>(const TileId&) const = default;
};

inline TileName NameOf(const TileId& tile)
{
    return TileNameOfCorner(tile.latDeg, tile.lonDeg);
}

// S49 (-50..-49) is kind 3, S50 and N50 are kind 6.
inline TileKind KindOf(const TileId& tile)
{
    return NameOf(tile).kind;
}

// "MARN/W084/W084N36.33E", relative to the data directory.
inline std::string TileRelativePath(const TileId& tile)
{
    return marn::TileRelativePath(NameOf(tile), '/');
}

} // namespace marn::import
