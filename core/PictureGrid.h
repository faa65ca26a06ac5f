#pragma once
// The picture area on the screen and the grid sampled into it: one grid point
// per pixel, the heights, the positions and the geographic frame. The picture
// window's load writes the screen and the area, the grid set-up the frame and
// the dimensions, the sampling the heights and positions.

#include "core/GridArrays.h"
#include "core/PictureArea.h"

namespace marn {

// The part of the frame that places the grid points: km per pixel and the
// middle meridian's longitude and its southern and northern latitude (degrees).
struct GridFrame {
    double KmPerPixel = 0.0;
    double LonMid = 0.0;
    double LatS = 0.0;
    double LatN = 0.0;
};

// The whole geographic frame of the area: with its four corners (degrees).
struct AreaFrame : GridFrame {
    double LatNW = 0.0;
    double LonNW = 0.0;
    double LatNE = 0.0;
    double LonNE = 0.0;
    double LatSW = 0.0;
    double LonSW = 0.0;
    double LatSE = 0.0;
    double LonSE = 0.0;
};

struct PictureGrid : PictureArea, AreaFrame {
    // Screen size in pixels.
    float ScreenWidthPx = 0.0F;
    float ScreenHeightPx = 0.0F;

    // The sampling grid, one point per pixel of the picture area.
    HeightGrid GridHeights;
    CoordGrid GridCoords;
};

} // namespace marn
