#pragma once
// The two ways the picture code turns a pixel or coordinate value into a whole
// number: to the nearest with halves going to the even neighbour (where a value
// becomes an integer implicitly) and halves going up (floor(v + 0.5)).

#include <cmath>

namespace marn {

// Nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline double RoundHalfEven(double v)
{
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5) {
        return lower;
    }
    if (diff > 0.5) {
        return lower + 1.0;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// Nearest whole number, ties upward: floor(v + 0.5).
inline double RoundHalfUp(double v)
{
    return std::floor(v + 0.5);
}

} // namespace marn
