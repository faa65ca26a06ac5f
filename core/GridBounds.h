#pragma once
// The last column and row the sampling fills: floor(PicCols) and
// floor(PicRows), never beyond the dimensioned grid arrays (0 for none).

#include "core/PictureGrid.h"

#include <algorithm>
#include <cmath>

namespace marn {

inline int LastSampledIndex(float size, int dimensioned)
{
    const double whole = std::floor(static_cast<double>(size));
    if (!(whole >= 1.0))
        return 0;
    return whole > dimensioned ? dimensioned : static_cast<int>(whole);
}

inline int LastSampledColumn(const PictureGrid& s)
{
    return LastSampledIndex(s.PicCols, std::min(s.GridHeights.maxCol(), s.GridCoords.maxCol()));
}

inline int LastSampledRow(const PictureGrid& s)
{
    return LastSampledIndex(s.PicRows, std::min(s.GridHeights.maxRow(), s.GridCoords.maxRow()));
}

} // namespace marn
