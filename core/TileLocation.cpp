#include "core/TileLocation.h"

#include <cmath>

namespace marn {

namespace {

constexpr double Turn = 360.0;

// Whole seconds of a fraction of a degree, rounded half up.
std::int16_t WholeSeconds(double fraction)
{
    return static_cast<std::int16_t>(std::floor(fraction * 3600 + 0.5));
}

// Block 1..12 holding a whole second 0..3600. The rule takes the quotient
// seconds / 300 as a single and its floor; for whole seconds from 0 to 3600 that
// is the whole-number quotient (a quotient that is not whole lies at least
// 1/300 from the next whole number, far more than a single's rounding), which
// is cheaper to compute.
int BlockOfSeconds(std::int16_t seconds)
{
    const int block = seconds / BlockSeconds + 1;
    return block > BlocksPerSide ? BlocksPerSide : block;
}

} // namespace

bool NormaliseLongitude(double& lon)
{
    if (!std::isfinite(lon))
        return false;
    if (lon > Turn) {
        // Every subtraction of 360 on the way down is exact, so the remainder is the same.
        const double rest = std::fmod(lon, Turn);
        lon = rest == 0.0 ? Turn : rest;
    }
    if (lon < 0.0) {
        // All additions but the last are exact; the last one rounds like the remainder + 360 does.
        const double rest = std::fmod(lon, Turn);
        lon = rest == 0.0 ? 0.0 : rest + Turn;
    }
    return true;
}

TileLocation LocateTile(double lat, double lon)
{
    TileLocation at;
    const double cornerLat = std::floor(lat);
    double cornerLon = std::floor(lon);
    at.fracLat = lat - cornerLat;
    at.fracLon = lon - cornerLon;
    if (cornerLon == Turn)
        cornerLon = 0.0;
    at.name = TileNameOfCorner(static_cast<int>(cornerLat), static_cast<int>(cornerLon));
    at.secLat = WholeSeconds(at.fracLat);
    at.secLon = WholeSeconds(at.fracLon);
    at.blockRow = BlockOfSeconds(at.secLat);
    at.blockCol = BlockOfSeconds(at.secLon);
    at.blockNo = static_cast<std::int16_t>((at.blockRow - 1) * BlocksPerSide + at.blockCol);
    return at;
}

std::int16_t LocatePoint(bool hasDataDrive, double lat, double& lon, TileLocation& at)
{
    if (!hasDataDrive)
        return ErrNoDataDrive;
    if (!(lat >= -90.0 && lat <= 90.0))
        return ErrLatitude;
    if (!NormaliseLongitude(lon))
        return ErrReader;
    at = LocateTile(lat, lon);
    return ReadOk;
}

} // namespace marn
