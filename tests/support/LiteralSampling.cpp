#include "tests/support/LiteralSampling.h"

#include "core/Geodesy.h"
#include "core/GridBounds.h"
#include "core/TileReader.h"

#include <cmath>

namespace marn::test {

std::int16_t SampleGridHeights(SharedState& s, const std::function<void(int row)>& afterRow)
{
    const int lastCol = LastSampledColumn(s);
    const int lastRow = LastSampledRow(s);
    const double picRows = s.PicRows;
    const double halfCols = static_cast<double>(s.PicCols) / 2;
    const float middle = static_cast<float>(std::floor(static_cast<double>(s.PicCols)) / 2);
    const double latStep = (s.LatN - s.LatS) / picRows;

    for (int j = 1; j <= lastRow; ++j) {
        const double rowLat = s.LatN - (j - 1) * latStep;
        for (int i = 1; i <= lastCol; ++i) {
            double lat = rowLat;
            double lon = s.LonMid;
            if (i < middle)
                DestPoint(rowLat, s.LonMid, 270, (halfCols - i) * s.KmPerPixel, lat, lon);
            else if (i > middle)
                DestPoint(rowLat, s.LonMid, 90, (i - halfCols) * s.KmPerPixel, lat, lon);
            s.GridCoords(0, i, j) = lat;
            s.GridCoords(1, i, j) = lon;
            std::int16_t errorValue = 0;
            ReadTileHeight(s, s.Reader, lat, lon, s.GridHeights(i, j), errorValue);
            if (IsNoDataHere(errorValue))
                s.GridHeights(i, j) = NoData;
            else if (errorValue != ReadOk)
                return errorValue;
        }
        if (afterRow)
            afterRow(j);
    }
    return ReadOk;
}

} // namespace marn::test
