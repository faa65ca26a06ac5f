#pragma once
// The areas the sampling benchmark measures and the large comparison test
// checks, framed as the picture window frames them, and their tile files.

#include "core/SharedState.h"

#include <cstdint>
#include <ostream>
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

inline void PrintTo(const SamplingArea& area, std::ostream* os)
{
    *os << area.name;
}

// 50 km and 3000 km around 47 N 8 E, and 3000 km of open sea without any tile.
inline constexpr SamplingArea Alps50Km{"50 km at 47N 8E", 47.0, 8.0, 50};
inline constexpr SamplingArea Europe3000Km{"3000 km at 47N 8E", 47.0, 8.0, 3000};
inline constexpr SamplingArea OpenSea3000Km{"3000 km at 30S 140W", -30.0, -140.0, 3000};

// The picture area the window lays out on the screen (96 dpi), SetUpGrid run.
SharedState FrameArea(const SamplingArea& area, int screenWidthPx, int screenHeightPx, const std::string& dataDrive);

// South-west corners (longitude -180..179) of the tiles under the grid, each once.
std::vector<std::pair<int, int>> TilesUnderGrid(const SharedState& framed);

// Synthetic hills from about -200 to 3700 m that change from node to node.
std::int16_t SyntheticRelief(double lat, double lon);

// Writes the missing tiles (to a scratch name, then renamed into place, so an
// existing tile is complete); returns how many.
int WriteMissingTiles(const std::string& dataRoot, const std::vector<std::pair<int, int>>& corners);

} // namespace marn::test
