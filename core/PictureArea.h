#pragma once
// The picture area: where the height picture lies on the drawing surface
// Picture1, in its pixels. Single precision, like the window's own
// coordinates, and not necessarily whole numbers; each reader rounds as it
// needs (to the nearest, ties to even, where an array is dimensioned; down
// where a loop bound is taken).

#include "core/Single.h"

namespace marn {

struct PictureArea {
    float PicLeft = 0.0F;   // x of the left edge
    float PicRight = 0.0F;  // x of the right edge
    float PicTop = 0.0F;    // y of the top edge
    float PicBottom = 0.0F; // y of the bottom edge
    float PicCols = 0.0F;   // pixel columns: PicRight - PicLeft + 1
    float PicRows = 0.0F;   // pixel rows: PicBottom - PicTop + 1
};

// The picture area between its edges, both included: PicCols = PicRight -
// PicLeft + 1 and PicRows = PicBottom - PicTop + 1, computed in double from
// the edges' singles and stored as singles.
inline PictureArea PictureAreaBetween(float left, float top, float right, float bottom)
{
    return {left, right, top, bottom, Single(static_cast<double>(right) - static_cast<double>(left) + 1.0),
        Single(static_cast<double>(bottom) - static_cast<double>(top) + 1.0)};
}

} // namespace marn
