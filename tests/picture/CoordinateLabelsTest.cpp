#include "picture/CoordinateLabels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marn {
namespace {

// A picture 600 x 600 pixels on a 1024 x 768 screen with the design label sizes.
LabelInputs Inputs(double latSW, double latNW, double lonW, double lonE)
{
    LabelInputs in;
    in.LatSW = latSW;
    in.LatNW = latNW;
    in.LonSW = lonW;
    in.LonNW = lonW;
    in.LonSE = lonE;
    in.LonNE = lonE;
    in.PicLeft = 68.0F;
    in.PicTop = 50.0F;
    in.PicBottom = 649.0F;
    in.PicCols = 600.0F;
    in.PicRows = 600.0F;
    in.ScreenHeightPx = 768.0F;
    in.sizes = DesignCoordinateLabelSizes(15.0);
    return in;
}

std::vector<std::string> Captions(const std::vector<CoordinateLabel>& labels)
{
    std::vector<std::string> captions;
    for (const auto& label : labels) {
        captions.push_back(label.caption);
    }
    return captions;
}

std::vector<int> Indexes(const std::vector<CoordinateLabel>& labels)
{
    std::vector<int> indexes;
    for (const auto& label : labels) {
        indexes.push_back(label.index);
    }
    return indexes;
}

// ---- step choice ----

struct StepCase {
    LabelEdge edge;
    int minutes;
    int step;
};

class StepTable : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTable, StepForTheEdgeExtent)
{
    const StepCase& c = GetParam();
    EXPECT_EQ(LabelStepMinutes(c.edge, c.minutes), c.step) << c.minutes << " minutes";
}

INSTANTIATE_TEST_SUITE_P(Boundaries, StepTable,
    ::testing::Values(StepCase{LabelEdge::Left, 0, 1}, StepCase{LabelEdge::Left, 8, 1}, StepCase{LabelEdge::Left, 9, 2},
        StepCase{LabelEdge::Left, 16, 2}, StepCase{LabelEdge::Left, 17, 3}, StepCase{LabelEdge::Left, 24, 3},
        StepCase{LabelEdge::Left, 25, 5}, StepCase{LabelEdge::Left, 40, 5}, StepCase{LabelEdge::Left, 41, 10},
        StepCase{LabelEdge::Left, 80, 10}, StepCase{LabelEdge::Left, 81, 15}, StepCase{LabelEdge::Left, 120, 15},
        StepCase{LabelEdge::Left, 121, 30}, StepCase{LabelEdge::Left, 240, 30}, StepCase{LabelEdge::Left, 241, 60},
        StepCase{LabelEdge::Left, 481, 60}, StepCase{LabelEdge::Left, 1500, 60}, StepCase{LabelEdge::Bottom, 480, 60},
        StepCase{LabelEdge::Bottom, 481, 120}, StepCase{LabelEdge::Bottom, 960, 120},
        StepCase{LabelEdge::Bottom, 961, 180}, StepCase{LabelEdge::Bottom, 1440, 180},
        StepCase{LabelEdge::Bottom, 1500, 180}, StepCase{LabelEdge::Top, 481, 120}, StepCase{LabelEdge::Top, 1440, 180},
        StepCase{LabelEdge::Top, 1441, 300}, StepCase{LabelEdge::Top, 1500, 300}));

TEST(CoordinateLabels, ExtentJustBelowNineMinutesLabelsEveryMinute)
{
    const auto set = ComputeCoordinateLabels(Inputs(47.0, 47.0 + 8.9 / 60.0, 7.0, 8.0));
    EXPECT_EQ(Captions(set.LabNS), (std::vector<std::string>{"47°01'N", "47°02'N", "47°03'N", "47°04'N", "47°05'N",
                                       "47°06'N", "47°07'N", "47°08'N"}));
}

TEST(CoordinateLabels, ExtentOfNineMinutesLabelsEveryOtherMinute)
{
    // 47°03' to 47°12'; the end's own label is drawn
    const auto set = ComputeCoordinateLabels(Inputs(47.05, 47.2, 7.0, 8.0));
    EXPECT_EQ(Captions(set.LabNS), (std::vector<std::string>{"47°04'N", "47°06'N", "47°08'N", "47°10'N", "47°12'N"}));
}

// ---- first label ----

TEST(CoordinateLabels, FirstLabelIsRaisedToAMultipleOfTheStep)
{
    // 30 minutes high: step 5; start minute 31 raised to 35; the end itself is labelled.
    const auto set = ComputeCoordinateLabels(Inputs(50.5, 51.0, 7.0, 8.0));
    EXPECT_EQ(Captions(set.LabNS),
        (std::vector<std::string>{"50°35'N", "50°40'N", "50°45'N", "50°50'N", "50°55'N", "51°00'N"}));
}

TEST(CoordinateLabels, FirstSouthernLabelMayLieBelowThePicture)
{
    // -10.52 with step 2: minutes -31.2 truncated, less 1, is -32.
    const LabelInputs in = Inputs(-10.52, -10.32, 7.0, 8.0);
    const auto set = ComputeCoordinateLabels(in);
    ASSERT_FALSE(set.LabNS.empty());
    EXPECT_EQ(set.LabNS.front().index, 0);
    EXPECT_EQ(set.LabNS.front().caption, "10°32'S");
    EXPECT_GT(set.LabNS.front().tickY1, in.PicTop + in.PicRows);
    EXPECT_EQ(set.LabNS[1].caption, "10°30'S");
}

TEST(CoordinateLabels, FirstLongitudeLabelAtOrLeftOfTheEdgeStaysHidden)
{
    // -10.52 with step 2 lies west of the picture: LabEWU(0) and LabEWO(0) are not shown.
    const auto set = ComputeCoordinateLabels(Inputs(47.0, 47.2, -10.52, -10.32));
    ASSERT_FALSE(set.LabEWU.empty());
    EXPECT_EQ(set.LabEWU.front().index, 1);
    EXPECT_EQ(set.LabEWU.front().caption, "010°30'W");
    EXPECT_EQ(Indexes(set.LabEWO), Indexes(set.LabEWU));
}

TEST(CoordinateLabels, FirstLongitudeLabelOnTheEdgePixelStaysHidden)
{
    // 7°59.99': the first label 008°00'E rounds onto PicLeft's own pixel.
    LabelInputs in = Inputs(47.0, 47.2, 7.0 + 59.99 / 60.0, 8.5);
    in.PicLeft = 68.024F;
    const auto set = ComputeCoordinateLabels(in);
    ASSERT_FALSE(set.LabEWU.empty());
    EXPECT_EQ(set.LabEWU.front().index, 1);
    EXPECT_EQ(set.LabEWU.front().caption, "008°05'E");
}

TEST(CoordinateLabels, FirstLongitudeLabelInsideIsShown)
{
    const auto set = ComputeCoordinateLabels(Inputs(47.0, 47.2, 7.05, 7.95));
    ASSERT_FALSE(set.LabEWU.empty());
    EXPECT_EQ(set.LabEWU.front().index, 0);
    EXPECT_EQ(set.LabEWU.front().caption, "007°10'E");
}

// ---- crossing the equator and the prime meridian ----

TEST(CoordinateLabels, CrossingTheEquator)
{
    const auto set = ComputeCoordinateLabels(Inputs(-0.3, 0.3, 7.0, 8.0));
    EXPECT_EQ(Captions(set.LabNS),
        (std::vector<std::string>{"00°15'S", "00°10'S", "00°05'S", "00°00'N", "00°05'N", "00°10'N", "00°15'N"}));
}

TEST(CoordinateLabels, CrossingThePrimeMeridian)
{
    const auto set = ComputeCoordinateLabels(Inputs(47.0, 47.2, -1.2, 1.2));
    const std::vector<std::string> expected{"001°00'W", "000°30'W", "000°00'E", "000°30'E", "001°00'E"};
    EXPECT_EQ(Captions(set.LabEWU), expected);
    EXPECT_EQ(Captions(set.LabEWO), expected);
}

TEST(CoordinateLabels, SouthernLabelsCarryWholeDegrees)
{
    // 132 minutes high: step 30 from -12.4; from -11°30' the next step reaches -11°00', then -10°30'.
    const auto set = ComputeCoordinateLabels(Inputs(-12.4, -10.2, 7.0, 8.0));
    EXPECT_EQ(Captions(set.LabNS), (std::vector<std::string>{"12°00'S", "11°30'S", "11°00'S", "10°30'S"}));
}

TEST(CoordinateLabels, EasternLabelsCarryPastSixtyMinutes)
{
    const auto set = ComputeCoordinateLabels(Inputs(47.0, 47.2, 7.6, 8.6));
    EXPECT_EQ(Captions(set.LabEWU),
        (std::vector<std::string>{"007°40'E", "007°50'E", "008°00'E", "008°10'E", "008°20'E", "008°30'E"}));
}

// ---- limits ----

TEST(CoordinateLabels, AtMostSixteenLabelsPerEdge)
{
    // 30 degrees high: a label every degree from 11°N, the first 16 only.
    const auto set = ComputeCoordinateLabels(Inputs(10.0, 40.0, 7.0, 8.0));
    ASSERT_EQ(set.LabNS.size(), 16U);
    EXPECT_EQ(set.LabNS.front().caption, "11°00'N");
    EXPECT_EQ(set.LabNS.back().caption, "26°00'N");
    EXPECT_EQ(set.LabNS.back().index, 15);
}

TEST(CoordinateLabels, EdgeWithoutExtentHasNoLabels)
{
    LabelInputs in = Inputs(47.0, 47.0, 7.0, 8.0);
    in.PicCols = 0.0F;
    const auto set = ComputeCoordinateLabels(in);
    EXPECT_TRUE(set.LabNS.empty());
    EXPECT_TRUE(set.LabEWU.empty());
    EXPECT_TRUE(set.LabEWO.empty());
}

// ---- positions ----

TEST(CoordinatePositions, LeftEdgeTicksAndLabels)
{
    // 60 minutes over 600 rows: 0.1 minutes per pixel, a label every 10 minutes.
    const LabelInputs in = Inputs(47.0, 48.0, 7.0, 8.0);
    const auto set = ComputeCoordinateLabels(in);
    ASSERT_EQ(set.LabNS.size(), 6U);
    const CoordinateLabel& first = set.LabNS.front();
    EXPECT_EQ(first.caption, "47°10'N");
    EXPECT_EQ(first.tickY1, 650.0F - 100.0F);
    EXPECT_EQ(first.tickY2, first.tickY1);
    EXPECT_EQ(first.tickX1, in.PicLeft - 8.0F);
    EXPECT_EQ(first.tickX2, in.PicLeft - 1.0F);
    EXPECT_DOUBLE_EQ(first.top, 550.0 - 0.007 * 768.0);
    EXPECT_EQ(first.left, 0.0);
    // the north-west corner's latitude lands on PicTop
    EXPECT_EQ(set.LabNS.back().caption, "48°00'N");
    EXPECT_EQ(set.LabNS.back().tickY1, in.PicTop);
}

TEST(CoordinatePositions, BottomAndTopEdgeTicksAndLabels)
{
    LabelInputs in = Inputs(47.0, 48.0, 7.0, 8.0);
    in.PicLeft = 68.024F;
    in.sizes.LabEWOWidth[0] = 80.0F;
    in.sizes.LabEWOHeight[0] = 16.0F;
    const auto set = ComputeCoordinateLabels(in);
    ASSERT_FALSE(set.LabEWU.empty());
    ASSERT_FALSE(set.LabEWO.empty());

    const CoordinateLabel& below = set.LabEWU.front();
    EXPECT_EQ(below.caption, "007°10'E");
    EXPECT_EQ(below.tickX1, 168.0F);
    EXPECT_EQ(below.tickX2, 168.0F);
    EXPECT_EQ(below.tickY1, in.PicBottom + 1.0F);
    EXPECT_EQ(below.tickY2, in.PicBottom + 8.0F);
    EXPECT_DOUBLE_EQ(below.top, in.PicBottom + 12.0);
    EXPECT_DOUBLE_EQ(below.left, 168.0 - 1065.0 / 15.0 / 2.0);

    const CoordinateLabel& above = set.LabEWO.front();
    EXPECT_EQ(above.tickX1, 168.0F);
    EXPECT_EQ(above.tickY1, in.PicTop - 1.0F);
    EXPECT_EQ(above.tickY2, in.PicTop - 8.0F);
    EXPECT_DOUBLE_EQ(above.top, in.PicTop - 13.0 - 16.0);
    EXPECT_DOUBLE_EQ(above.left, 168.0 - 40.0);
}

TEST(CoordinatePositions, HalfPixelsGoToTheEvenPixel)
{
    LabelInputs in = Inputs(47.0, 48.0, 7.0, 8.0);
    in.PicLeft = 100.5F;
    EXPECT_EQ(ComputeCoordinateLabels(in).LabEWU.front().tickX1, 200.0F);
    in.PicLeft = 101.5F;
    EXPECT_EQ(ComputeCoordinateLabels(in).LabEWU.front().tickX1, 202.0F);
}

TEST(CoordinatePositions, InputsComeFromTheSharedState)
{
    SharedState state;
    state.LatNW = 48.0;
    state.LatSW = 47.0;
    state.LonSW = 7.0;
    state.LonSE = 8.0;
    state.LonNW = 6.9;
    state.LonNE = 8.1;
    state.PicLeft = 68.024F;
    state.PicTop = 55.768F;
    state.PicBottom = 635.32F;
    state.PicCols = 639.536F;
    state.PicRows = 580.552F;
    state.ScreenHeightPx = 768.0F;
    const LabelInputs in = LabelInputsFrom(state, DesignCoordinateLabelSizes(15.0));
    EXPECT_EQ(in.LatNW, 48.0);
    EXPECT_EQ(in.LatSW, 47.0);
    EXPECT_EQ(in.LonSW, 7.0);
    EXPECT_EQ(in.LonSE, 8.0);
    EXPECT_EQ(in.LonNW, 6.9);
    EXPECT_EQ(in.LonNE, 8.1);
    EXPECT_EQ(in.PicLeft, 68.024F);
    EXPECT_EQ(in.PicRows, 580.552F);
    EXPECT_EQ(in.ScreenHeightPx, 768.0F);
    EXPECT_FLOAT_EQ(in.sizes.LabEWUWidth[15], 71.0F);
    EXPECT_FLOAT_EQ(in.sizes.LabEWOWidth[0], 75.0F);
    EXPECT_FLOAT_EQ(in.sizes.LabEWOHeight[3], 15.0F);
}

} // namespace
} // namespace marn
