#pragma once
// The pure part of the mouse readout: whether the pointer is over the picture
// area, which grid point lies under it, and the two text lines.

#include "core/SharedState.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace marn {

// The readout runs only when the picture is complete and no save or print is going on.
bool ReadoutActive(const WindowFlags& state);

// PicLeft <= x <= PicRight and PicTop <= y <= PicBottom (edges included).
bool ReadoutInside(const PictureArea& state, float x, float y);

// Grid point (i, j) under the pointer: i = floor(x) - PicLeft + 1 and
// j = floor(y) - PicTop + 1, each rounded to the nearest (ties to even), then
// held to the points that the sampling fills: 1..floor(PicCols) and
// 1..floor(PicRows), and within the grid's dimensions. So a fractional PicLeft
// never shows the unfilled column 0, and a last column or row beyond the
// sampled ones shows its nearest sampled neighbour. (0, 0) when the grid has
// no sampled point at all.
std::pair<int, int> ReadoutGridIndex(const PictureGrid& state, float x, float y);

// "Height = 1234 m", "Height = -9999 m" (pattern "###0").
std::string ReadoutHeightText(std::int16_t height);

// "Coordinates = " + FormatLatLon(lat, lon).
std::string ReadoutCoordinatesText(double lat, double lon);

struct ReadoutLines {
    std::string Coordinates; // Label1 of the readout window
    std::string Height;      // Label2
};

// Both lines for the pointer at (x, y); nullopt when the pointer is outside the
// picture area or the grid has no sampled point. Does not look at the flags.
std::optional<ReadoutLines> ReadoutAt(const PictureGrid& state, float x, float y);

} // namespace marn
