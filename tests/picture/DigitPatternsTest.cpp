#include "picture/DigitPatterns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace marn {
namespace {

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

class DigitPatternTable : public ::testing::TestWithParam<PatternCase> {};

TEST_P(DigitPatternTable, WritesTheValueAsThePatternSays)
{
    const PatternCase& c = GetParam();
    EXPECT_EQ(FormatPattern(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Patterns, DigitPatternTable,
    ::testing::Values(
        // heights, limits, km, percentages: optional digits add nothing
        PatternCase{12, "####0", "12"}, PatternCase{-9999, "####0", "-9999"}, PatternCase{0, "####0", "0"},
        PatternCase{32767, "####0", "32767"}, PatternCase{2000, "###0", "2000"}, PatternCase{123456, "###0", "123456"},
        PatternCase{100, "##0", "100"}, PatternCase{0, "##0", "0"},
        // degrees and minutes: zero padding, sign kept in front of the padding
        PatternCase{7, "00", "07"}, PatternCase{7, "000", "007"}, PatternCase{123, "00", "123"},
        PatternCase{0, "000", "000"}, PatternCase{-3, "00", "-03"},
        // seconds: one decimal, at least two integer digits
        PatternCase{45.0, "00.0", "45.0"}, PatternCase{0.04, "00.0", "00.0"}, PatternCase{0.05, "00.0", "00.1"},
        PatternCase{59.96, "00.0", "60.0"}, PatternCase{123.44, "00.0", "123.4"}));

INSTANTIATE_TEST_SUITE_P(RoundingHalfAwayFromZero, DigitPatternTable,
    ::testing::Values(PatternCase{2.5, "###0", "3"}, PatternCase{3.5, "###0", "4"}, PatternCase{-2.5, "###0", "-3"},
        PatternCase{0.5, "###0", "1"}, PatternCase{0.49, "###0", "0"}, PatternCase{1268.5, "###0", "1269"},
        PatternCase{5.25, "00.0", "05.3"}, PatternCase{-5.25, "00.0", "-05.3"},
        // decimal digits to 15 places, so a binary value just below the half still rounds up
        PatternCase{2.675, "0.00", "2.68"}, PatternCase{1.005, "0.00", "1.01"},
        // a negative value that rounds to zero loses its sign
        PatternCase{-0.4, "###0", "0"}, PatternCase{-0.04, "00.0", "00.0"},
        PatternCase{1e20, "0", "100000000000000000000"}));

TEST(DigitPatterns, SingleValuesAreRoundedOnTheirSevenSignificantDigits)
{
    // 12.45f is 12.4499998... as a binary number; as a single it reads 12.45.
    EXPECT_EQ(FormatSinglePattern(12.45F, "00.0"), "12.5");
    EXPECT_EQ(FormatPattern(static_cast<double>(12.45F), "00.0"), "12.4");
    EXPECT_EQ(FormatSinglePattern(59.96F, "00.0"), "60.0");
    EXPECT_EQ(FormatSinglePattern(1000.0F, "###0"), "1000");
    EXPECT_EQ(FormatSinglePattern(-7.5F, "00"), "-08");
}

TEST(DigitPatterns, DecimalSeparatorIsAlwaysAPoint)
{
    const std::string text = FormatPattern(3.25, "00.0");
    EXPECT_EQ(text.find(','), std::string::npos);
    EXPECT_EQ(text, "03.3");
}

TEST(DigitPatterns, RejectsUnknownPatternsAndNonNumbers)
{
    EXPECT_THROW(FormatPattern(1.0, "0,0"), std::invalid_argument);
    EXPECT_THROW(FormatPattern(1.0, "0.#"), std::invalid_argument);
    EXPECT_THROW(FormatPattern(1.0, "0.0.0"), std::invalid_argument);
    EXPECT_THROW(FormatPattern(std::nan(""), "00"), std::invalid_argument);
    EXPECT_THROW(FormatSinglePattern(INFINITY, "00.0"), std::invalid_argument);
}

} // namespace
} // namespace marn
