#include "output/PrintFit.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

struct OrientationCase {
    double width, height;
    PageOrientation expected;
};

class OrientationByShape : public testing::TestWithParam<OrientationCase> {};

TEST_P(OrientationByShape, FollowsThePicturesShape)
{
    const OrientationCase& c = GetParam();
    EXPECT_EQ(OrientationFor(c.width, c.height), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, OrientationByShape,
    testing::Values(OrientationCase{1024, 740, PageOrientation::Landscape},
        OrientationCase{801, 800, PageOrientation::Landscape}, OrientationCase{800, 800, PageOrientation::Portrait},
        OrientationCase{600, 800, PageOrientation::Portrait}));

struct FitCase {
    const char* name;
    double pictureWidth, pictureHeight;
    HiMetricSize printable;
    HiMetricSize expected;
};

class FitToPrintableArea : public testing::TestWithParam<FitCase> {};

TEST_P(FitToPrintableArea, KeepsProportionsAndFillsOneSide)
{
    const FitCase& c = GetParam();
    const HiMetricSize fit = FitToPrintable(c.pictureWidth, c.pictureHeight, c.printable);
    EXPECT_NEAR(fit.width, c.expected.width, 0.01);
    EXPECT_NEAR(fit.height, c.expected.height, 0.01);
    EXPECT_NEAR(fit.width / fit.height, c.pictureWidth / c.pictureHeight, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Pages, FitToPrintableArea,
    testing::Values(
        // 27.7 cm x 19 cm landscape, ratio 1.6: 27.7 cm wide, about 17.3 cm high.
        FitCase{"LandscapeWidthFits", 1600, 1000, {27700, 19000}, {27700, 17312.5}},
        FitCase{"LandscapeHeightFits", 1000, 800, {27700, 19000}, {23750, 19000}},
        FitCase{"PortraitWidthFits", 600, 800, {19000, 27700}, {19000, 25333.333}},
        FitCase{"PortraitHeightFits", 400, 800, {19000, 27700}, {13850, 27700}},
        FitCase{"EqualRatiosFillBoth", 277, 190, {27700, 19000}, {27700, 19000}}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(FitToPrintableArea, TakesThePrintableSizeInSinglePrecision)
{
    const HiMetricSize fit = FitToPrintable(1, 1, {0.1, 100000.0});
    EXPECT_EQ(fit.width, static_cast<double>(0.1F));
}

} // namespace
} // namespace marn
