// A whole load over tile files with known heights: the sampled grid, the
// frame and picture pixels, the legend, the coordinate ticks and the snapshot
// of the client area.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/Fortschritt.h"
#include "picture/HeightClasses.h"
#include "picture/frmWait.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace marn {
namespace {

QRgb Colour(Rgb c)
{
    return qRgb(c.r, c.g, c.b);
}

class PictureWindowRender : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        f = new test::PictureWindowFixture({1024, 768, 15.0}, 47.5, 8.0);
        test::WriteTwoLevelTiles(f->dir.path());
        shown = f->window->ShowPicture();
    }
    static void TearDownTestSuite()
    {
        delete f;
        f = nullptr;
    }

    static int Px(double v) { return NearestPixel(v); }

    static test::PictureWindowFixture* f;
    static bool shown;
};

test::PictureWindowFixture* PictureWindowRender::f = nullptr;
bool PictureWindowRender::shown = false;

TEST_F(PictureWindowRender, ShowsTheFinishedPictureWithItsFlagsSet)
{
    ASSERT_TRUE(shown);
    EXPECT_TRUE(f->platform.messages.isEmpty());
    EXPECT_FALSE(f->platform.programEnded);
    EXPECT_TRUE(f->window->isVisible());
    EXPECT_TRUE(f->state.PictureReady);
    EXPECT_TRUE(f->state.ReadoutEnabled);
    EXPECT_FALSE(f->window->progressWindow().isVisible());
    EXPECT_FALSE(f->window->waitWindow().isVisible());
}

TEST_F(PictureWindowRender, TheProgressBarIsFullAndTheWaitWindowCentred)
{
    ASSERT_TRUE(shown);
    const QImage& bar = f->window->progressWindow().surface->picture();
    // x0 = 30.72 and x1 = 665.6 on a 1024 x 768 screen; the bar rows run from 85 to 99.
    for (const int x : {33, 300, 665}) {
        EXPECT_EQ(bar.pixel(x, 85), ProgressBarColour) << x;
        EXPECT_EQ(bar.pixel(x, 99), ProgressBarColour) << x;
        EXPECT_NE(bar.pixel(x, 100), ProgressBarColour) << x;
    }
    frmWait& wait = f->window->waitWindow();
    EXPECT_EQ(wait.windowTitle(), "Wait");
    EXPECT_EQ(wait.pos(), QPoint(201, 229)); // 9315 x 4635 twips in the middle of 1024 x 768
    EXPECT_EQ(wait.size(), QSize(621, 309));
    EXPECT_EQ(wait.Label1->text(), "The image is drawn ... please wait ...");
}

TEST_F(PictureWindowRender, SamplesTheHeightOfTheTileUnderEveryPoint)
{
    ASSERT_TRUE(shown);
    const int cols = static_cast<int>(std::floor(f->state.PicCols));
    const int rows = static_cast<int>(std::floor(f->state.PicRows));
    int wrong = 0;
    for (int j = 1; j <= rows; ++j) {
        for (int i = 1; i <= cols; ++i) {
            const double lon = f->state.GridCoords(1, i, j);
            const std::int16_t expected = lon < 8.0 ? 100 : 1500;
            wrong += f->state.GridHeights(i, j) == expected ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(f->window->Label4->text(), "Minimum height = 100 m");
    EXPECT_EQ(f->window->Label6->text(), "Maximum height = 1500 m");
}

TEST_F(PictureWindowRender, DrawsTheFrameOnePixelOutsideAndOnePixelPerGridPoint)
{
    ASSERT_TRUE(shown);
    const QImage& image = f->window->Picture1->picture();
    const auto& s = f->state;
    const QRgb black = Colour(FrameColour);
    for (int y = Px(s.PicTop - 1); y <= Px(s.PicBottom + 1); ++y) {
        ASSERT_EQ(image.pixel(Px(s.PicLeft - 1), y), black) << y;
        ASSERT_EQ(image.pixel(Px(s.PicRight + 1), y), black) << y;
    }
    for (int x = Px(s.PicLeft - 1); x <= Px(s.PicRight + 1); ++x) {
        ASSERT_EQ(image.pixel(x, Px(s.PicTop - 1)), black) << x;
        ASSERT_EQ(image.pixel(x, Px(s.PicBottom + 1)), black) << x;
    }
    const ClassLimits limits = ComputeClassLimits({100, 1500});
    const int cols = static_cast<int>(std::floor(s.PicCols));
    const int rows = static_cast<int>(std::floor(s.PicRows));
    for (const auto& [i, j] : {std::pair{1, 1}, std::pair{cols, 1}, std::pair{1, rows}, std::pair{cols, rows}}) {
        EXPECT_EQ(image.pixel(Px(s.PicLeft + i - 1), Px(s.PicTop + j - 1)),
            Colour(ColourForHeight(s.GridHeights(i, j), limits)));
    }
    EXPECT_NE(Colour(ColourForHeight(100, limits)), Colour(ColourForHeight(1500, limits)));
}

TEST_F(PictureWindowRender, FillsTheLegendRowsAndSwatches)
{
    ASSERT_TRUE(shown);
    const ClassLimits limits = ComputeClassLimits({100, 1500});
    const auto captions = LegendRowCaptions(limits);
    const auto colours = LegendRowColours();
    EXPECT_EQ(f->window->Label8->text(), "Heights [m]");
    for (int row = 1; row <= 12; ++row) {
        const QLabel* label = f->window->legendLabel(row);
        const QLineEdit* swatch = f->window->legendSwatch(row);
        EXPECT_EQ(label->text().toStdString(), captions[static_cast<std::size_t>(row - 1)]);
        EXPECT_EQ(label->objectName(), QStringLiteral("Label%1").arg(8 + row));
        EXPECT_EQ(label->pos(), QPoint(737, Px((0.15 + (row - 1) * 0.035) * 768)));
        EXPECT_EQ(swatch->geometry(), QRect(855, Px((0.145 + (row - 1) * 0.035) * 768), 25, 25));
        EXPECT_EQ(swatch->palette().color(QPalette::Base).rgb(), Colour(colours[static_cast<std::size_t>(row - 1)]));
    }
    EXPECT_EQ(f->window->Label9->text(), "Less than 0");
    EXPECT_EQ(f->window->Label10->text(), "0");
}

TEST_F(PictureWindowRender, DrawsEveryCoordinateTickAndShowsItsLabel)
{
    ASSERT_TRUE(shown);
    const QImage& image = f->window->Picture1->picture();
    const CoordinateLabelSet& set = f->window->coordinateLabels();
    ASSERT_FALSE(set.LabNS.empty());
    ASSERT_FALSE(set.LabEWU.empty());
    ASSERT_FALSE(set.LabEWO.empty());
    const auto check = [&](const std::vector<CoordinateLabel>& edge, const std::array<QLabel*, 16>& labels) {
        for (const CoordinateLabel& item : edge) {
            const QLabel* label = labels[static_cast<std::size_t>(item.index)];
            EXPECT_TRUE(label->isVisibleTo(f->window->Picture1));
            EXPECT_EQ(label->text().toStdString(), item.caption);
            EXPECT_EQ(image.pixel(Px(item.tickX1), Px(item.tickY1)), f->window->Picture1->foreColor());
            EXPECT_EQ(image.pixel(Px(item.tickX2), Px(item.tickY2)), f->window->Picture1->foreColor());
        }
    };
    check(set.LabNS, f->window->LabNS);
    check(set.LabEWU, f->window->LabEWU);
    check(set.LabEWO, f->window->LabEWO);
    EXPECT_TRUE(f->window->LabNS[15]->isHidden());
}

TEST_F(PictureWindowRender, TheSnapshotOfTheClientAreaShowsThePicture)
{
    ASSERT_TRUE(shown);
    const QImage snapshot = f->window->clientArea()->grab().toImage();
    const QPoint origin = f->window->Picture1->pos();
    const auto& s = f->state;
    EXPECT_EQ(snapshot.width(), 1024);
    EXPECT_EQ(snapshot.pixel(origin.x() + Px(s.PicLeft - 1), origin.y() + Px(s.PicTop + 10)), Colour(FrameColour));
    EXPECT_EQ(snapshot.pixel(origin.x() + Px(s.PicLeft + 5), origin.y() + Px(s.PicTop + 5)),
        Colour(ColourForHeight(s.GridHeights(6, 6), ComputeClassLimits({100, 1500}))));
    const QRect swatch = f->window->Text3->geometry().translated(origin);
    EXPECT_EQ(snapshot.pixel(swatch.center()), Colour(ClassColours[0]));
}

} // namespace
} // namespace marn
