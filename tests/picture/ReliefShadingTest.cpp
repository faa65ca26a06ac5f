// Relief shading of plain height grids: a plane facing the north-west light
// is brighter than flat ground, one facing away darker.

#include "picture/ReliefShading.h"

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

struct PlaneCase {
    const char* name;
    int eastRise, southRise;
    double stepKm;  // ground between grid points
    int brightness; // against flat ground: 1 brighter, -1 darker, 0 about the same
};

class ShadedPlane : public ::testing::TestWithParam<PlaneCase> {};

TEST_P(ShadedPlane, IsLitByHowItFacesTheNorthWest)
{
    const PlaneCase& c = GetParam();
    const GroundSpacing spacing{c.stepKm, c.stepKm};
    const Light light = ReliefLight(Plane(c.eastRise, c.southRise), Size, Size, spacing)[Size * Size / 2];
    EXPECT_EQ(ReliefLight(Plane(0, 0), Size, Size, spacing)[Size * Size / 2], FlatLight);
    if (c.brightness == 0)
        EXPECT_NEAR(light, FlatLight, FlatLight / 5);
    else
        EXPECT_GT((light - FlatLight) * c.brightness, FlatLight / 10);
    EXPECT_EQ(ShadeColour({160, 96, 10}, light).g > 96, c.brightness > 0);
}

INSTANTIATE_TEST_SUITE_P(Planes, ShadedPlane,
    ::testing::Values(PlaneCase{"TiltedTowardsTheLight", 10, 10, 0.05, 1},
        PlaneCase{"TiltedAwayFromTheLight", -10, -10, 0.05, -1}, PlaneCase{"FacingWest", 10, 0, 0.05, 1},
        PlaneCase{"FacingSouth", 0, -10, 0.05, -1}, PlaneCase{"FacingNorthEastAcrossTheLight", -10, 10, 0.05, 0},
        // 20 m over 2.3 km is a slope of half a degree: visible only exaggerated.
        PlaneCase{"AGentleSlopeOfAThreeThousandKmPicture", -20, -20, 2.3, -1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
