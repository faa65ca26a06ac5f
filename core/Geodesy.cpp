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

StartTrig TrigOfStart(double lat1, double lon1)
{
    const double phi1 = lat1 * Pi / 180;
    return {lat1, lon1, std::sin(phi1), std::cos(phi1)};
}

BearingTrig TrigOfBearing(double bearing)
{
    return {bearing, std::cos(bearing * Pi / 180)};
}

DistanceTrig TrigOfDistance(double distKm)
{
    const double delta = distKm / KmPerDegree;
    return {distKm, CosDeg(delta), SinDeg(delta)};
}

void DestPoint(
    const StartTrig& start, const BearingTrig& bearing, const DistanceTrig& distance, double& lat2, double& lon2)
{
    if (distance.distKm <= MinimalDistanceKm) {
        lat2 = start.lat;
        lon2 = start.lon;
        return;
    }
    // sin(phi1) cos(delta) + cos(phi1) sin(delta) cos(theta), evaluated in
    // this factored order so that the last bits agree with the reference.
    const double cosPhi1SinDelta = start.cosPhi * distance.sinDelta;
    const double x = (bearing.cosTheta + start.sinPhi * distance.cosDelta / cosPhi1SinDelta) * cosPhi1SinDelta;
    const double phi2 = ArcSin(ClampUnit(x));
    lat2 = phi2 * 180 / Pi;
    if (bearing.bearing == 0.0 || bearing.bearing == 180.0 || bearing.bearing == 360.0) {
        lon2 = start.lon;
        return;
    }
    const double y = (distance.cosDelta - start.sinPhi * std::sin(phi2)) / (start.cosPhi * std::cos(phi2));
    const double deltaLon = ArcCos(ClampUnit(y)) * 180 / Pi;
    lon2 = bearing.bearing < 180.0 ? start.lon + deltaLon : start.lon - deltaLon;
}

void DestPoint(double lat1, double lon1, double bearing, double distKm, double& lat2, double& lon2)
{
    DestPoint(TrigOfStart(lat1, lon1), TrigOfBearing(bearing), TrigOfDistance(distKm), lat2, lon2);
}

} // namespace marn
