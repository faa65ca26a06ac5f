#include "core/Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>

namespace marn {
namespace {

// Differences that come only from the ten-digit pi and double rounding.
constexpr double RoundingTolerance = 1e-9;
// cos(90 deg) and cos(270 deg) are not exact opposites with the ten-digit pi.
constexpr double BearingAsymmetryTolerance = 1e-8;
// Values stated to a handful of digits.
constexpr double StatedDigitsTolerance = 1e-6;

TEST(ArcFunctions, ExactEndsUseTheTenDigitPi)
{
    EXPECT_EQ(ArcCos(-1.0), 3.141592654);
    EXPECT_EQ(ArcCos(1.0), 0.0);
    EXPECT_EQ(ArcSin(-1.0), -1.570796327);
    EXPECT_EQ(ArcSin(1.0), 1.570796327);
}

TEST(ArcFunctions, InsideTheRangeFollowTheArcTangentForm)
{
    struct Case {
        double x;
    };
    for (const Case c : {Case{-0.9}, Case{-0.5}, Case{0.0}, Case{0.25}, Case{0.999}}) {
        SCOPED_TRACE(c.x);
        EXPECT_NEAR(ArcSin(c.x), std::asin(c.x), RoundingTolerance);
        EXPECT_NEAR(ArcCos(c.x), std::acos(c.x), RoundingTolerance);
        EXPECT_EQ(ArcCos(c.x), 3.141592654 / 2 - std::atan(c.x / std::sqrt(1 - c.x * c.x)));
    }
}

TEST(ArcFunctions, OutsideTheRangeGiveNotANumber)
{
    EXPECT_TRUE(std::isnan(ArcSin(1.5)));
    EXPECT_TRUE(std::isnan(ArcCos(-1.5)));
}

TEST(Log10, IsNaturalLogOverLnTen)
{
    EXPECT_NEAR(Log10(1000.0), 3.0, RoundingTolerance);
    EXPECT_EQ(Log10(1.0), 0.0);
    EXPECT_EQ(Log10(250.0), std::log(250.0) / std::log(10.0));
    EXPECT_TRUE(std::isinf(Log10(0.0)));
}

TEST(DegreeFunctions, ConvertWithTheTenDigitPi)
{
    EXPECT_EQ(CosDeg(60.0), std::cos(60.0 * 3.141592654 / 180));
    EXPECT_EQ(SinDeg(30.0), std::sin(30.0 * 3.141592654 / 180));
    EXPECT_NEAR(CosDeg(90.0), 0.0, RoundingTolerance);
    EXPECT_NEAR(SinDeg(-90.0), -1.0, RoundingTolerance);
}

TEST(DestPoint, ReturnsTheStartPointUpToTheMinimalDistance)
{
    double lat2 = 0;
    double lon2 = 0;
    DestPoint(47.25, 7.75, 90, 0.0001, lat2, lon2);
    EXPECT_EQ(lat2, 47.25);
    EXPECT_EQ(lon2, 7.75);
    DestPoint(47.25, 7.75, 90, 0.0, lat2, lon2);
    EXPECT_EQ(lon2, 7.75);
    DestPoint(47.25, 7.75, 90, 0.00011, lat2, lon2);
    EXPECT_GT(lon2, 7.75);
}

TEST(DestPoint, OneDegreeOfArcAlongTheEquatorAndTheMeridian)
{
    double lat2 = 0;
    double lon2 = 0;
    DestPoint(0, 0, 90, 111.2, lat2, lon2);
    EXPECT_NEAR(lat2, 0.0, RoundingTolerance);
    EXPECT_NEAR(lon2, 1.0, StatedDigitsTolerance);

    DestPoint(47, 7, 0, 111.2, lat2, lon2);
    EXPECT_NEAR(lat2, 48.0, StatedDigitsTolerance);
    EXPECT_EQ(lon2, 7.0);
}

TEST(DestPoint, MeridianBearingsKeepTheLongitudeExactly)
{
    for (const double bearing : {0.0, 180.0, 360.0}) {
        SCOPED_TRACE(bearing);
        double lat2 = 0;
        double lon2 = 0;
        DestPoint(-33.5, 151.25, bearing, 500, lat2, lon2);
        EXPECT_EQ(lon2, 151.25);
        EXPECT_NEAR(std::abs(lat2 + 33.5), 500 / 111.2, StatedDigitsTolerance);
    }
}

TEST(DestPoint, DueWestLeavesTheParallelTowardsTheEquator)
{
    double lat2 = 0;
    double lon2 = 0;
    DestPoint(47, 7, 270, 50, lat2, lon2);
    EXPECT_LT(lon2, 7.0);
    EXPECT_LT(lat2, 47.0);
    EXPECT_GT(lat2, 46.99);
}

TEST(DestPoint, EastAndWestAreMirrorImages)
{
    double latE = 0;
    double lonE = 0;
    double latW = 0;
    double lonW = 0;
    DestPoint(60, 10, 90, 300, latE, lonE);
    DestPoint(60, 10, 270, 300, latW, lonW);
    EXPECT_NEAR(latE, latW, BearingAsymmetryTolerance);
    EXPECT_NEAR(lonE - 10, 10 - lonW, BearingAsymmetryTolerance);
}

TEST(DestPoint, LongitudesAreNotNormalised)
{
    double lat2 = 0;
    double lon2 = 0;
    DestPoint(0, 179.9, 90, 1000, lat2, lon2);
    EXPECT_GT(lon2, 180.0);
    DestPoint(0, -179.9, 270, 1000, lat2, lon2);
    EXPECT_LT(lon2, -180.0);
}

TEST(DestPoint, ArgumentsBeyondTheSphereAreClampedNotFailed)
{
    double lat2 = 0;
    double lon2 = 0;
    DestPoint(90, 0, 90, 10, lat2, lon2);
    EXPECT_TRUE(std::isfinite(lat2));
    EXPECT_TRUE(std::isfinite(lon2));
    EXPECT_LE(lat2, 90.0);
    DestPoint(0, 0, 90, 111.2 * 180, lat2, lon2);
    EXPECT_NEAR(lon2, 180.0, StatedDigitsTolerance);
}

} // namespace
} // namespace marn

namespace marn {
namespace {

// The destination written out step by step, one expression per step, as the
// check that DestPoint (and its parts) evaluate every step in the same order.
void StepByStepDestPoint(double lat1, double lon1, double bearing, double distKm, double& lat2, double& lon2)
{
    const double pi = 3.141592654;
    const double delta = distKm / 111.2;
    const double cd = std::cos(delta * pi / 180);
    const double phi1 = lat1 * pi / 180;
    const double theta = bearing * pi / 180;
    if (distKm <= 0.0001) {
        lat2 = lat1;
        lon2 = lon1;
        return;
    }
    const double sd = std::sin(delta * pi / 180);
    double x = (std::cos(theta) + std::sin(phi1) * cd / (std::cos(phi1) * sd)) * (std::cos(phi1) * sd);
    x = x > 1 ? 1 : (x < -1 ? -1 : x);
    const double phi2 = (x == 1 || x == -1) ? x * pi / 2 : std::atan(x / std::sqrt(1 - x * x));
    lat2 = phi2 * 180 / pi;
    if (bearing == 0 || bearing == 180 || bearing == 360) {
        lon2 = lon1;
        return;
    }
    double y = (cd - std::sin(phi1) * std::sin(phi2)) / (std::cos(phi1) * std::cos(phi2));
    y = y > 1 ? 1 : (y < -1 ? -1 : y);
    const double arcCos = y == -1 ? pi : (y == 1 ? 0 : pi / 2 - std::atan(y / std::sqrt(1 - y * y)));
    const double deltaLon = arcCos * 180 / pi;
    lon2 = bearing < 180 ? lon1 + deltaLon : lon1 - deltaLon;
}

TEST(DestPoint, EvaluatesEveryStepInTheStatedOrder)
{
    const double starts[][2] = {{47, 7}, {-33.9, 18.4}, {0, 0}, {89.9, -170}, {-60.25, 300.5}};
    const double bearings[] = {0, 45, 90, 180, 225, 270, 360};
    const double distances[] = {0.0001, 0.00011, 0.0625, 24.96875, 1500, 12000};
    for (const auto& start : starts) {
        for (const double bearing : bearings) {
            for (const double km : distances) {
                SCOPED_TRACE(testing::Message() << start[0] << " " << start[1] << " " << bearing << " " << km);
                double lat = 0;
                double lon = 0;
                double wantLat = 0;
                double wantLon = 0;
                StepByStepDestPoint(start[0], start[1], bearing, km, wantLat, wantLon);
                DestPoint(start[0], start[1], bearing, km, lat, lon);
                EXPECT_EQ(lat, wantLat);
                EXPECT_EQ(lon, wantLon);
                DestPoint(TrigOfStart(start[0], start[1]), TrigOfBearing(bearing), TrigOfDistance(km), lat, lon);
                EXPECT_EQ(lat, wantLat);
                EXPECT_EQ(lon, wantLon);
            }
        }
    }
}

} // namespace
} // namespace marn
