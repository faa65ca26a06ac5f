// Relief shading of plain height grids: a plane facing the north-west light
// is brighter than flat ground, one facing away darker.

#include "picture/ReliefShading.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

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
