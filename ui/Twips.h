#pragma once
// Conversions between twips (1440 to the inch), in which the fixed windows are
// laid out, and the screen's pixels.

#include "Platform.h"

#include <cmath>

namespace marn {

inline int TwipsToPx(double twips, const ScreenMetrics& screen)
{
    return static_cast<int>(std::lround(twips / screen.twipsPerPixel));
}

inline double PxToTwips(double px, const ScreenMetrics& screen)
{
    return px * screen.twipsPerPixel;
}

} // namespace marn
