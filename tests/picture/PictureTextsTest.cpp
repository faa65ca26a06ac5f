// The picture's texts: numbers written by digit patterns, coordinates in
// degrees, minutes and seconds, and the coordinate labels along the edges.

#include "picture/CoordinateLabels.h"
#include "picture/DigitPatterns.h"
#include "picture/LatLonFormat.h"
#include "picture/ProfilePlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace marn {
namespace {

TEST(DigitPatterns, WriteTheValueAsThePatternSaysRoundingHalfAwayFromZero)
{
    const struct {
        double value;
        const char* pattern;
        const char* expected;
    } table[] = {// heights, limits, km: optional digits add nothing
        {12, "####0", "12"}, {-9999, "####0", "-9999"}, {0, "##0", "0"}, {123456, "###0", "123456"},
        // degrees and minutes: zero padding, the sign in front of it
        {7, "000", "007"}, {123, "00", "123"}, {-3, "00", "-03"},
        // seconds: one decimal, at least two integer digits, a point as separator
        {0.04, "00.0", "00.0"}, {0.05, "00.0", "00.1"}, {59.96, "00.0", "60.0"}, {123.44, "00.0", "123.4"},
        {2.5, "###0", "3"}, {-2.5, "###0", "-3"}, {0.49, "###0", "0"}, {1268.5, "###0", "1269"}, {3.25, "00.0", "03.3"},
        {-5.25, "00.0", "-05.3"},
        // decimal digits to 15 places: a binary value just below the half still rounds up
        {2.675, "0.00", "2.68"}, {1.005, "0.00", "1.01"},
        // a negative value that rounds to zero loses its sign
        {-0.4, "###0", "0"}, {-0.04, "00.0", "00.0"}, {1e20, "0", "100000000000000000000"}};
    for (const auto& c : table)
        EXPECT_EQ(FormatPattern(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(DigitPatterns, SingleValuesAreRoundedOnTheirSevenSignificantDigits)
{
    // 12.45f is 12.4499998... as a binary number; as a single it reads 12.45.
    EXPECT_EQ(FormatSinglePattern(12.45F, "00.0"), "12.5");
    EXPECT_EQ(FormatPattern(static_cast<double>(12.45F), "00.0"), "12.4");
    EXPECT_EQ(FormatSinglePattern(-7.5F, "00"), "-08");
}

TEST(DigitPatterns, RejectsUnknownPatternsAndNonNumbers)
{
    EXPECT_THROW(FormatPattern(1.0, "0,0"), std::invalid_argument);
    EXPECT_THROW(FormatPattern(1.0, "0.#"), std::invalid_argument);
    EXPECT_THROW(FormatPattern(std::nan(""), "00"), std::invalid_argument);
    EXPECT_THROW(FormatSinglePattern(INFINITY, "00.0"), std::invalid_argument);
    EXPECT_THROW(FormatLatLon(47.0, INFINITY), std::invalid_argument);
}

TEST(LatLonFormat, DegreesMinutesSecondsWithTheirRollOvers)
{
    const struct {
        double lat, lon;
        const char* expected;
    } table[] = {{47.5125, -7.25, "47° 30' 45.0\" N  007° 15' 00.0\" W"},
        {0.0, 0.0, "00° 00' 00.0\" N  000° 00' 00.0\" E"}, {-33.8688, 151.2093, "33° 52' 07.7\" S  151° 12' 33.5\" E"},
        // shown as stored, not normalised
        {-12.0, -181.5, "12° 00' 00.0\" S  181° 30' 00.0\" W"},
        // 10° 59' 59.96": the seconds round to 60.0 and carry into minutes and degrees
        {10.0 + 59.0 / 60.0 + 59.96 / 3600.0, 7.0, "11° 00' 00.0\" N  007° 00' 00.0\" E"},
        {-(10.0 + 59.0 / 60.0 + 59.96 / 3600.0), -(7.0 + 59.0 / 60.0 + 59.99 / 3600.0),
            "11° 00' 00.0\" S  008° 00' 00.0\" W"},
        // seconds that reach 60 in single precision carry before the rounding
        {46.0 + 29.0 / 60.0 + 59.9999999 / 3600.0, 0.0, "46° 30' 00.0\" N  000° 00' 00.0\" E"},
        {5.0 + 59.94 / 3600.0, 0.0, "05° 00' 59.9\" N  000° 00' 00.0\" E"}};
    for (const auto& c : table)
        EXPECT_EQ(FormatLatLon(c.lat, c.lon), c.expected) << c.lat << ", " << c.lon;
}

// A picture 600 x 600 pixels on a 1024 x 768 screen with the design label sizes.
LabelInputs Inputs(double latSW, double latNW, double lonW, double lonE, float picLeft = 68.0F)
{
    LabelInputs in;
    in.LatSW = latSW;
    in.LatNW = latNW;
    in.LonSW = in.LonNW = lonW;
    in.LonSE = in.LonNE = lonE;
    in.PicLeft = picLeft;
    in.PicTop = 50.0F;
    in.PicBottom = 649.0F;
    in.PicCols = in.PicRows = 600.0F;
    in.ScreenHeightPx = 768.0F;
    in.sizes = DesignCoordinateLabelSizes(15.0);
    return in;
}

// The profile's axis ticks: the smallest step of 1, 2 or 5 times a power of
// ten that gives at most the number asked for, from the first multiple at or
// above the low end.
TEST(ProfileAxis, TicksAtOneTwoOrFiveTimesAPowerOfTen)
{
    const struct {
        double lo, hi;
        int maxTicks;
        std::vector<double> ticks;
    } table[] = {
        {0, 28.4, 6, {0, 5, 10, 15, 20, 25}},
        {0, 28.4, 4, {0, 10, 20}},
        {285.5, 969.5, 8, {300, 400, 500, 600, 700, 800, 900}},
        {-12, 7, 5, {-10, -5, 0, 5}},
        {0, 0.5, 5, {0, 0.2, 0.4}},
        {1180, 1220, 3, {1180, 1200, 1220}},
        {1180, 1220, 2, {1200}},
        {3, 2, 5, {}},
    };
    for (const auto& c : table) {
        const std::vector<double> ticks = NiceTicks(c.lo, c.hi, c.maxTicks);
        ASSERT_EQ(ticks.size(), c.ticks.size()) << c.lo << ".." << c.hi;
        for (std::size_t k = 0; k < ticks.size(); ++k)
            EXPECT_NEAR(ticks[k], c.ticks[k], 1e-9) << c.lo << ".." << c.hi;
    }
}

TEST(CoordinateLabels, StepGrowsWithTheEdgeExtent)
{
    using enum LabelEdge;
    const struct {
        LabelEdge edge;
        int minutes, step;
    } table[] = {{Left, 8, 1}, {Left, 9, 2}, {Left, 16, 2}, {Left, 17, 3}, {Left, 24, 3}, {Left, 25, 5}, {Left, 40, 5},
        {Left, 41, 10}, {Left, 80, 10}, {Left, 81, 15}, {Left, 120, 15}, {Left, 121, 30}, {Left, 240, 30},
        {Left, 241, 60}, {Left, 1500, 60}, {Bottom, 480, 60}, {Bottom, 481, 120}, {Bottom, 960, 120},
        {Bottom, 961, 180}, {Bottom, 1500, 180}, {Top, 1440, 180}, {Top, 1441, 300}};
    for (const auto& c : table)
        EXPECT_EQ(LabelStepMinutes(c.edge, c.minutes), c.step) << static_cast<int>(c.edge) << ", " << c.minutes;
}

TEST(CoordinateLabels, EachEdgeLabelledFromTheFirstMultipleOfTheStep)
{
    const auto NS = &CoordinateLabelSet::LabNS;
    const auto EW = &CoordinateLabelSet::LabEWU;
    const struct {
        LabelInputs in;
        std::vector<CoordinateLabel> CoordinateLabelSet::*edge;
        int firstIndex; // a first label at or beyond the western edge stays hidden
        std::vector<std::string> captions;
    } table[] = {{Inputs(47.05, 47.2, 7.0, 8.0), NS, 0, {"47°04'N", "47°06'N", "47°08'N", "47°10'N", "47°12'N"}},
        {Inputs(-10.52, -10.32, 7.0, 8.0), NS, 0,
            {"10°32'S", "10°30'S", "10°28'S", "10°26'S", "10°24'S", "10°22'S", "10°20'S"}},
        {Inputs(-12.4, -10.2, 7.0, 8.0), NS, 0, {"12°00'S", "11°30'S", "11°00'S", "10°30'S"}},
        {Inputs(-0.3, 0.3, 7.0, 8.0), NS, 0,
            {"00°15'S", "00°10'S", "00°05'S", "00°00'N", "00°05'N", "00°10'N", "00°15'N"}},
        {Inputs(47.0, 47.2, -10.52, -10.32), EW, 1,
            {"010°30'W", "010°28'W", "010°26'W", "010°24'W", "010°22'W", "010°20'W"}},
        {Inputs(47.0, 47.2, 7.0 + 59.99 / 60.0, 8.5, 68.024F), EW, 1, // 008°00' rounds onto PicLeft's pixel
            {"008°05'E", "008°10'E", "008°15'E", "008°20'E", "008°25'E", "008°30'E"}},
        {Inputs(47.0, 47.2, -1.2, 1.2), EW, 0, {"001°00'W", "000°30'W", "000°00'E", "000°30'E", "001°00'E"}},
        {Inputs(47.0, 47.2, 7.6, 8.6), EW, 0, {"007°40'E", "007°50'E", "008°00'E", "008°10'E", "008°20'E", "008°30'E"}},
        {Inputs(10.0, 40.0, 7.0, 8.0), NS, 0, // a label every degree, sixteen at most
            {"11°00'N", "12°00'N", "13°00'N", "14°00'N", "15°00'N", "16°00'N", "17°00'N", "18°00'N", "19°00'N",
                "20°00'N", "21°00'N", "22°00'N", "23°00'N", "24°00'N", "25°00'N", "26°00'N"}}};
    for (const auto& c : table) {
        const CoordinateLabelSet set = ComputeCoordinateLabels(c.in);
        std::vector<std::string> captions;
        for (const CoordinateLabel& label : set.*c.edge)
            captions.push_back(label.caption);
        EXPECT_EQ(captions, c.captions);
        ASSERT_FALSE((set.*c.edge).empty()) << c.captions[0];
        EXPECT_EQ((set.*c.edge).front().index, c.firstIndex) << c.captions[0];
        EXPECT_EQ((set.*c.edge).back().index, c.firstIndex + static_cast<int>(c.captions.size()) - 1) << c.captions[0];
        EXPECT_EQ(set.LabEWO.size(), set.LabEWU.size()) << c.captions[0];
    }
}

TEST(CoordinateLabels, TicksAndLabelsSitOutsideTheirEdge)
{
    // 60 minutes over 600 pixels: a label every 10 minutes, 100 pixels apart.
    LabelInputs in = Inputs(47.0, 48.0, 7.0, 8.0, 68.024F);
    in.sizes.LabEWOWidth[0] = 80.0F;
    in.sizes.LabEWOHeight[0] = 16.0F;
    const auto set = ComputeCoordinateLabels(in);
    ASSERT_EQ(set.LabNS.size(), 6U);
    in.PicCols = 0.0F; // no extent, no labels
    EXPECT_TRUE(ComputeCoordinateLabels(in).LabEWU.empty());
    const CoordinateLabel &left = set.LabNS.front(), &below = set.LabEWU.front(), &above = set.LabEWO.front();
    EXPECT_EQ(std::tuple(left.tickX1, left.tickY1, left.tickX2, left.tickY2),
        std::tuple(in.PicLeft - 8.0F, 550.0F, in.PicLeft - 1.0F, 550.0F));
    EXPECT_DOUBLE_EQ(left.top, 550.0 - 0.007 * 768.0);
    EXPECT_EQ(set.LabNS.back().tickY1, in.PicTop); // the north-west corner lands on PicTop
    EXPECT_EQ(std::tuple(below.tickX1, below.tickY1, below.tickX2, below.tickY2),
        std::tuple(168.0F, in.PicBottom + 1.0F, 168.0F, in.PicBottom + 8.0F));
    EXPECT_DOUBLE_EQ(below.top, in.PicBottom + 12.0);
    EXPECT_DOUBLE_EQ(below.left, 168.0 - 1065.0 / 15.0 / 2.0);
    EXPECT_EQ(
        std::tuple(above.tickX1, above.tickY1, above.tickY2), std::tuple(168.0F, in.PicTop - 1.0F, in.PicTop - 8.0F));
    EXPECT_DOUBLE_EQ(above.top, in.PicTop - 13.0 - 16.0);
    EXPECT_DOUBLE_EQ(above.left, 168.0 - 40.0);
}

} // namespace
} // namespace marn
