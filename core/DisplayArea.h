#pragma once
// The area the user asked for: a centre point and a west-east length. Written
// by the input window's OK and by every navigation step; read by the grid
// set-up.

#include <cstdint>

namespace marn {

struct DisplayArea {
    double CenterLat = 0.0;        // degrees, north positive
    double CenterLon = 0.0;        // degrees, east positive
    std::int16_t AreaLengthKm = 0; // west-east length of the picture, km
    friend bool operator==(const DisplayArea&, const DisplayArea&) = default;
};

} // namespace marn
