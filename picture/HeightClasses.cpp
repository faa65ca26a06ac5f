#include "picture/HeightClasses.h"

#include "core/Geodesy.h"
#include "core/Single.h"
#include "core/TileFormat.h"
#include "picture/DigitPatterns.h"

#include <algorithm>
#include <cmath>

namespace marn {
namespace {

constexpr const char* HeightPattern = "####0";
constexpr const char* LimitPattern = "###0";

int WholeAtOrBelow(float size)
{
    return size > 0.0F ? static_cast<int>(std::floor(size)) : 0;
}

std::string LimitText(int value)
{
    return FormatPattern(value, LimitPattern);
}

// Rows 1..floor(picRows), columns 1..floor(picCols), within the grid; the
// missing marker counts as a height unless skipMissing.
HeightRange ScanHeightRange(const HeightGrid& grid, float picCols, float picRows, bool skipMissing)
{
    HeightRange range;
    const int cols = std::min(WholeAtOrBelow(picCols), grid.maxCol());
    const int rows = std::min(WholeAtOrBelow(picRows), grid.maxRow());
    for (int y = 1; y <= rows; ++y) {
        for (int x = 1; x <= cols; ++x) {
            const std::int16_t h = grid(x, y);
            if (skipMissing && h == NoData) {
                continue;
            }
            if (h > range.maximum) {
                range.maximum = h;
            }
            if (h < range.minimum) {
                range.minimum = h;
            }
        }
    }
    return range;
}

} // namespace

HeightRange FindHeightRange(const HeightGrid& grid, float picCols, float picRows)
{
    return ScanHeightRange(grid, picCols, picRows, false);
}

HeightRange FindPresentHeightRange(const HeightGrid& grid, float picCols, float picRows)
{
    return ScanHeightRange(grid, picCols, picRows, true);
}

std::string MinimumText(HeightRange range)
{
    return "Minimum height = " + FormatPattern(range.minimum, HeightPattern) + " m";
}

std::string MaximumText(HeightRange range)
{
    return "Maximum height = " + FormatPattern(range.maximum, HeightPattern) + " m";
}

std::optional<std::string> HeightRangeStopMessage(HeightRange range, const std::string& missingDataNote)
{
    if (range.maximum == NoData) {
        std::string message = "All heights are missing.\r\nPicture is not necessary.";
        if (!missingDataNote.empty())
            message += "\r\n" + missingDataNote;
        return message;
    }
    if (range.minimum == range.maximum) {
        return "All heights are " + FormatPattern(range.minimum, HeightPattern) + " m.\r\nPicture is not necessary.";
    }
    return std::nullopt;
}

ClassLimits ComputeClassLimits(HeightRange range)
{
    ClassLimits limits{};
    int first = 1;
    int last = 9;
    if (range.minimum > 50) {
        limits[1] = 50;
        first = 2;
    }
    if (range.minimum > 100) {
        limits[2] = 100;
        first = 3;
    }
    if (range.minimum > 250) {
        limits[3] = 250;
        first = 4;
    }
    if (range.maximum < 2000) {
        limits[9] = 2000;
        last = 8;
    }
    if (range.maximum < 500) {
        limits[8] = 500;
        last = 7;
    }
    if (range.maximum < 250) {
        limits[7] = 250;
        last = 6;
    }

    // The logarithmic spread needs a positive minimum and a maximum not below
    // it. An area without land (maximum below 1) is spread over 1..1, which
    // makes every computed limit 1; the ranges of the fixed limits stay as they are.
    const double minimum = std::max<int>(range.minimum, 1);
    const double maximum = std::max<double>(range.maximum, minimum);

    const int n = last - first + 1;
    const double d = (last - first + 3) - 1.01;
    for (int k = 1; k <= n; ++k) {
        const auto e = Single(Log10(minimum) + (k / d) * Log10(maximum / minimum));
        limits[static_cast<std::size_t>(first + k - 1)] =
            static_cast<std::int16_t>(std::floor(std::pow(10.0, static_cast<double>(e))));
    }
    return limits;
}

Rgb ColourForHeight(std::int16_t h, const ClassLimits& limits)
{
    if (h == NoData) {
        return NoDataColour;
    }
    if (h == 0) {
        return SeaLevelColour;
    }
    if (h < 0) {
        return BelowZeroColour;
    }
    // Class 1 from 1 m; each later test that matches replaces the earlier one,
    // so of two equal limits the later class wins.
    std::size_t colour = 0;
    for (std::size_t k = 2; k <= 9; ++k) {
        if (limits[k - 1] <= h && h < limits[k]) {
            colour = k - 1;
        }
    }
    if (h >= limits[9]) {
        colour = 9;
    }
    return ClassColours[colour];
}

std::array<std::string, 10> LegendCaptions(const ClassLimits& limits)
{
    std::array<std::string, 10> captions;
    captions[0] = "1 - " + LimitText(limits[1] - 1);
    for (std::size_t k = 2; k <= 9; ++k) {
        captions[k - 1] = LimitText(limits[k - 1]) + " - " + LimitText(limits[k] - 1);
    }
    captions[9] = "Greater than " + LimitText(limits[9]);
    return captions;
}

std::array<std::string, 12> LegendRowCaptions(const ClassLimits& limits)
{
    std::array<std::string, 12> rows;
    rows[0] = "Less than 0";
    rows[1] = "0";
    const auto classes = LegendCaptions(limits);
    std::copy(classes.begin(), classes.end(), rows.begin() + 2);
    return rows;
}

std::array<Rgb, 12> LegendRowColours()
{
    std::array<Rgb, 12> colours;
    colours[0] = BelowZeroColour;
    colours[1] = SeaLevelColour;
    std::copy(ClassColours.begin(), ClassColours.end(), colours.begin() + 2);
    return colours;
}

} // namespace marn
