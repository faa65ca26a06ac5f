#pragma once
// Module Berechnungen: SetUpGrid, the geographic frame of the picture.

#include "core/SharedState.h"

namespace marn {

// Dimensions GridHeights and GridCoords to one point per pixel of the picture
// area and finds the frame of the area on the sphere.
//   Reads:  CenterLat, CenterLon, AreaLengthKm, PicLeft, PicRight, PicTop,
//           PicBottom, PicCols, PicRows.
//   Writes: GridHeights, GridCoords (columns 0..C, rows 0..R, C and R the
//           picture size rounded to the nearest whole number, ties to even;
//           all zero), KmPerPixel (km per pixel, from the unrounded PicCols),
//           LonMid, LatS, LatN (degrees, on the middle meridian) and the four
//           corners (degrees). No longitude is normalised.
void SetUpGrid(SharedState& s);

} // namespace marn
