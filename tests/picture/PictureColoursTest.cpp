// The picture's colours: height range, stop messages, class limits, colours
// and legend, and relief shading of plain height grids (a plane facing the
// north-west light is brighter than flat ground, one facing away darker).

#include "picture/HeightClasses.h"
#include "picture/ReliefShading.h"

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

// The range of a picture of 3 x 3 points at 412 m but one, in a grid a column and a row larger.
HeightRange RangeWith(int col, int row, std::int16_t height)
{
    HeightGrid grid;
    grid.dimension(4, 4);
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 3; ++i)
            grid(i, j) = 412;
    grid(col, row) = height;
    return FindHeightRange(grid, 3.9F, 3.0F);
}

TEST(HeightRange, StopMessageOnlyWhenThePictureShowsNothing)
{
    const struct {
        HeightRange range;
        const char* message; // "" when the picture is drawn
    } table[] = {{{-9999, -9999}, "All heights are missing.\r\nPicture is not necessary."},
        {{0, 0}, "All heights are 0 m.\r\nPicture is not necessary."},
        {{412, 412}, "All heights are 412 m.\r\nPicture is not necessary."},
        {{-12, -12}, "All heights are -12 m.\r\nPicture is not necessary."}, {{12, 1500}, ""}, {{-9999, 0}, ""},
        {RangeWith(3, 2, 413), ""}, {RangeWith(2, 3, -9999), ""}, // the last column and the last row count
        {RangeWith(4, 3, 5), "All heights are 412 m.\r\nPicture is not necessary."}};
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

constexpr int Size = 5;

// The light at the middle of a plane rising by the given metres per grid step towards the east and the south.
Light LightOfPlane(int eastRise, int southRise, double stepKm)
{
    HeightGrid grid;
    grid.dimension(Size, Size);
    for (int j = 1; j <= Size; ++j)
        for (int i = 1; i <= Size; ++i)
            grid(i, j) = static_cast<std::int16_t>(1000 + eastRise * i + southRise * j);
    return ReliefLight(grid, Size, Size, GroundSpacing{stepKm, stepKm})[Size * Size / 2];
}

TEST(ReliefShading, APlaneIsLitByHowItFacesTheNorthWest)
{
    const struct {
        const char* name;
        int eastRise, southRise;
        double stepKm;  // ground between grid points
        int brightness; // against flat ground: 1 brighter, -1 darker, 0 about the same
    } table[] = {{"tilted towards the light", 10, 10, 0.05, 1}, {"tilted away from the light", -10, -10, 0.05, -1},
        {"facing west", 10, 0, 0.05, 1}, {"facing south", 0, -10, 0.05, -1},
        {"facing north-east, across the light", -10, 10, 0.05, 0},
        // 20 m over 2.3 km is a slope of half a degree: visible only exaggerated.
        {"a gentle slope of a 3000 km picture", -20, -20, 2.3, -1}};
    for (const auto& c : table) {
        const Light light = LightOfPlane(c.eastRise, c.southRise, c.stepKm);
        EXPECT_EQ(LightOfPlane(0, 0, c.stepKm), FlatLight) << c.name;
        if (c.brightness == 0)
            EXPECT_NEAR(light, FlatLight, FlatLight / 5) << c.name;
        else
            EXPECT_GT((light - FlatLight) * c.brightness, FlatLight / 10) << c.name;
        EXPECT_EQ(ShadeColour({160, 96, 10}, light).g > 96, c.brightness > 0) << c.name;
    }
}

} // namespace
} // namespace marn
