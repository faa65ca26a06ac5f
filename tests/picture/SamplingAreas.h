#pragma once
// The display areas that the sampling benchmark measures and the large
// comparison test checks, framed on a screen as the picture window frames
// them, and the tile files they need, written once into a cache directory and
// reused by later runs (tests and benchmarks only).

#include "core/SharedState.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace marn::test {

struct SamplingArea {
    const char* name;
    double centerLat; // signed degrees
    double centerLon;
    std::int16_t km; // west-east length
};

// 50 km and 3000 km around 47 N 8 E, and 3000 km of open sea without any tile.
inline constexpr SamplingArea Alps50Km{"50 km at 47N 8E", 47.0, 8.0, 50};
inline constexpr SamplingArea Europe3000Km{"3000 km at 47N 8E", 47.0, 8.0, 3000};
inline constexpr SamplingArea OpenSea3000Km{"3000 km at 30S 140W", -30.0, -140.0, 3000};

// A shared state with the picture area the picture window lays out on a
// screen of the given size (design label sizes at 96 dpi) and SetUpGrid run.
SharedState FrameArea(const SamplingArea& area, int screenWidthPx, int screenHeightPx, const std::string& dataDrive);

// South-west corners (whole degrees, longitude -180..179) of the tiles that
// the grid points of a framed state fall into, each once.
std::vector<std::pair<int, int>> TilesUnderGrid(const SharedState& framed);

// Height of the synthetic relief at a node: hills from about -200 to 3700 m
// that change from node to node, cheap enough for a thousand tiles.
std::int16_t SyntheticRelief(double lat, double lon);

// Writes the synthetic relief's tiles that are not in dataRoot yet. Each tile
// is written to a scratch name and renamed into place, so a tile that exists
// is complete. Returns the number of tiles written.
int WriteMissingTiles(const std::string& dataRoot, const std::vector<std::pair<int, int>>& corners);

} // namespace marn::test
