#pragma once
// Module Berechnungen: SetUpGrid, the geographic frame of the picture.

#include "core/DisplayArea.h"
#include "core/PictureGrid.h"

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
void SetUpGrid(const DisplayArea& area, PictureGrid& s);

// The part of the frame that places the grid points, as SetUpGrid writes it
// for a centre point (degrees), a west-east length (km) and a picture area,
// without dimensioning any array.
GridFrame ComputeGridFrame(double centerLat, double centerLon, double areaLengthKm, const PictureArea& area);

// The point at column u and row v of a frame (1-based, fractions lie between
// grid points), placed as the sampling places its grid points: for whole u and
// v it is grid point (u, v) bit for bit.
void GridPointAt(const GridFrame& frame, const PictureArea& area, double u, double v, double& lat, double& lon);

} // namespace marn
