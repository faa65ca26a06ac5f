// The progress bar's geometry: base line, marks and captions from the screen
// size, and the red bar that appears once the progress passes one pixel.

#include "picture/ProgressBar.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

TEST(ProgressBar, PlacesElevenMarksAlongTheBaseLine)
{
    const ProgressBarLayout bar = ComputeProgressBar(1000.0F, 800.0F);
    EXPECT_FLOAT_EQ(bar.x0, 30.0F);
    EXPECT_FLOAT_EQ(bar.x1, 650.0F);
    EXPECT_FLOAT_EQ(bar.y, 96.0F);
    for (int k = 0; k <= 10; ++k) {
        const ProgressMark& mark = bar.marks[static_cast<std::size_t>(k)];
        const float xk = 30.0F + 62.0F * static_cast<float>(k);
        EXPECT_FLOAT_EQ(mark.tick.x1, xk);
        EXPECT_FLOAT_EQ(mark.tick.x2, xk);
        EXPECT_FLOAT_EQ(mark.tick.y1, 86.0F);
        EXPECT_FLOAT_EQ(mark.tick.y2, 107.0F);
        EXPECT_FLOAT_EQ(mark.labelPos.x, xk - 20.0F);
        EXPECT_FLOAT_EQ(mark.labelPos.y, 111.0F);
        EXPECT_FLOAT_EQ(mark.labelWidth, 40.0F);
        EXPECT_EQ(mark.caption, std::to_string(10 * k) + (k == 10 ? "%" : ""));
    }
}

struct BarCase {
    float progress;
    std::size_t lines;
    float right;
};

void PrintTo(const BarCase& c, std::ostream* os)
{
    *os << "progress " << c.progress;
}

class ProgressBarLinesTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(ProgressBarLinesTest, DrawsFifteenRowsOnceTheWholeProgressPassesOne)
{
    const BarCase& c = GetParam();
    const ProgressBarLayout bar = ComputeProgressBar(1000.0F, 800.0F); // y = 96
    const std::vector<PxLine> lines = ProgressBarLines(bar, c.progress);
    ASSERT_EQ(lines.size(), c.lines);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        EXPECT_FLOAT_EQ(lines[n].y1, 89.0F + static_cast<float>(n));
        EXPECT_FLOAT_EQ(lines[n].y2, lines[n].y1);
        EXPECT_FLOAT_EQ(lines[n].x1, 31.0F);
        EXPECT_FLOAT_EQ(lines[n].x2, c.right);
    }
}

INSTANTIATE_TEST_SUITE_P(Progress, ProgressBarLinesTest,
    ::testing::Values(BarCase{0.0F, 0, 0.0F}, BarCase{1.99F, 0, 0.0F}, BarCase{2.0F, 15, 33.0F},
        BarCase{2.7F, 15, 33.0F}, BarCase{620.0F, 15, 651.0F}));

TEST(ProgressBar, RoundsTheBarsRowsHalvesToEven)
{
    const ProgressBarLayout bar = ComputeProgressBar(1000.0F, 812.5F); // y = 97.5: rows 90 (90.5) to 104 (104.5)
    const std::vector<PxLine> lines = ProgressBarLines(bar, 10.0F);
    ASSERT_FALSE(lines.empty());
    EXPECT_FLOAT_EQ(lines.front().y1, 90.0F);
    EXPECT_FLOAT_EQ(lines.back().y1, 104.0F);
}

TEST(ProgressBar, SixHundredRowsFirstDrawAfterTwoPixelsOfProgress)
{
    const ProgressBarLayout bar = ComputeProgressBar(1024.0F, 768.0F);
    const auto step = static_cast<float>((static_cast<double>(bar.x1) - bar.x0) / 600.0);
    float progress = 0.0F;
    int firstRow = 0;
    for (int row = 1; row <= 600 && firstRow == 0; ++row) {
        progress = static_cast<float>(static_cast<double>(progress) + step);
        if (!ProgressBarLines(bar, progress).empty())
            firstRow = row;
    }
    EXPECT_GE(progress, 2.0F);
    EXPECT_LT(progress - step, 2.0F);
    EXPECT_EQ(firstRow, 2); // 634.88 / 600 = 1.058 pixels per row
}

} // namespace
} // namespace marn
