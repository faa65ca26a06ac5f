// The picture window's geometry from the screen, the scale bar and the progress bar.

#include "picture/PictureLayout.h"
#include "picture/ProgressBar.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace marn {
namespace {

constexpr double At96Dpi = 15.0;

TEST(PictureLayout, Screen1024x768)
{
    const PictureLayout l = ComputePictureLayout(1024, 768, At96Dpi, 300.0F, 120.0F);
    EXPECT_EQ(std::tuple(l.PicLeft, l.PicRight, l.PicTop, l.PicBottom),
        std::tuple(static_cast<float>(68.024), static_cast<float>(706.56), static_cast<float>(55.768),
            static_cast<float>(635.32)));
    EXPECT_FLOAT_EQ(l.PicCols, l.PicRight - l.PicLeft + 1.0F);
    EXPECT_FLOAT_EQ(l.PicRows, l.PicBottom - l.PicTop + 1.0F);
    EXPECT_FLOAT_EQ(l.Label1.x, 512.0F - 150.0F);           // centred
    EXPECT_FLOAT_EQ(l.Label3.x, 0.975F * 1024.0F - 120.0F); // right-aligned
}

TEST(PictureLayout, LegendAndFontsFollowTheScreenHeight)
{
    const struct {
        int height;
        float legendStep;
        std::int16_t fontSize;
        bool title12;
        std::int16_t swatch;
    } table[] = {{768, 0.035F, 11, true, 25}, {999, 0.035F, 11, true, 33}, {1000, 0.04F, 12, false, 33},
        {1200, 0.04F, 12, false, 40}};
    for (const auto& c : table) {
        const PictureLayout l = ComputePictureLayout(1600, c.height, At96Dpi, 0.0F, 0.0F);
        EXPECT_EQ(std::tuple(l.LegendStep, l.ReadoutFontSize, l.Label1FontSize12, l.SwatchSize),
            std::tuple(c.legendStep, c.fontSize, c.title12, c.swatch))
            << c.height;
    }
}

TEST(ScaleBar, StepsTheLengthDownToARoundOne)
{
    const std::pair<float, float> table[] = {{2.7F, 2.7F}, {4.99F, 4.99F}, {5.0F, 5.0F}, {9.99F, 5.0F}, {10.0F, 10.0F},
        {19.9F, 10.0F}, {20.0F, 20.0F}, {49.9F, 20.0F}, {50.0F, 50.0F}, {99.9F, 50.0F}, {100.0F, 100.0F},
        {199.9F, 100.0F}, {200.0F, 200.0F}, {499.9F, 200.0F}, {500.0F, 500.0F}, {999.9F, 500.0F}, {1000.0F, 1000.0F},
        {9000.0F, 1000.0F}};
    for (const auto& [raw, stepped] : table)
        EXPECT_EQ(StepScaleKm(raw), stepped) << raw;
}

TEST(ScaleBar, BarEndMarksAndCaption)
{
    const ScaleBar bar = ComputeScaleBar(50, 639.536F, 1024.0F, 768.0F);
    // 50 / 639.536 * 276 = 21.6 km, stepped to 20 km: floor(639.536 * 20 / 50) =
    // 255 pixels
    EXPECT_EQ(bar.caption, "Scale for 20 km");
    EXPECT_EQ(bar.x1 - bar.x0, 255.0F);
    EXPECT_FLOAT_EQ(bar.x0, 0.72F * 1024.0F);
    EXPECT_FLOAT_EQ(bar.y, 0.795F * 768.0F);
    EXPECT_EQ(
        std::tuple(bar.lines[0].x1, bar.lines[0].y1, bar.lines[0].y2), std::tuple(bar.x0, bar.y - 5.0F, bar.y + 6.0F));
    EXPECT_EQ(std::tuple(bar.lines[1].x2, bar.lines[1].y2, bar.lines[2].x1), std::tuple(bar.x1, bar.y, bar.x1));
    // 20 / 2000 * 270 = 2.7 km stays 2.7 km and reads 3 km
    EXPECT_EQ(ComputeScaleBar(20, 2000.0F, 1000.0F, 800.0F).caption, "Scale for 3 km");
    EXPECT_THROW(ComputeScaleBar(0, 639.0F, 1024.0F, 768.0F), std::invalid_argument);
}

TEST(ProgressBar, FifteenRowsOnceTheProgressPassesTwoPixels)
{
    const ProgressBarLayout bar = ComputeProgressBar(1000.0F, 800.0F); // x0 = 30, y = 96
    const struct {
        float progress;
        std::size_t lines;
        float right;
    } table[] = {{0.0F, 0, 0.0F}, {1.99F, 0, 0.0F}, {2.0F, 15, 33.0F}, {2.7F, 15, 33.0F}, {620.0F, 15, 651.0F}};
    for (const auto& c : table) {
        const std::vector<PxLine> lines = ProgressBarLines(bar, c.progress);
        ASSERT_EQ(lines.size(), c.lines) << c.progress;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            EXPECT_EQ(std::tuple(lines[n].x1, lines[n].y1, lines[n].x2, lines[n].y2),
                std::tuple(31.0F, 89.0F + static_cast<float>(n), c.right, 89.0F + static_cast<float>(n)))
                << c.progress;
        }
    }
}

} // namespace
} // namespace marn
