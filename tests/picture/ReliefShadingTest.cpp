// Relief shading of plain height grids: planes facing the north-west light
// come out brighter than flat ground, planes facing away darker, and points
// without data keep their colour.

#include "picture/ReliefShading.h"

#include "core/SharedState.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

constexpr int Size = 5;

// A plane rising by the given metres per grid step towards the east and the south.
HeightGrid Plane(int eastRise, int southRise)
{
    HeightGrid grid;
    grid.dimension(Size, Size);
    for (int j = 1; j <= Size; ++j) {
        for (int i = 1; i <= Size; ++i)
            grid(i, j) = static_cast<std::int16_t>(1000 + eastRise * i + southRise * j);
    }
    return grid;
}

Light MiddleLight(const HeightGrid& grid)
{
    return ReliefLight(grid, Size, Size, {0.05, 0.05})[(Size / 2) * Size + Size / 2];
}

struct PlaneCase {
    const char* name;
    int eastRise;
    int southRise;
    int brightness; // against flat ground: 1 brighter, -1 darker, 0 the same
};

void PrintTo(const PlaneCase& c, std::ostream* os)
{
    *os << c.name;
}

class ShadedPlane : public ::testing::TestWithParam<PlaneCase> {};

TEST_P(ShadedPlane, IsLitByHowItFacesTheNorthWest)
{
    const PlaneCase& c = GetParam();
    const Light light = MiddleLight(Plane(c.eastRise, c.southRise));
    EXPECT_EQ(MiddleLight(Plane(0, 0)), FlatLight);
    if (c.brightness > 0)
        EXPECT_GT(light, FlatLight + 2);
    else if (c.brightness < 0)
        EXPECT_LT(light, FlatLight - 2);
    else
        EXPECT_NEAR(light, FlatLight, FlatLight / 5);
    const Rgb shaded = ShadeColour({160, 96, 10}, light);
    EXPECT_EQ(shaded.g > 96, c.brightness > 0);
}

INSTANTIATE_TEST_SUITE_P(Planes, ShadedPlane,
    ::testing::Values(PlaneCase{"TiltedTowardsTheLight", 10, 10, 1}, PlaneCase{"TiltedAwayFromTheLight", -10, -10, -1},
        PlaneCase{"FacingWest", 10, 0, 1}, PlaneCase{"FacingSouth", 0, -10, -1},
        PlaneCase{"FacingNorthEastAcrossTheLight", -10, 10, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReliefShading, NoDataPointsStayFlatAndTheirNeighboursTakeTheSlopeFromTheOtherSide)
{
    HeightGrid grid = Plane(10, 10);
    for (int j = 1; j <= Size; ++j)
        grid(3, j) = NoData;
    const std::vector<Light> light = ReliefLight(grid, Size, Size, {0.05, 0.05});
    const Light lit = MiddleLight(Plane(10, 10));
    for (int j = 1; j <= Size; ++j) {
        EXPECT_EQ(light[(j - 1) * Size + 2], FlatLight) << j;
        EXPECT_EQ(light[(j - 1) * Size + 1], lit) << j;
        EXPECT_EQ(light[(j - 1) * Size + 3], lit) << j;
    }
    EXPECT_EQ(ShadeColour({184, 184, 184}, FlatLight), (Rgb{184, 184, 184}));
}

TEST(ReliefShading, ExaggeratesMoreTheLargerThePixel)
{
    EXPECT_EQ(VerticalExaggeration(0.01), 1.0);
    EXPECT_GT(VerticalExaggeration(2.3), 10.0);
    // The same 20 m step between neighbours: flat-looking at 2.3 km per pixel
    // without exaggeration, visible with it.
    HeightGrid grid = Plane(-20, -20);
    EXPECT_LT(ReliefLight(grid, Size, Size, {2.3, 2.3})[12], FlatLight * 9 / 10);
}

} // namespace
} // namespace marn
