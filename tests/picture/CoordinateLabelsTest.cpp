#include "picture/CoordinateLabels.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace marn {
namespace {

// A picture 600 x 600 pixels on a 1024 x 768 screen with the design label
// sizes.
LabelInputs Inputs(double latSW, double latNW, double lonW, double lonE, float picLeft = 68.0F)
{
    LabelInputs in;
    in.LatSW = latSW;
    in.LatNW = latNW;
    in.LonSW = in.LonNW = lonW;
    in.LonSE = in.LonNE = lonE;
    in.PicLeft = picLeft;
    in.PicTop = 50.0F;
    in.PicBottom = 649.0F;
    in.PicCols = in.PicRows = 600.0F;
    in.ScreenHeightPx = 768.0F;
    in.sizes = DesignCoordinateLabelSizes(15.0);
    return in;
}

TEST(CoordinateLabels, StepGrowsWithTheEdgeExtent)
{
    using enum LabelEdge;
    const struct {
        LabelEdge edge;
        int minutes, step;
    } table[] = {{Left, 8, 1}, {Left, 9, 2}, {Left, 16, 2}, {Left, 17, 3}, {Left, 24, 3}, {Left, 25, 5}, {Left, 40, 5},
        {Left, 41, 10}, {Left, 80, 10}, {Left, 81, 15}, {Left, 120, 15}, {Left, 121, 30}, {Left, 240, 30},
        {Left, 241, 60}, {Left, 1500, 60}, {Bottom, 480, 60}, {Bottom, 481, 120}, {Bottom, 960, 120},
        {Bottom, 961, 180}, {Bottom, 1500, 180}, {Top, 1440, 180}, {Top, 1441, 300}};
    for (const auto& c : table)
        EXPECT_EQ(LabelStepMinutes(c.edge, c.minutes), c.step) << static_cast<int>(c.edge) << ", " << c.minutes;
}

TEST(CoordinateLabels, EachEdgeLabelledFromTheFirstMultipleOfTheStep)
{
    const auto NS = &CoordinateLabelSet::LabNS;
    const auto EW = &CoordinateLabelSet::LabEWU;
    const struct {
        LabelInputs in;
        std::vector<CoordinateLabel> CoordinateLabelSet::*edge;
        int firstIndex; // a first label at or beyond the western edge stays hidden
        std::vector<std::string> captions;
    } table[] = {{Inputs(47.05, 47.2, 7.0, 8.0), NS, 0, {"47°04'N", "47°06'N", "47°08'N", "47°10'N", "47°12'N"}},
        {Inputs(-10.52, -10.32, 7.0, 8.0), NS, 0,
            {"10°32'S", "10°30'S", "10°28'S", "10°26'S", "10°24'S", "10°22'S", "10°20'S"}},
        {Inputs(-12.4, -10.2, 7.0, 8.0), NS, 0, {"12°00'S", "11°30'S", "11°00'S", "10°30'S"}},
        {Inputs(-0.3, 0.3, 7.0, 8.0), NS, 0,
            {"00°15'S", "00°10'S", "00°05'S", "00°00'N", "00°05'N", "00°10'N", "00°15'N"}},
        {Inputs(47.0, 47.2, -10.52, -10.32), EW, 1,
            {"010°30'W", "010°28'W", "010°26'W", "010°24'W", "010°22'W", "010°20'W"}},
        {Inputs(47.0, 47.2, 7.0 + 59.99 / 60.0, 8.5, 68.024F), EW, 1, // 008°00' rounds onto PicLeft's pixel
            {"008°05'E", "008°10'E", "008°15'E", "008°20'E", "008°25'E", "008°30'E"}},
        {Inputs(47.0, 47.2, -1.2, 1.2), EW, 0, {"001°00'W", "000°30'W", "000°00'E", "000°30'E", "001°00'E"}},
        {Inputs(47.0, 47.2, 7.6, 8.6), EW, 0,
            {"007°40'E", "007°50'E", "008°00'E", "008°10'E", "008°20'E", "008°30'E"}}};
    for (const auto& c : table) {
        const CoordinateLabelSet set = ComputeCoordinateLabels(c.in);
        std::vector<std::string> captions;
        for (const CoordinateLabel& label : set.*c.edge)
            captions.push_back(label.caption);
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ((set.*c.edge).empty() ? -1 : (set.*c.edge).front().index, c.firstIndex) << c.captions[0];
        EXPECT_EQ(set.LabEWO.size(), set.LabEWU.size()) << c.captions[0];
    }
}

TEST(CoordinateLabels, AtMostSixteenPerEdgeAndNoneWithoutExtent)
{
    const auto set = ComputeCoordinateLabels(Inputs(10.0, 40.0, 7.0, 8.0)); // a label every degree from 11°N
    ASSERT_EQ(set.LabNS.size(), 16U);
    EXPECT_EQ(set.LabNS.back().caption, "26°00'N");
    EXPECT_EQ(set.LabNS.back().index, 15);
    LabelInputs empty = Inputs(47.0, 47.0, 7.0, 8.0);
    empty.PicCols = 0.0F;
    EXPECT_TRUE(ComputeCoordinateLabels(empty).LabNS.empty());
    EXPECT_TRUE(ComputeCoordinateLabels(empty).LabEWU.empty());
}

TEST(CoordinateLabels, TicksAndLabelsSitOutsideTheirEdge)
{
    // 60 minutes over 600 pixels: a label every 10 minutes, 100 pixels apart.
    LabelInputs in = Inputs(47.0, 48.0, 7.0, 8.0, 68.024F);
    in.sizes.LabEWOWidth[0] = 80.0F;
    in.sizes.LabEWOHeight[0] = 16.0F;
    const auto set = ComputeCoordinateLabels(in);
    ASSERT_EQ(set.LabNS.size(), 6U);
    const CoordinateLabel &left = set.LabNS.front(), &below = set.LabEWU.front(), &above = set.LabEWO.front();
    EXPECT_EQ(std::tuple(left.tickX1, left.tickY1, left.tickX2, left.tickY2),
        std::tuple(in.PicLeft - 8.0F, 550.0F, in.PicLeft - 1.0F, 550.0F));
    EXPECT_DOUBLE_EQ(left.top, 550.0 - 0.007 * 768.0);
    EXPECT_EQ(set.LabNS.back().tickY1,
        in.PicTop); // the north-west corner lands on PicTop
    EXPECT_EQ(std::tuple(below.tickX1, below.tickY1, below.tickX2, below.tickY2),
        std::tuple(168.0F, in.PicBottom + 1.0F, 168.0F, in.PicBottom + 8.0F));
    EXPECT_DOUBLE_EQ(below.top, in.PicBottom + 12.0);
    EXPECT_DOUBLE_EQ(below.left, 168.0 - 1065.0 / 15.0 / 2.0);
    EXPECT_EQ(
        std::tuple(above.tickX1, above.tickY1, above.tickY2), std::tuple(168.0F, in.PicTop - 1.0F, in.PicTop - 8.0F));
    EXPECT_DOUBLE_EQ(above.top, in.PicTop - 13.0 - 16.0);
    EXPECT_DOUBLE_EQ(above.left, 168.0 - 40.0);
}

} // namespace
} // namespace marn
