#include "core/Geodesy.h"

#include <cmath>

namespace marn {

namespace {

double ClampUnit(double x)
{
    if (x > 1.0)
        return 1.0;
    if (x < -1.0)
        return -1.0;
    return x;
}

} // namespace

double ArcCos(double x)
{
    if (x == -1.0)
        return Pi;
    if (x == 1.0)
        return 0.0;
    return Pi / 2 - std::atan(x / std::sqrt(1.0 - x * x));
}

double ArcSin(double x)
{
    if (x == 1.0)
        return Pi / 2;
    if (x == -1.0)
        return -(Pi / 2);
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double Log10(double x)
{
    return std::log(x) / std::log(10.0);
}

double CosDeg(double x)
{
    return std::cos(x * Pi / 180);
}

double SinDeg(double x)
{
    return std::sin(x * Pi / 180);
}

void DestPoint(double lat1, double lon1, double bearing, double distKm, double& lat2, double& lon2)
{
    const double delta = distKm / KmPerDegree;
    const double cosDelta = CosDeg(delta);
    const double phi1 = lat1 * Pi / 180;
    const double theta = bearing * Pi / 180;
    if (distKm <= MinimalDistanceKm) {
        lat2 = lat1;
        lon2 = lon1;
        return;
    }
    const double sinDelta = SinDeg(delta);
    // sin(phi1) cos(delta) + cos(phi1) sin(delta) cos(theta), evaluated in
    // this factored order so that the last bits agree with the reference.
    const double cosPhi1SinDelta = std::cos(phi1) * sinDelta;
    const double x = (std::cos(theta) + std::sin(phi1) * cosDelta / cosPhi1SinDelta) * cosPhi1SinDelta;
    const double phi2 = ArcSin(ClampUnit(x));
    lat2 = phi2 * 180 / Pi;
    if (bearing == 0.0 || bearing == 180.0 || bearing == 360.0) {
        lon2 = lon1;
        return;
    }
    const double y = (cosDelta - std::sin(phi1) * std::sin(phi2)) / (std::cos(phi1) * std::cos(phi2));
    const double deltaLon = ArcCos(ClampUnit(y)) * 180 / Pi;
    lon2 = bearing < 180.0 ? lon1 + deltaLon : lon1 - deltaLon;
}

} // namespace marn
