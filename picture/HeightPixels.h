#pragma once
// Draws one pixel per grid point of the height picture into Picture1's image:
// grid point (x, y) goes to pixel (PicLeft + x - 1, PicTop + y - 1), coloured by
// its height class.

#include "core/SharedState.h"
#include "picture/HeightClasses.h"

#include <QImage>

#include <vector>

namespace marn {

inline QRgb ToQRgb(Rgb colour)
{
    return qRgb(colour.r, colour.g, colour.b);
}

// The colour of every 16-bit height, indexed by the height's bit pattern.
std::vector<QRgb> HeightColourTable(const ClassLimits& limits);

// Rows 1..floor(PicRows), columns 1..floor(PicCols); pixels outside the image
// are left out. The image must be 32-bit RGB. With relief, every colour is
// shaded by the light its slope catches (ReliefShading).
void DrawHeightPixels(const SharedState& state, const ClassLimits& limits, QImage& image, bool relief = false);

} // namespace marn
