#pragma once
// The centre points the viewer accepts. The input window tests whole degrees
// and whole minutes each by itself, so a centre reaches 90 deg 59' of latitude
// and 180 deg 59' of longitude; the picture window's navigation keeps to the
// same latitude and brings its longitudes back into -180..180.

#include <cmath>

namespace marn {

inline constexpr int MaxLatitudeDegrees = 90;
inline constexpr int MaxLongitudeDegrees = 180;
inline constexpr int MaxMinutes = 59;

// The largest centre latitude north or south: 90 deg 59'.
inline constexpr double MaxCenterLatitude = MaxLatitudeDegrees + MaxMinutes / 60.0;

constexpr bool IsPermittedCenterLatitude(double lat)
{
    return lat >= -MaxCenterLatitude && lat <= MaxCenterLatitude;
}

// lon moved by whole turns into -180..180; values already inside stay unchanged.
inline double WrapLongitude(double lon)
{
    if (lon >= -180.0 && lon <= 180.0)
        return lon;
    double wrapped = std::fmod(lon + 180.0, 360.0);
    if (wrapped < 0.0)
        wrapped += 360.0;
    return wrapped - 180.0;
}

} // namespace marn
