#include "core/GridSetUp.h"

#include "core/Geodesy.h"

#include <cmath>

namespace marn {

namespace {

// A picture size as an array bound: nearest whole number, ties to even
// (the default rounding mode); nothing below 0.
int ArrayBound(float size)
{
    const double bound = std::nearbyint(static_cast<double>(size));
    return bound > 0.0 ? static_cast<int>(bound) : 0;
}

} // namespace

void SetUpGrid(SharedState& s)
{
    const int maxCol = ArrayBound(s.PicCols);
    const int maxRow = ArrayBound(s.PicRows);
    s.GridHeights.dimension(maxCol, maxRow);
    s.GridCoords.dimension(maxCol, maxRow);

    const double areaKm = s.AreaLengthKm;
    s.KmPerPixel = areaKm / static_cast<double>(s.PicCols);

    double latUnused = 0.0;
    double lonUnused = 0.0;
    double lonW = 0.0;
    double lonE = 0.0;
    double distKm = (static_cast<double>(s.PicRight) - static_cast<double>(s.PicLeft)) / 2 * s.KmPerPixel;
    DestPoint(s.CenterLat, s.CenterLon, 270, distKm, latUnused, lonW);
    distKm = areaKm - distKm;
    DestPoint(s.CenterLat, s.CenterLon, 90, distKm, latUnused, lonE);
    s.LonMid = (lonE + lonW) / 2;

    distKm = (static_cast<double>(s.PicRows) - (static_cast<double>(s.PicBottom) - static_cast<double>(s.PicTop)) / 2)
             * s.KmPerPixel;
    DestPoint(s.CenterLat, s.CenterLon, 180, distKm, s.LatS, lonUnused);
    DestPoint(s.LatS, s.LonMid, 0, static_cast<double>(s.PicRows) * s.KmPerPixel, s.LatN, lonUnused);

    const double halfLength = areaKm / 2;
    DestPoint(s.LatN, s.LonMid, 270, halfLength, s.LatNW, s.LonNW);
    DestPoint(s.LatN, s.LonMid, 90, halfLength, s.LatNE, s.LonNE);
    DestPoint(s.LatS, s.LonMid, 270, halfLength, s.LatSW, s.LonSW);
    DestPoint(s.LatS, s.LonMid, 90, halfLength, s.LatSE, s.LonSE);
}

} // namespace marn
