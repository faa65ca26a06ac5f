#include "picture/HeightClasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace marn {
namespace {

HeightGrid GridOf(int cols, int rows, std::int16_t value)
{
    HeightGrid grid;
    grid.dimension(cols, rows);
    for (int j = 1; j <= rows; ++j) {
        for (int i = 1; i <= cols; ++i) {
            grid(i, j) = value;
        }
    }
    return grid;
}

ClassLimits Limits(std::initializer_list<int> values)
{
    ClassLimits limits{};
    std::size_t k = 1;
    for (const int v : values) {
        limits[k++] = static_cast<std::int16_t>(v);
    }
    return limits;
}

// ---- height range ----

TEST(HeightRange, ScansTheSampledPointsOnly)
{
    // PicCols 3.5 dimensions four columns; the fourth and index 0 are never sampled.
    HeightGrid grid = GridOf(4, 3, 100);
    grid(2, 2) = 12;
    grid(3, 1) = 1500;
    grid(4, 2) = 5000;
    grid(0, 1) = -500;
    grid(1, 0) = -600;
    const HeightRange range = FindHeightRange(grid, 3.5F, 3.0F);
    EXPECT_EQ(range.minimum, 12);
    EXPECT_EQ(range.maximum, 1500);
}

TEST(HeightRange, OneMissingPointMakesTheMinimumMinus9999)
{
    HeightGrid grid = GridOf(5, 5, 300);
    grid(5, 5) = 800;
    grid(3, 2) = -9999;
    const HeightRange range = FindHeightRange(grid, 5.0F, 5.0F);
    EXPECT_EQ(range.minimum, -9999);
    EXPECT_EQ(range.maximum, 800);
}

TEST(HeightRange, KeepsTheStartValuesWhenNothingIsScanned)
{
    const HeightRange range = FindHeightRange(GridOf(4, 4, 7), 0.0F, 4.0F);
    EXPECT_EQ(range.minimum, 9999);
    EXPECT_EQ(range.maximum, -9999);
}

TEST(HeightRange, NeverReadsBeyondTheGrid)
{
    const HeightRange range = FindHeightRange(GridOf(2, 2, 40), 10.0F, 10.0F);
    EXPECT_EQ(range.minimum, 40);
    EXPECT_EQ(range.maximum, 40);
}

TEST(HeightRange, MinimumAndMaximumTexts)
{
    EXPECT_EQ(MinimumText({12, 1500}), "Minimum height = 12 m");
    EXPECT_EQ(MaximumText({12, 1500}), "Maximum height = 1500 m");
    EXPECT_EQ(MinimumText({-9999, 800}), "Minimum height = -9999 m");
}

// ---- stop messages ----

TEST(HeightRangeStop, AllMissing)
{
    const HeightRange range = FindHeightRange(GridOf(3, 3, -9999), 3.0F, 3.0F);
    EXPECT_EQ(HeightRangeStopMessage(range), "All heights are missing.\r\nPicture is not necessary.");
}

TEST(HeightRangeStop, AllAtOneHeight)
{
    EXPECT_EQ(HeightRangeStopMessage(FindHeightRange(GridOf(3, 3, 0), 3.0F, 3.0F)),
        "All heights are 0 m.\r\nPicture is not necessary.");
    EXPECT_EQ(HeightRangeStopMessage({412, 412}), "All heights are 412 m.\r\nPicture is not necessary.");
    EXPECT_EQ(HeightRangeStopMessage({-12, -12}), "All heights are -12 m.\r\nPicture is not necessary.");
}

TEST(HeightRangeStop, PictureWorthDrawing)
{
    EXPECT_FALSE(HeightRangeStopMessage({12, 1500}).has_value());
    EXPECT_FALSE(HeightRangeStopMessage({-9999, 0}).has_value());
    EXPECT_FALSE(HeightRangeStopMessage({-9999, 800}).has_value());
}

// ---- class limits ----

struct LimitsCase {
    HeightRange range;
    ClassLimits expected;
};

class ClassLimitTable : public ::testing::TestWithParam<LimitsCase> {};

TEST_P(ClassLimitTable, LimitsFromTheRange)
{
    const LimitsCase& c = GetParam();
    const ClassLimits limits = ComputeClassLimits(c.range);
    for (std::size_t k = 1; k <= 9; ++k) {
        EXPECT_EQ(limits[k], c.expected[k])
            << "ClassLimit(" << k << ") for " << c.range.minimum << ".." << c.range.maximum;
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, ClassLimitTable,
    ::testing::Values(LimitsCase{{12, 1500}, Limits({20, 35, 60, 102, 175, 301, 515, 881, 2000})},
        LimitsCase{{300, 400}, Limits({50, 100, 250, 317, 336, 356, 377, 500, 2000})},
        LimitsCase{{1, 3}, Limits({1, 1, 1, 1, 2, 2, 250, 500, 2000})},
        LimitsCase{{-9999, 800}, Limits({2, 4, 9, 19, 41, 86, 182, 383, 2000})},
        // no land at all: spread over 1..1
        LimitsCase{{-9999, 0}, Limits({1, 1, 1, 1, 1, 1, 250, 500, 2000})},
        LimitsCase{{-40, -3}, Limits({1, 1, 1, 1, 1, 1, 250, 500, 2000})},
        LimitsCase{{-9999, -9998}, Limits({1, 1, 1, 1, 1, 1, 250, 500, 2000})}));

TEST(ClassLimits, NeverFallAndStayWithinTheRangeForAnyArea)
{
    for (const int minimum : {-9999, -5, 0, 1, 7, 51, 101, 251, 1999, 4000}) {
        for (const int maximum : {-9998, 0, 1, 2, 249, 250, 499, 500, 1999, 2000, 4807, 8848, 32767}) {
            if (maximum <= minimum) {
                continue;
            }
            const HeightRange range{static_cast<std::int16_t>(minimum), static_cast<std::int16_t>(maximum)};
            const ClassLimits limits = ComputeClassLimits(range);
            EXPECT_TRUE(std::is_sorted(limits.begin() + 1, limits.end())) << minimum << ".." << maximum;
            EXPECT_GE(limits[1], 1) << minimum << ".." << maximum;
            // the highest class that holds points opens at or below the maximum
            if (maximum >= 1) {
                EXPECT_LE(*std::max_element(limits.begin() + 1, limits.end()), std::max(maximum, 2000))
                    << minimum << ".." << maximum;
            }
        }
    }
}

// ---- colours ----

struct ColourCase {
    std::int16_t height;
    Rgb expected;
};

class ColourTable : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourTable, ColourOfAValueWithTheExampleLimits)
{
    const ClassLimits limits = Limits({20, 35, 60, 102, 175, 301, 515, 881, 2000});
    const ColourCase& c = GetParam();
    EXPECT_EQ(ColourForHeight(c.height, limits), c.expected) << c.height;
}

INSTANTIATE_TEST_SUITE_P(Heights, ColourTable,
    ::testing::Values(ColourCase{-9999, NoDataColour}, ColourCase{-32768, BelowZeroColour},
        ColourCase{-1, BelowZeroColour}, ColourCase{0, SeaLevelColour}, ColourCase{1, ClassColours[0]},
        ColourCase{19, ClassColours[0]}, ColourCase{20, ClassColours[1]}, ColourCase{34, ClassColours[1]},
        ColourCase{35, ClassColours[2]}, ColourCase{60, ClassColours[3]}, ColourCase{102, ClassColours[4]},
        ColourCase{175, ClassColours[5]}, ColourCase{301, ClassColours[6]}, ColourCase{515, ClassColours[7]},
        ColourCase{880, ClassColours[7]}, ColourCase{881, ClassColours[8]}, ColourCase{1999, ClassColours[8]},
        ColourCase{2000, ClassColours[9]}, ColourCase{32767, ClassColours[9]}));

TEST(Colours, EqualLimitsGiveTheLaterClass)
{
    const ClassLimits limits = Limits({1, 1, 1, 1, 2, 2, 250, 500, 2000});
    EXPECT_EQ(ColourForHeight(1, limits), ClassColours[4]);
    EXPECT_EQ(ColourForHeight(2, limits), ClassColours[6]);
    EXPECT_EQ(ColourForHeight(3, limits), ClassColours[6]);
    EXPECT_EQ(ColourForHeight(250, limits), ClassColours[7]);
}

TEST(Colours, TableOfRoles)
{
    EXPECT_EQ(FrameColour, (Rgb{0, 0, 0}));
    EXPECT_EQ(SeaLevelColour, (Rgb{128, 128, 252}));
    EXPECT_EQ(BelowZeroColour, (Rgb{0, 112, 0}));
    EXPECT_EQ(NoDataColour, (Rgb{184, 184, 184}));
    EXPECT_EQ(ClassColours[0], (Rgb{0, 164, 0}));
    EXPECT_EQ(ClassColours[3], (Rgb{240, 240, 0}));
    EXPECT_EQ(ClassColours[9], (Rgb{208, 208, 252}));
}

// ---- legend ----

TEST(Legend, CaptionsOfTheExampleLimits)
{
    const auto captions = LegendCaptions(ComputeClassLimits({12, 1500}));
    const std::array<std::string, 10> expected{"1 - 19", "20 - 34", "35 - 59", "60 - 101", "102 - 174", "175 - 300",
        "301 - 514", "515 - 880", "881 - 1999", "Greater than 2000"};
    EXPECT_EQ(captions, expected);
}

TEST(Legend, CaptionsOfANarrowRange)
{
    const auto captions = LegendCaptions(ComputeClassLimits({1, 3}));
    const std::array<std::string, 10> expected{"1 - 0", "1 - 0", "1 - 0", "1 - 0", "1 - 1", "2 - 1", "2 - 249",
        "250 - 499", "500 - 1999", "Greater than 2000"};
    EXPECT_EQ(captions, expected);
}

TEST(Legend, CaptionsOfAnAreaWithoutLand)
{
    const auto captions = LegendCaptions(ComputeClassLimits({-9999, 0}));
    const std::array<std::string, 10> expected{"1 - 0", "1 - 0", "1 - 0", "1 - 0", "1 - 0", "1 - 0", "1 - 249",
        "250 - 499", "500 - 1999", "Greater than 2000"};
    EXPECT_EQ(captions, expected);
}

TEST(Legend, TwelveRowsWithTheirColours)
{
    const ClassLimits limits = ComputeClassLimits({12, 1500});
    const auto rows = LegendRowCaptions(limits);
    const auto classes = LegendCaptions(limits);
    EXPECT_EQ(rows[0], "Less than 0");
    EXPECT_EQ(rows[1], "0");
    EXPECT_TRUE(std::equal(classes.begin(), classes.end(), rows.begin() + 2));

    const auto colours = LegendRowColours();
    EXPECT_EQ(colours[0], BelowZeroColour);
    EXPECT_EQ(colours[1], SeaLevelColour);
    EXPECT_TRUE(std::equal(ClassColours.begin(), ClassColours.end(), colours.begin() + 2));
}

} // namespace
} // namespace marn
