#pragma once
// Single-precision window coordinates placed on the toolkit's whole pixels,
// each value rounded to the nearest, halves to even.

#include "picture/PictureLayout.h"
#include "ui/NearestPixel.h"

#include <QPoint>
#include <QRect>

namespace marn {

inline QRect PixelRect(const PxRect& r)
{
    return {NearestPixel(r.left), NearestPixel(r.top), NearestPixel(r.width), NearestPixel(r.height)};
}

inline QPoint PixelPoint(const PxPoint& p)
{
    return {NearestPixel(p.x), NearestPixel(p.y)};
}

} // namespace marn
