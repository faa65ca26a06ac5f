#pragma once
// A single-precision window coordinate becomes a whole pixel the way the
// toolkit places it: the nearest integer, halves going to the even one.

#include <cmath>

namespace marn {

inline int NearestPixel(double v)
{
    return static_cast<int>(std::nearbyint(v)); // the default rounding mode: ties to even
}

inline int NearestPixel(float v)
{
    return NearestPixel(static_cast<double>(v));
}

} // namespace marn
