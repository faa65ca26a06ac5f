#pragma once
// The west-east length of a display area that the viewer accepts, in km:
// the input window's check, the command-line tool and the picture window's
// zoom all keep to it.

namespace marn {

inline constexpr int MinAreaLengthKm = 20;
inline constexpr int MaxAreaLengthKm = 3000;
inline constexpr int DefaultAreaLengthKm = 50; // an empty length field

constexpr bool IsPermittedAreaLength(double km)
{
    return km >= MinAreaLengthKm && km <= MaxAreaLengthKm;
}

} // namespace marn
