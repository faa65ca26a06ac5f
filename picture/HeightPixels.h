#pragma once
// Draws one pixel per grid point of the height picture into Picture1's image:
// grid point (x, y) goes to pixel (PicLeft + x - 1, PicTop + y - 1), coloured by
// its height class.

#include "core/PictureGrid.h"
#include "picture/HeightClasses.h"

#include <QImage>

#include <cstdint>
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
void DrawHeightPixels(const PictureGrid& state, const ClassLimits& limits, QImage& image, bool relief = false);

// The picture area as DrawHeightPixels put it into `image`: red, green and blue
// bytes of grid points 1..floor(PicCols) of rows 1..floor(PicRows), north row
// first. Empty when the area does not lie wholly inside the image.
std::vector<std::uint8_t> PictureAreaRgb(const PictureGrid& state, const QImage& image);

} // namespace marn
