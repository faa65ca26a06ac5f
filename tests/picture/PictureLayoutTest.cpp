#include "picture/PictureLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace marn {
namespace {

constexpr double At96Dpi = 15.0;

TEST(PictureLayout, DesignLabelSizesAt96Dpi)
{
    const LabelDesignSizes sizes = DesignLabelSizes(At96Dpi, 300.0F, 120.0F);
    EXPECT_FLOAT_EQ(sizes.labNSWidth, 50.0F);
    EXPECT_FLOAT_EQ(sizes.label1Height, 22.0F);
    EXPECT_FLOAT_EQ(sizes.labEWOHeight, 15.0F);
    EXPECT_FLOAT_EQ(sizes.labEWUHeight, 14.0F);
    EXPECT_FLOAT_EQ(sizes.label1Width, 300.0F);
    EXPECT_FLOAT_EQ(sizes.label3Width, 120.0F);
}

TEST(PictureLayout, DesignLabelSizesScaleWithTheDpi)
{
    const LabelDesignSizes sizes = DesignLabelSizes(12.0, 0.0F, 0.0F); // 120 dpi
    EXPECT_FLOAT_EQ(sizes.labNSWidth, 62.5F);
    EXPECT_FLOAT_EQ(sizes.label1Height, 27.5F);
}

TEST(PictureLayout, Screen1024x768)
{
    const PictureLayout l = ComputePictureLayout(1024, 768, At96Dpi, 300.0F, 120.0F);
    EXPECT_EQ(l.ScreenWidthPx, 1024.0F);
    EXPECT_EQ(l.ScreenHeightPx, 768.0F);
    EXPECT_EQ(l.LegendStep, 0.035F);
    EXPECT_EQ(l.ReadoutFontSize, 11);
    EXPECT_TRUE(l.Label1FontSize12);
    EXPECT_EQ(l.SwatchSize, 25);
    EXPECT_EQ(l.PicLeft, static_cast<float>(68.024));
    EXPECT_EQ(l.PicRight, static_cast<float>(706.56));
    EXPECT_EQ(l.PicTop, static_cast<float>(55.768));
    EXPECT_EQ(l.PicBottom, static_cast<float>(635.32));
    EXPECT_EQ(std::floor(l.PicCols), 639.0F);
    EXPECT_EQ(std::floor(l.PicRows), 580.0F);
    EXPECT_FLOAT_EQ(l.LegendRows[0].y, 115.2F);
    EXPECT_FLOAT_EQ(l.LegendRows[11].y, static_cast<float>((0.15 + 11 * 0.035) * 768));
    EXPECT_FLOAT_EQ(l.LegendSwatches[1].y, static_cast<float>((0.145 + 0.035) * 768));
    EXPECT_FLOAT_EQ(l.LegendSwatches[0].x, static_cast<float>(0.835 * 1024));
}

TEST(PictureLayout, WindowSurfaceAndTitleLines)
{
    const PictureLayout l = ComputePictureLayout(1024, 768, At96Dpi, 300.0F, 120.0F);
    EXPECT_EQ(l.Window.left, 0.0F);
    EXPECT_EQ(l.Window.top, 0.0F);
    EXPECT_EQ(l.Window.width, 1024.0F);
    EXPECT_FLOAT_EQ(l.Window.height, 0.964F * 768.0F);
    EXPECT_FLOAT_EQ(l.Picture1.left, 1.024F);
    EXPECT_FLOAT_EQ(l.Picture1.top, 3.84F);
    EXPECT_FLOAT_EQ(l.Picture1.width, 0.999F * 1024.0F);
    EXPECT_FLOAT_EQ(l.Picture1.height, 0.955F * 768.0F);
    EXPECT_FLOAT_EQ(l.Command1.x, 0.87F * 1024.0F);
    EXPECT_FLOAT_EQ(l.Command1.y, 0.81F * 768.0F);
    EXPECT_FLOAT_EQ(l.Label1.x, 512.0F - 150.0F);           // centred
    EXPECT_FLOAT_EQ(l.Label3.x, 0.975F * 1024.0F - 120.0F); // right-aligned
    EXPECT_FLOAT_EQ(l.Label1.y, 0.768F);
    EXPECT_FLOAT_EQ(l.Label3.y, 0.768F);
    EXPECT_FLOAT_EQ(l.MinimumLabel.y, 0.043F * 768.0F);
    EXPECT_FLOAT_EQ(l.MaximumLabel.y, 0.072F * 768.0F);
    EXPECT_FLOAT_EQ(l.LegendHeading.y, 0.11F * 768.0F);
}

struct ScreenHeightCase {
    int height;
    float legendStep;
    std::int16_t fontSize;
    bool title12;
    std::int16_t swatch;
};

class ScreenHeightTable : public ::testing::TestWithParam<ScreenHeightCase> {};

TEST_P(ScreenHeightTable, LegendAndFontsFollowTheScreenHeight)
{
    const ScreenHeightCase& c = GetParam();
    const PictureLayout l = ComputePictureLayout(1600, c.height, At96Dpi, 0.0F, 0.0F);
    EXPECT_EQ(l.LegendStep, c.legendStep);
    EXPECT_EQ(l.ReadoutFontSize, c.fontSize);
    EXPECT_EQ(l.Label1FontSize12, c.title12);
    EXPECT_EQ(l.SwatchSize, c.swatch);
}

INSTANTIATE_TEST_SUITE_P(Heights, ScreenHeightTable,
    ::testing::Values(ScreenHeightCase{768, 0.035F, 11, true, 25}, ScreenHeightCase{999, 0.035F, 11, true, 33},
        ScreenHeightCase{1000, 0.04F, 12, false, 33}, ScreenHeightCase{1080, 0.04F, 12, false, 36},
        ScreenHeightCase{1200, 0.04F, 12, false, 40}));

TEST(PictureLayout, PictureAreaCountsBothEdges)
{
    const PictureLayout l = ComputePictureLayout(1920, 1080, At96Dpi, 0.0F, 0.0F);
    EXPECT_FLOAT_EQ(l.PicCols, l.PicRight - l.PicLeft + 1.0F);
    EXPECT_FLOAT_EQ(l.PicRows, l.PicBottom - l.PicTop + 1.0F);
}

TEST(FrameLines, OnePixelOutsideThePictureArea)
{
    const auto lines = FrameLines(68.0F, 55.5F, 706.5F, 635.0F);
    const PxLine expected[4] = {
        {67.0F, 54.5F, 707.5F, 54.5F},
        {67.0F, 636.0F, 707.5F, 636.0F},
        {67.0F, 54.5F, 67.0F, 636.0F},
        {707.5F, 54.5F, 707.5F, 636.0F},
    };
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(lines[k].x1, expected[k].x1) << k;
        EXPECT_EQ(lines[k].y1, expected[k].y1) << k;
        EXPECT_EQ(lines[k].x2, expected[k].x2) << k;
        EXPECT_EQ(lines[k].y2, expected[k].y2) << k;
    }
}

struct StepCase {
    float raw;
    float stepped;
};

class ScaleStepTable : public ::testing::TestWithParam<StepCase> {};

TEST_P(ScaleStepTable, StepsTheScaleDown)
{
    EXPECT_EQ(StepScaleKm(GetParam().raw), GetParam().stepped) << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(Lengths, ScaleStepTable,
    ::testing::Values(StepCase{2.7F, 2.7F}, StepCase{4.99F, 4.99F}, StepCase{5.0F, 5.0F}, StepCase{7.3F, 5.0F},
        StepCase{9.99F, 5.0F}, StepCase{10.0F, 10.0F}, StepCase{19.9F, 10.0F}, StepCase{20.0F, 20.0F},
        StepCase{49.9F, 20.0F}, StepCase{50.0F, 50.0F}, StepCase{99.9F, 50.0F}, StepCase{100.0F, 100.0F},
        StepCase{199.9F, 100.0F}, StepCase{200.0F, 200.0F}, StepCase{499.9F, 200.0F}, StepCase{500.0F, 500.0F},
        StepCase{999.9F, 500.0F}, StepCase{1000.0F, 1000.0F}, StepCase{1268.5F, 1000.0F}, StepCase{9000.0F, 1000.0F}));

TEST(ScaleBar, LargeAreaOnA1280WideScreen)
{
    const PictureLayout l = ComputePictureLayout(1280, 1024, At96Dpi, 0.0F, 0.0F);
    EXPECT_FLOAT_EQ(l.PicCols, 815.92F);
    const ScaleBar bar = ComputeScaleBar(3000, l.PicCols, l.ScreenWidthPx, l.ScreenHeightPx);
    EXPECT_EQ(bar.km, 1000.0F);
    EXPECT_EQ(bar.caption, "Scale for 1000 km");
    EXPECT_FLOAT_EQ(bar.x0, 0.72F * 1280.0F);
    EXPECT_EQ(bar.x1 - bar.x0, 271.0F);
    EXPECT_FLOAT_EQ(bar.y, 0.795F * 1024.0F);
    EXPECT_FLOAT_EQ(bar.captionPos.x, 0.72F * 1280.0F);
    EXPECT_FLOAT_EQ(bar.captionPos.y, 0.75F * 1024.0F);
}

TEST(ScaleBar, EndMarksAndBar)
{
    const ScaleBar bar = ComputeScaleBar(50, 639.536F, 1024.0F, 768.0F);
    // 50 / 639.536 * 276 = 21.6 km, stepped to 20 km: floor(639.536 * 20 / 50) = 255 pixels
    EXPECT_EQ(bar.km, 20.0F);
    EXPECT_EQ(bar.caption, "Scale for 20 km");
    EXPECT_EQ(bar.x1 - bar.x0, 255.0F);
    EXPECT_EQ(bar.lines[0].x1, bar.x0);
    EXPECT_EQ(bar.lines[0].y1, bar.y - 5.0F);
    EXPECT_EQ(bar.lines[0].y2, bar.y + 6.0F);
    EXPECT_EQ(bar.lines[1].x1, bar.x0);
    EXPECT_EQ(bar.lines[1].x2, bar.x1);
    EXPECT_EQ(bar.lines[1].y1, bar.y);
    EXPECT_EQ(bar.lines[2].x1, bar.x1);
    EXPECT_EQ(bar.lines[2].x2, bar.x1);
}

TEST(ScaleBar, ShortBarKeepsItsRawLengthRounded)
{
    // 20 / 2000 * 270 = 2.7 km stays 2.7 km and reads 3 km
    const ScaleBar bar = ComputeScaleBar(20, 2000.0F, 1000.0F, 800.0F);
    EXPECT_FLOAT_EQ(bar.km, 2.7F);
    EXPECT_EQ(bar.caption, "Scale for 3 km");
}

TEST(ScaleBar, RejectsAnEmptyArea)
{
    EXPECT_THROW(ComputeScaleBar(0, 639.0F, 1024.0F, 768.0F), std::invalid_argument);
    EXPECT_THROW(ComputeScaleBar(50, 0.0F, 1024.0F, 768.0F), std::invalid_argument);
}

} // namespace
} // namespace marn
