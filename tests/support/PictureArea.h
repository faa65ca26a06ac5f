#pragma once
// The display area and picture geometry as the picture window sets them: centre, west-east
// length and a picture area of cols x rows pixels whose top-left pixel lies at (left, top).

#include "core/SharedState.h"

#include <cstdint>

namespace marn::test {

inline void SetPictureArea(SharedState& s, double centerLat, double centerLon, std::int16_t areaKm, float cols,
    float rows, float left, float top)
{
    s.CenterLat = centerLat;
    s.CenterLon = centerLon;
    s.AreaLengthKm = areaKm;
    static_cast<PictureArea&>(s) = PictureAreaBetween(left, top, left + cols - 1.0F, top + rows - 1.0F);
}

} // namespace marn::test
