#include "core/GridSetUp.h"

#include "core/Geodesy.h"
#include "core/Single.h"

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

GridFrame ComputeGridFrame(double centerLat, double centerLon, double areaLengthKm, const PictureArea& area)
{
    GridFrame frame;
    frame.KmPerPixel = areaLengthKm / static_cast<double>(area.PicCols);

    double latUnused = 0.0;
    double lonUnused = 0.0;
    double lonW = 0.0;
    double lonE = 0.0;
    double distKm = (static_cast<double>(area.PicRight) - static_cast<double>(area.PicLeft)) / 2 * frame.KmPerPixel;
    DestPoint(centerLat, centerLon, 270, distKm, latUnused, lonW);
    distKm = areaLengthKm - distKm;
    DestPoint(centerLat, centerLon, 90, distKm, latUnused, lonE);
    frame.LonMid = (lonE + lonW) / 2;

    distKm = (static_cast<double>(area.PicRows)
                 - (static_cast<double>(area.PicBottom) - static_cast<double>(area.PicTop)) / 2)
             * frame.KmPerPixel;
    DestPoint(centerLat, centerLon, 180, distKm, frame.LatS, lonUnused);
    DestPoint(frame.LatS, frame.LonMid, 0, static_cast<double>(area.PicRows) * frame.KmPerPixel, frame.LatN, lonUnused);
    return frame;
}

void SetUpGrid(const DisplayArea& area, PictureGrid& s)
{
    const int maxCol = ArrayBound(s.PicCols);
    const int maxRow = ArrayBound(s.PicRows);
    s.GridHeights.dimension(maxCol, maxRow);
    s.GridCoords.dimension(maxCol, maxRow);

    const double areaKm = area.AreaLengthKm;
    static_cast<GridFrame&>(s) = ComputeGridFrame(area.CenterLat, area.CenterLon, areaKm, s);

    const double halfLength = areaKm / 2;
    DestPoint(s.LatN, s.LonMid, 270, halfLength, s.LatNW, s.LonNW);
    DestPoint(s.LatN, s.LonMid, 90, halfLength, s.LatNE, s.LonNE);
    DestPoint(s.LatS, s.LonMid, 270, halfLength, s.LatSW, s.LonSW);
    DestPoint(s.LatS, s.LonMid, 90, halfLength, s.LatSE, s.LonSE);
}

void GridPointAt(const GridFrame& frame, const PictureArea& area, double u, double v, double& lat, double& lon)
{
    const double halfCols = static_cast<double>(area.PicCols) / 2;
    const double middle = static_cast<double>(Single(std::floor(static_cast<double>(area.PicCols)) / 2));
    const double rowLat = frame.LatN - (v - 1) * ((frame.LatN - frame.LatS) / static_cast<double>(area.PicRows));
    lat = rowLat;
    lon = frame.LonMid;
    if (u < middle)
        DestPoint(rowLat, frame.LonMid, 270, (halfCols - u) * frame.KmPerPixel, lat, lon);
    else if (u > middle)
        DestPoint(rowLat, frame.LonMid, 90, (u - halfCols) * frame.KmPerPixel, lat, lon);
}

} // namespace marn
