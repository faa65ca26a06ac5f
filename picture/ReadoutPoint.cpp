#include "picture/ReadoutPoint.h"

#include "picture/DigitPatterns.h"
#include "picture/LatLonFormat.h"
#include "picture/Rounding.h"

#include <algorithm>
#include <cmath>

namespace marn {
namespace {

// Index of the pointer along one axis, held to the sampled points 1..last.
int HeldIndex(float pointer, float picStart, float picCount, int dimension)
{
    const double raw = RoundHalfEven(std::floor(static_cast<double>(pointer)) - static_cast<double>(picStart) + 1.0);
    const int last = std::min(static_cast<int>(std::floor(std::max(picCount, 0.0F))), dimension);
    if (last < 1) {
        return 0;
    }
    if (!(raw >= 1.0)) {
        return 1;
    }
    return static_cast<int>(std::min(raw, static_cast<double>(last)));
}

} // namespace

bool ReadoutActive(const WindowFlags& state)
{
    return state.PictureReady && state.ReadoutEnabled;
}

bool ReadoutInside(const PictureArea& state, float x, float y)
{
    return state.PicLeft <= x && x <= state.PicRight && state.PicTop <= y && y <= state.PicBottom;
}

std::pair<int, int> ReadoutGridIndex(const PictureGrid& state, float x, float y)
{
    const int maxCol = std::min(state.GridHeights.maxCol(), state.GridCoords.maxCol());
    const int maxRow = std::min(state.GridHeights.maxRow(), state.GridCoords.maxRow());
    const int i = HeldIndex(x, state.PicLeft, state.PicCols, maxCol);
    const int j = HeldIndex(y, state.PicTop, state.PicRows, maxRow);
    if (i == 0 || j == 0) {
        return {0, 0};
    }
    return {i, j};
}

std::string ReadoutHeightText(std::int16_t height)
{
    return "Height = " + FormatPattern(height, "###0") + " m";
}

std::string ReadoutCoordinatesText(double lat, double lon)
{
    return "Coordinates = " + FormatLatLon(lat, lon);
}

std::optional<ReadoutLines> ReadoutAt(const PictureGrid& state, float x, float y)
{
    if (!ReadoutInside(state, x, y)) {
        return std::nullopt;
    }
    const auto [i, j] = ReadoutGridIndex(state, x, y);
    if (i == 0) {
        return std::nullopt;
    }
    return ReadoutLines{ReadoutCoordinatesText(state.GridCoords(0, i, j), state.GridCoords(1, i, j)),
        ReadoutHeightText(state.GridHeights(i, j))};
}

} // namespace marn
