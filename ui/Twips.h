#pragma once
// Conversions between twips (1440 to the inch), in which the fixed windows are
// laid out, and the screen's pixels.

#include "ui/Platform.h"

#include <QRect>

#include <cmath>

namespace marn {

inline int TwipsToPx(double twips, const ScreenMetrics& screen)
{
    return static_cast<int>(std::lround(twips / screen.twipsPerPixel));
}

// A control's design rectangle (left, top, width, height in twips) in pixels.
inline QRect TwipsRect(double left, double top, double width, double height, const ScreenMetrics& screen)
{
    return {TwipsToPx(left, screen), TwipsToPx(top, screen), TwipsToPx(width, screen), TwipsToPx(height, screen)};
}

} // namespace marn
