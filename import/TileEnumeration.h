#pragma once
// Which tiles a source covers, from its geographic bounding box.

#include "import/TileId.h"

#include <vector>

namespace marn::import {

// Degrees, longitudes not normalised (a source may run 0..360).
struct GeoBounds {
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;
};

// Brings a tile's western edge into -180..179.
int NormalisedLonDeg(int lonDeg);

// The tiles that have at least one node strictly inside them (not on their edge
// lines) within the bounds, sorted. Edge nodes are shared with the neighbouring
// tile, so a bounding box that only grazes a tile's edge does not make it.
std::vector<TileId> TilesTouching(const GeoBounds& bounds);

// Whether part of the tile's area lies inside `area` (longitudes in -180..360,
// west < east, so an area may cross the 180th meridian). A tile that only
// touches the area's edge lines is outside, so areas on whole degrees that
// meet share no tile.
bool TileOverlapsArea(const TileId& tile, const GeoBounds& area);

} // namespace marn::import
