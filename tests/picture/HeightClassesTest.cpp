#include "picture/HeightClasses.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace marn {
namespace {

ClassLimits Limits(std::initializer_list<int> values)
{
    ClassLimits limits{};
    std::copy(values.begin(), values.end(), limits.begin() + 1);
    return limits;
}

TEST(HeightRange, ScansOnlyTheSampledPointsWithinTheGrid)
{
    // PicCols 3.5 scans columns 1..3: index 0 and column 4 are never sampled.
    HeightGrid grid;
    grid.dimension(4, 3);
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 4; ++i)
            grid(i, j) = 100;
    grid(2, 2) = -9999;
    grid(3, 1) = 1500;
    grid(4, 2) = 5000;
    grid(0, 1) = -500;
    const HeightRange range = FindHeightRange(grid, 3.5F, 10.0F);
    EXPECT_EQ(MinimumText(range), "Minimum height = -9999 m");
    EXPECT_EQ(MaximumText(range), "Maximum height = 1500 m");
    EXPECT_EQ(FindHeightRange(grid, 0.0F, 3.0F).minimum, 9999);
}

TEST(HeightRange, StopMessageOnlyWhenThePictureShowsNothing)
{
    const struct {
        HeightRange range;
        const char* message; // "" when the picture is drawn
    } table[] = {{{-9999, -9999}, "All heights are missing.\r\nPicture is not necessary."},
        {{0, 0}, "All heights are 0 m.\r\nPicture is not necessary."},
        {{412, 412}, "All heights are 412 m.\r\nPicture is not necessary."},
        {{-12, -12}, "All heights are -12 m.\r\nPicture is not necessary."}, {{12, 1500}, ""}, {{-9999, 0}, ""}};
    for (const auto& c : table)
        EXPECT_EQ(HeightRangeStopMessage(c.range).value_or(""), c.message)
            << c.range.minimum << ".." << c.range.maximum;
}

TEST(ClassLimits, FixedLimitsOutsideTheRangeAndALogarithmicSpreadWithin)
{
    const struct {
        HeightRange range;
        ClassLimits expected;
    } table[] = {{{12, 1500}, Limits({20, 35, 60, 102, 175, 301, 515, 881, 2000})},
        {{300, 400}, Limits({50, 100, 250, 317, 336, 356, 377, 500, 2000})},
        {{50, 400}, Limits({64, 84, 109, 141, 183, 238, 309, 500, 2000})},
        {{1, 3}, Limits({1, 1, 1, 1, 2, 2, 250, 500, 2000})},
        {{-9999, 800}, Limits({2, 4, 9, 19, 41, 86, 182, 383, 2000})},
        // no land: spread over 1..1
        {{-9999, 0}, Limits({1, 1, 1, 1, 1, 1, 250, 500, 2000})},
        {{-40, -3}, Limits({1, 1, 1, 1, 1, 1, 250, 500, 2000})}};
    for (const auto& c : table)
        EXPECT_EQ(ComputeClassLimits(c.range), c.expected) << c.range.minimum << ".." << c.range.maximum;
}

TEST(Colours, ValueEqualToALimitOpensItsClass)
{
    const ClassLimits limits = Limits({20, 35, 60, 102, 175, 301, 515, 881, 2000});
    const std::pair<std::int16_t, Rgb> table[] = {{-9999, NoDataColour}, {-32768, BelowZeroColour},
        {-1, BelowZeroColour}, {0, SeaLevelColour}, {1, ClassColours[0]}, {19, ClassColours[0]}, {20, ClassColours[1]},
        {301, ClassColours[6]}, {880, ClassColours[7]}, {881, ClassColours[8]}, {1999, ClassColours[8]},
        {2000, ClassColours[9]}, {32767, ClassColours[9]}};
    for (const auto& [height, colour] : table)
        EXPECT_EQ(ColourForHeight(height, limits), colour) << height;
    // of two equal limits the later class wins
    EXPECT_EQ(ColourForHeight(1, Limits({1, 1, 1, 1, 2, 2, 250, 500, 2000})), ClassColours[4]);
}

TEST(Legend, RowsOfTheExampleLimits)
{
    const std::array<std::string, 12> expected{"Less than 0", "0", "1 - 19", "20 - 34", "35 - 59", "60 - 101",
        "102 - 174", "175 - 300", "301 - 514", "515 - 880", "881 - 1999", "Greater than 2000"};
    EXPECT_EQ(LegendRowCaptions(ComputeClassLimits({12, 1500})), expected);
    EXPECT_EQ(LegendCaptions(ComputeClassLimits({1, 3}))[5], "2 - 1");
}

} // namespace
} // namespace marn
