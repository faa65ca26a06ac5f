#include "import/TileEnumeration.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace marn::import {

namespace {

constexpr int SecondsPerDegree = 3600;

// Whether a node k * step seconds (0 < k < 3600 / step) from the edge `edgeDeg`
// lies within [low, high] degrees.
bool HasInnerNode(int edgeDeg, int stepSec, double low, double high)
{
    const double lowSteps = (low - edgeDeg) * SecondsPerDegree / stepSec;
    const double highSteps = (high - edgeDeg) * SecondsPerDegree / stepSec;
    const double first = std::max(1.0, std::ceil(lowSteps));
    const double last = std::min(SecondsPerDegree / stepSec - 1.0, std::floor(highSteps));
    return first <= last;
}

} // namespace

int NormalisedLonDeg(int lonDeg)
{
    const int shifted = (lonDeg + 180) % 360;
    return (shifted < 0 ? shifted + 360 : shifted) - 180;
}

std::vector<TileId> TilesTouching(const GeoBounds& bounds)
{
    std::set<TileId> tiles;
    const double south = std::max(bounds.south, -90.0);
    const double north = std::min(bounds.north, 90.0);
    if (!(south < north) || !(bounds.west < bounds.east))
        return {};
    const int lastLon = static_cast<int>(std::min(std::ceil(bounds.east), std::floor(bounds.west) + 360.0)) - 1;
    for (int lat = static_cast<int>(std::floor(south)); lat < north && lat < 90; ++lat) {
        if (!HasInnerNode(lat, LatStepSec, south, north))
            continue;
        const int lonStep = GeometryOf(KindOf(TileId{lat, 0})).lonStepSec;
        for (int lon = static_cast<int>(std::floor(bounds.west)); lon <= lastLon; ++lon) {
            if (HasInnerNode(lon, lonStep, bounds.west, bounds.east))
                tiles.insert(TileId{lat, NormalisedLonDeg(lon)});
        }
    }
    return {tiles.begin(), tiles.end()};
}

bool TileOverlapsArea(const TileId& tile, const GeoBounds& area)
{
    if (!(tile.latDeg < area.north && tile.latDeg + 1 > area.south))
        return false;
    for (const int turn : {-360, 0, 360}) {
        if (tile.lonDeg + turn < area.east && tile.lonDeg + turn + 1 > area.west)
            return true;
    }
    return false;
}

} // namespace marn::import
