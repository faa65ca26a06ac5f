// Numbers written by digit patterns, and coordinates in degrees, minutes and seconds.

#include "picture/DigitPatterns.h"
#include "picture/LatLonFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

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
        // decimal digits to 15 places: a binary value just below the half still
        // rounds up
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
        // 10° 59' 59.96": the seconds round to 60.0 and carry into minutes and
        // degrees
        {10.0 + 59.0 / 60.0 + 59.96 / 3600.0, 7.0, "11° 00' 00.0\" N  007° 00' 00.0\" E"},
        {-(10.0 + 59.0 / 60.0 + 59.96 / 3600.0), -(7.0 + 59.0 / 60.0 + 59.99 / 3600.0),
            "11° 00' 00.0\" S  008° 00' 00.0\" W"},
        // seconds that reach 60 in single precision carry before the rounding
        {46.0 + 29.0 / 60.0 + 59.9999999 / 3600.0, 0.0, "46° 30' 00.0\" N  000° 00' 00.0\" E"},
        {5.0 + 59.94 / 3600.0, 0.0, "05° 00' 59.9\" N  000° 00' 00.0\" E"}};
    for (const auto& c : table)
        EXPECT_EQ(FormatLatLon(c.lat, c.lon), c.expected) << c.lat << ", " << c.lon;
}

} // namespace
} // namespace marn
