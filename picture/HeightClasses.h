#pragma once
// Height statistics and colour classes of a sampled picture: the lowest and
// highest height, the check whether a picture is worth drawing, the limits of
// the ten height classes above sea level, the colour of every grid value and
// the captions of the legend. Plain functions over the height grid.

#include "core/GridArrays.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace marn {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour table: the picture and its legend use these colours and no others.
inline constexpr Rgb FrameColour{0, 0, 0};          // frame of the picture area, scale bar
inline constexpr Rgb SeaLevelColour{128, 128, 252}; // height exactly 0 m
inline constexpr Rgb BelowZeroColour{0, 112, 0};    // height below 0 m
inline constexpr Rgb NoDataColour{184, 184, 184};   // missing height (-9999)
// Classes 1 to 10 above sea level, from green over yellow and brown to lavender.
inline constexpr std::array<Rgb, 10> ClassColours{{
    {0, 164, 0},
    {0, 208, 0},
    {0, 252, 0},
    {240, 240, 0},
    {240, 200, 0},
    {240, 160, 0},
    {160, 96, 0},
    {128, 64, 0},
    {80, 8, 0},
    {208, 208, 252},
}};

// Lowest and highest height of the picture; the start values are kept when no
// value is below or above them.
struct HeightRange {
    std::int16_t minimum = 9999;
    std::int16_t maximum = -9999;
};

// Lower limits of the height classes 2..10: slot k (1..9) holds ClassLimit(k),
// slot 0 is never used. Class 1 runs from 1 m up to ClassLimit(1) - 1.
using ClassLimits = std::array<std::int16_t, 10>;

// Scans rows 1..floor(picRows) and, inside each, columns 1..floor(picCols).
// Every value counts, -9999 included, so one missing point makes the minimum
// -9999. Columns and rows beyond the grid's dimensions are not read.
HeightRange FindHeightRange(const HeightGrid& grid, float picCols, float picRows);

// The same scan over the heights that are there: -9999 is left out, so a
// coverage edge or a void does not pull the minimum down. When every point is
// missing the start values stay (minimum 9999, maximum -9999).
HeightRange FindPresentHeightRange(const HeightGrid& grid, float picCols, float picRows);

// "Minimum height = 12 m" and "Maximum height = 1500 m" (pattern "####0").
std::string MinimumText(HeightRange range);
std::string MaximumText(HeightRange range);

// The message that stops the run when the picture would show nothing, lines
// joined by "\r\n": "All heights are missing." when no value lies above -9999,
// otherwise "All heights are <h> m." when minimum and maximum are equal; each
// followed by "Picture is not necessary.". A non-empty missingDataNote (why
// nothing was found, e.g. "No MARN directory in /srv/terrain/dem.") becomes a
// third line of the all-missing message. nullopt when the picture is worth drawing.
std::optional<std::string> HeightRangeStopMessage(HeightRange range, const std::string& missingDataNote = {});

// Class limits from the height range: fixed limits 50/100/250 below a high
// minimum and 250/500/2000 above a low maximum, the others spread in equal
// steps of the logarithm between the minimum (at least 1) and the maximum.
// An area without any height above sea level (maximum below 1) is classified
// as if its highest point were 1 m: every computed limit becomes 1 and the
// legend reads "1 - 0" up to the first fixed limit, like any narrow range.
ClassLimits ComputeClassLimits(HeightRange range);

// Colour of one grid value: below 0, exactly 0, -9999 and classes 1..10.
// A value equal to a limit takes the colour of the class that the limit opens.
Rgb ColourForHeight(std::int16_t h, const ClassLimits& limits);

// Legend captions of classes 1..10 ("1 - 19", "20 - 34", ..., "Greater than 2000").
std::array<std::string, 10> LegendCaptions(const ClassLimits& limits);

// Captions of the twelve legend rows: "Less than 0", "0", then classes 1..10.
std::array<std::string, 12> LegendRowCaptions(const ClassLimits& limits);

// Swatch colours of the twelve legend rows, in the order of LegendRowCaptions.
std::array<Rgb, 12> LegendRowColours();

} // namespace marn
