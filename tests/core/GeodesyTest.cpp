#include "core/Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace marn {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Exact at +-1 with the ten-digit pi, the usual functions inside, NaN outside.
TEST(ArcFunctions, MatchTheTenDigitPiAtTheEndsAndNaNOutside)
{
    const struct {
        double x, arcSin, arcCos, tolerance;
    } cases[] = {
        {-1.0, -1.570796327, 3.141592654, 0},
        {1.0, 1.570796327, 0.0, 0},
        {-0.9, std::asin(-0.9), std::acos(-0.9), 1e-9},
        {0.0, 0.0, std::acos(0.0), 1e-9},
        {0.999, std::asin(0.999), std::acos(0.999), 1e-9},
        {1.5, NaN, NaN, 0},
        {-1.5, NaN, NaN, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(std::isnan(ArcSin(c.x)), std::isnan(c.arcSin));
        EXPECT_EQ(std::isnan(ArcCos(c.x)), std::isnan(c.arcCos));
        if (!std::isnan(c.arcSin)) {
            EXPECT_NEAR(ArcSin(c.x), c.arcSin, c.tolerance);
            EXPECT_NEAR(ArcCos(c.x), c.arcCos, c.tolerance);
        }
    }
    EXPECT_NEAR(Log10(1000.0), 3.0, 1e-12);
    EXPECT_NEAR(CosDeg(60.0), 0.5, 1e-9);
    EXPECT_NEAR(SinDeg(-90.0), -1.0, 1e-12);
}

// Expected points from the spherical formulas (radius 111.2 km per degree);
// a longitude tolerance of 0 asks for the start's longitude unchanged.
TEST(DestPoint, FollowsTheGreatCircleAndKeepsMeridiansExact)
{
    const struct {
        const char* name;
        double lat, lon, bearing, km, wantLat, wantLon, lonTolerance;
    } cases[] = {
        {"up to the minimal distance", 47.25, 7.75, 90, 0.0001, 47.25, 7.75, 0},
        {"one degree east on the equator", 0, 0, 90, 111.2, 0, 1, 1e-6},
        {"half a turn east on the equator", 0, 0, 90, 111.2 * 180, 0, 180, 1e-6},
        {"one degree north", 47, 7, 0, 111.2, 48, 7, 0},
        {"south", -33.5, 151.25, 180, 500, -33.5 - 500 / 111.2, 151.25, 0},
        {"bearing 360", -33.5, 151.25, 360, 500, -33.5 + 500 / 111.2, 151.25, 0},
        {"south past the pole", -33.9, 18.4, 180, 12000, -180 + 33.9 + 12000 / 111.2, 18.4, 0},
        {"south near the north pole", 89.9, -170, 180, 500, 89.9 - 500 / 111.2, -170, 0},
        {"due west bends to the equator", 47, 7, 270, 50, 46.998108040, 6.340717369, 1e-6},
        {"east at 60 degrees", 60, 10, 90, 300, 59.890190295, 15.383773387, 1e-6},
        {"west at 60 degrees", 60, 10, 270, 300, 59.890190295, 4.616226613, 1e-6},
        {"north-east", 47, 7, 45, 1500, 55.453696402, 23.909736643, 1e-6},
        {"south-west", -33.9, 18.4, 225, 1500, -42.786029926, 5.411959975, 1e-6},
        {"east across the date line", 0, 179.9, 90, 1000, 0, 179.9 + 1000 / 111.2, 1e-6},
        {"west across the date line", 0, -179.9, 270, 1000, 0, -179.9 - 1000 / 111.2, 1e-6},
        {"from the pole", 90, 0, 90, 10, 90 - 10 / 111.2, NaN, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        double lat = 0;
        double lon = 0;
        DestPoint(c.lat, c.lon, c.bearing, c.km, lat, lon);
        EXPECT_NEAR(lat, c.wantLat, 1e-6);
        if (std::isnan(c.wantLon))
            EXPECT_TRUE(std::isfinite(lon));
        else
            EXPECT_NEAR(lon, c.wantLon, c.lonTolerance);
    }
}

} // namespace
} // namespace marn
