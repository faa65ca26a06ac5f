#include "import/HeightConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace marn::import {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct ConversionCase {
    double height;
    bool seaLevel;
    std::int16_t expected;
    ConversionCounts counts;
};

class ToTileHeightTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ToTileHeightTest, RoundsHalfUpAndClampsCounting)
{
    ConversionCounts counts;
    EXPECT_EQ(ToTileHeight(GetParam().height, GetParam().seaLevel, counts), GetParam().expected) << GetParam().height;
    EXPECT_EQ(counts.clampedHigh, GetParam().counts.clampedHigh);
    EXPECT_EQ(counts.clampedLow, GetParam().counts.clampedLow);
    EXPECT_EQ(counts.offNoData, GetParam().counts.offNoData);
}

INSTANTIATE_TEST_SUITE_P(Heights, ToTileHeightTest,
    testing::Values(ConversionCase{NaN, false, -9999, {}}, ConversionCase{NaN, true, -9999, {}},
        ConversionCase{1076, false, 1076, {}}, ConversionCase{12.5, false, 13, {}},
        ConversionCase{12.49, false, 12, {}}, ConversionCase{-12.5, false, -12, {}},
        ConversionCase{-12.51, false, -13, {}}, ConversionCase{-1437, false, -1437, {}},
        ConversionCase{-1437, true, 0, {}}, ConversionCase{-0.4, true, 0, {}}, ConversionCase{2205, true, 2205, {}},
        ConversionCase{32767.4, false, 32767, {}}, ConversionCase{32767.5, false, 32767, {1, 0, 0}},
        ConversionCase{1e9, false, 32767, {1, 0, 0}}, ConversionCase{-32768, false, -32768, {}},
        ConversionCase{-32768.6, false, -32768, {0, 1, 0}}, ConversionCase{-9999, false, -9998, {0, 0, 1}},
        ConversionCase{-9998.6, false, -9998, {0, 0, 1}}, ConversionCase{-9999, true, 0, {}},
        ConversionCase{-10500, false, -10500, {}}));

TEST(ConversionCounts, AddUpOverManyHeights)
{
    ConversionCounts counts;
    for (const double height : {40000.0, 50000.0, -40000.0, -9999.0, 5.0})
        ToTileHeight(height, false, counts);
    EXPECT_EQ(counts.clampedHigh, 2);
    EXPECT_EQ(counts.clampedLow, 1);
    EXPECT_EQ(counts.offNoData, 1);
    EXPECT_EQ(counts.total(), 4);
}

} // namespace
} // namespace marn::import
