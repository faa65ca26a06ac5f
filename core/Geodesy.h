#pragma once
// Module Mat_Funct: the trigonometric helpers and the great-circle destination
// on a spherical earth.
//
// Every function works on doubles and changes none of its inputs. The angle
// conversions use the ten-digit value Pi below, not the full double value, and
// a degree of arc is 111.2 km, so results match other evaluations that use the
// same constants bit for bit.

namespace marn {

// The value of pi used for every degree/radian conversion.
inline constexpr double Pi = 3.141592654;
// Kilometres per degree of arc of the sphere (radius 111.2 * 180 / Pi km).
inline constexpr double KmPerDegree = 111.2;
// At or below this distance (km) DestPoint returns its start point.
inline constexpr double MinimalDistanceKm = 0.0001;

// Arc cosine of x, in radians.
//   x: in [-1, 1]; exactly -1 gives Pi, exactly 1 gives 0.
//   Result in [0, Pi]. Outside [-1, 1] the result is NaN.
double ArcCos(double x);

// Arc sine of x, in radians.
//   x: in [-1, 1]; exactly +-1 gives +-Pi/2.
//   Result in [-Pi/2, Pi/2]. Outside [-1, 1] the result is NaN.
double ArcSin(double x);

// Base-10 logarithm of x, computed as ln(x) / ln(10).
//   x > 0; 0 gives -infinity, a negative x NaN.
double Log10(double x);

// Cosine of x degrees (any finite value), converted with x * Pi / 180.
double CosDeg(double x);

// Sine of x degrees (any finite value), converted with x * Pi / 180.
double SinDeg(double x);

// The point reached from (lat1, lon1) by travelling distKm along the great
// circle that starts with the given bearing.
//   lat1:    degrees, [-90, 90], north positive.
//   lon1:    degrees, any value, east positive.
//   bearing: degrees clockwise from north, [0, 360]; 0, 180 and 360 follow
//            the meridian (lon2 = lon1 exactly), below 180 goes east, above
//            180 west.
//   distKm:  km, >= 0; at or below MinimalDistanceKm the start point is
//            returned unchanged.
//   lat2:    out, degrees, [-90, 90].
//   lon2:    out, degrees, lon1 plus or minus at most 180; not normalised.
void DestPoint(double lat1, double lon1, double bearing, double distKm, double& lat2, double& lon2);

// DestPoint in parts, for callers that place many points from the same starts,
// bearings or distances: the trigonometry of each part is computed once and
// the destination from the parts is bit for bit the one DestPoint gives.
struct StartTrig {
    double lat = 0.0;    // degrees
    double lon = 0.0;    // degrees
    double sinPhi = 0.0; // sine and cosine of lat in radians
    double cosPhi = 1.0;
};
struct BearingTrig {
    double bearing = 0.0;  // degrees clockwise from north
    double cosTheta = 1.0; // its cosine
};
struct DistanceTrig {
    double distKm = 0.0;   // km
    double cosDelta = 1.0; // cosine and sine of the angular distance
    double sinDelta = 0.0;
};
StartTrig TrigOfStart(double lat1, double lon1);
BearingTrig TrigOfBearing(double bearing);
DistanceTrig TrigOfDistance(double distKm);
void DestPoint(
    const StartTrig& start, const BearingTrig& bearing, const DistanceTrig& distance, double& lat2, double& lon2);

} // namespace marn
