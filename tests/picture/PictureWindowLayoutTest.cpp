// The picture window's geometry on three screens, read back from the window's
// controls and the shared state after the load.

#include "tests/picture/PictureWindowFixture.h"

#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

namespace marn {
namespace {

struct ScreenCase {
    int width, height;
    float picLeft, picRight, picTop, picBottom;
    QRect picture1;
    QPoint command1;
    int windowHeight;
    std::int16_t readoutFontSize;
    double titlePoints;
};

void PrintTo(const ScreenCase& c, std::ostream* os)
{
    *os << c.width << 'x' << c.height;
}

class PictureWindowLayout : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(PictureWindowLayout, PlacesTheWindowPictureAreaAndControls)
{
    const ScreenCase& c = GetParam();
    test::PictureWindowFixture f({c.width, c.height, 15.0});
    test::WriteFlatTile(f.dir.path(), 47, 7, 5);
    f.window->Form_Load(); // a uniform area: ends with its message after the layout

    EXPECT_FLOAT_EQ(f.state.ScreenWidthPx, static_cast<float>(c.width));
    EXPECT_FLOAT_EQ(f.state.ScreenHeightPx, static_cast<float>(c.height));
    EXPECT_NEAR(f.state.PicLeft, c.picLeft, 1e-3);
    EXPECT_NEAR(f.state.PicRight, c.picRight, 1e-3);
    EXPECT_NEAR(f.state.PicTop, c.picTop, 1e-3);
    EXPECT_NEAR(f.state.PicBottom, c.picBottom, 1e-3);
    EXPECT_FLOAT_EQ(f.state.PicCols, f.state.PicRight - f.state.PicLeft + 1);
    EXPECT_EQ(f.state.ReadoutFontSize, c.readoutFontSize);

    EXPECT_EQ(f.window->pos(), QPoint(0, 0));
    EXPECT_EQ(f.window->size(), QSize(c.width, c.windowHeight));
    EXPECT_EQ(f.window->Picture1->geometry(), c.picture1);
    EXPECT_EQ(f.window->Command1->pos(), c.command1);
    EXPECT_DOUBLE_EQ(f.window->Label1->font().pointSizeF(), c.titlePoints);
    EXPECT_EQ(f.window->Label1->x(), static_cast<int>(std::lround(0.5 * c.width - f.window->Label1->width() / 2.0)));
    EXPECT_EQ(f.window->Label4->font().pointSize(), c.readoutFontSize);
}

INSTANTIATE_TEST_SUITE_P(Screens, PictureWindowLayout,
    ::testing::Values(
        ScreenCase{1024, 768, 68.024F, 706.56F, 55.768F, 635.32F, {1, 4, 1023, 733}, {891, 622}, 740, 11, 12.0},
        ScreenCase{1280, 1024, 68.28F, 883.2F, 56.024F, 856.76F, {1, 5, 1279, 978}, {1114, 829}, 987, 12, 14.25},
        ScreenCase{1920, 1080, 68.92F, 1324.8F, 56.08F, 905.2F, {2, 5, 1918, 1031}, {1670, 875}, 1041, 12, 14.25}),
    [](const auto& info) { return std::to_string(info.param.width) + "x" + std::to_string(info.param.height); });

} // namespace
} // namespace marn
