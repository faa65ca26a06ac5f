// One load over two tiles of known heights, end to end: the window's geometry,
// the sampled grid, the frame and picture pixels, the legend, the coordinate
// ticks, the progress and wait windows, the snapshot and the mouse readout.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/Einzelergebnis.h"
#include "picture/Fortschritt.h"
#include "picture/HeightClasses.h"
#include "picture/LatLonFormat.h"
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
    static void TearDownTestSuite() { delete f; }
    void SetUp() override { ASSERT_TRUE(shown); }

    static int Px(double v) { return NearestPixel(v); }
    static int Cols() { return static_cast<int>(std::floor(f->state.PicCols)); }
    static int Rows() { return static_cast<int>(std::floor(f->state.PicRows)); }
    static QString HeightAt(int i, int j) { return QStringLiteral("Height = %1 m").arg(f->state.GridHeights(i, j)); }
    static QString CoordinatesAt(int i, int j)
    {
        return "Coordinates = "
               + QString::fromStdString(FormatLatLon(f->state.GridCoords(0, i, j), f->state.GridCoords(1, i, j)));
    }

    static inline test::PictureWindowFixture* f = nullptr;
    static inline bool shown = false;
};

TEST_F(PictureWindowRender, ShowsTheFinishedPictureLaidOutForTheScreen)
{
    EXPECT_TRUE(f->platform.messages.isEmpty());
    EXPECT_FALSE(f->platform.programEnded);
    EXPECT_TRUE(f->state.PictureReady && f->state.ReadoutEnabled && f->window->isVisible());
    EXPECT_EQ(QRect(f->window->pos(), f->window->size()), QRect(0, 0, 1024, 740));
    EXPECT_EQ(f->window->Picture1->geometry(), QRect(1, 4, 1023, 733));
    EXPECT_EQ(f->window->Command1->pos(), QPoint(891, 622));
    EXPECT_NEAR(f->state.PicLeft, 68.024, 1e-3);
    EXPECT_NEAR(f->state.PicBottom, 635.32, 1e-3);
    EXPECT_DOUBLE_EQ(f->window->Label1->font().pointSizeF(), 12.0);
    EXPECT_EQ(f->window->Label4->font().pointSize(), 11);
    EXPECT_EQ(f->window->Label4->text(), "Minimum height = 100 m");
    EXPECT_EQ(f->window->Label6->text(), "Maximum height = 1500 m");

    EXPECT_FALSE(f->window->progressWindow().isVisible());
    const QImage& bar = f->window->progressWindow().surface->picture();
    // x0 = 30.72 and x1 = 665.6 on a 1024 x 768 screen; the bar rows run from 85
    // to 99.
    for (const int x : {33, 300, 665}) {
        EXPECT_EQ(bar.pixel(x, 85), ProgressBarColour) << x;
        EXPECT_EQ(bar.pixel(x, 99), ProgressBarColour) << x;
        EXPECT_NE(bar.pixel(x, 100), ProgressBarColour) << x;
    }
    frmWait& wait = f->window->waitWindow();
    EXPECT_FALSE(wait.isVisible());
    EXPECT_EQ(QRect(wait.pos(), wait.size()), QRect(201, 229, 621, 309)); // 9315 x 4635 twips in the middle
    EXPECT_EQ(wait.Label1->text(), "The image is drawn ... please wait ...");
}

TEST_F(PictureWindowRender, DrawsTheFrameAndEveryPointInTheColourOfItsTile)
{
    const auto& s = f->state;
    const QImage& image = f->window->Picture1->picture();
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
    int wrong = 0;
    for (int j = 1; j <= Rows(); ++j) {
        for (int i = 1; i <= Cols(); ++i) {
            const std::int16_t expected = s.GridCoords(1, i, j) < 8.0 ? 100 : 1500;
            const QRgb pixel = image.pixel(Px(s.PicLeft + i - 1), Px(s.PicTop + j - 1));
            wrong += s.GridHeights(i, j) == expected && pixel == Colour(ColourForHeight(expected, limits)) ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0);
    const QImage snapshot = f->window->clientArea()->grab().toImage();
    const QPoint origin = f->window->Picture1->pos();
    EXPECT_EQ(snapshot.width(), 1024);
    EXPECT_EQ(snapshot.pixel(origin + QPoint(Px(s.PicLeft + 5), Px(s.PicTop + 5))),
        image.pixel(Px(s.PicLeft + 5), Px(s.PicTop + 5)));
    EXPECT_EQ(snapshot.pixel(f->window->Text3->geometry().translated(origin).center()), Colour(ClassColours[0]));
}

TEST_F(PictureWindowRender, FillsTheLegendAndShowsEveryCoordinateTickWithItsLabel)
{
    const auto captions = LegendRowCaptions(ComputeClassLimits({100, 1500}));
    const auto colours = LegendRowColours();
    for (int row = 1; row <= 12; ++row) {
        const QLabel* label = f->window->legendLabel(row);
        const QLineEdit* swatch = f->window->legendSwatch(row);
        EXPECT_EQ(label->text().toStdString(), captions[static_cast<std::size_t>(row - 1)]);
        EXPECT_EQ(label->objectName(), QStringLiteral("Label%1").arg(8 + row));
        EXPECT_EQ(label->pos(), QPoint(737, Px((0.15 + (row - 1) * 0.035) * 768)));
        EXPECT_EQ(swatch->geometry(), QRect(855, Px((0.145 + (row - 1) * 0.035) * 768), 25, 25));
        EXPECT_EQ(swatch->palette().color(QPalette::Base).rgb(), Colour(colours[static_cast<std::size_t>(row - 1)]));
    }
    const QImage& image = f->window->Picture1->picture();
    const CoordinateLabelSet& set = f->window->coordinateLabels();
    const auto check = [&](const std::vector<CoordinateLabel>& edge, const std::array<QLabel*, 16>& labels) {
        EXPECT_FALSE(edge.empty());
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

TEST_F(PictureWindowRender, ReadoutFollowsThePointerInsideThePictureArea)
{
    auto& s = f->state;
    f->window->Picture1_MouseMove(108.0F, 86.0F); // 108 - 68.024 + 1 and 86 - 55.768 + 1 round to 41 and 31
    Einzelergebnis& readout = f->window->readoutWindow();
    ASSERT_TRUE(readout.isVisible());
    EXPECT_EQ(readout.Label2->text(), HeightAt(41, 31));
    EXPECT_EQ(readout.Label1->text(), CoordinatesAt(41, 31));
    EXPECT_EQ(readout.pos(), QPoint(737, 518)); // 0.72 x 1024, 0.675 x 768
    // the edges are inside and show the nearest sampled point, one pixel beyond
    // hides
    f->window->Picture1_MouseMove(s.PicLeft, s.PicTop);
    EXPECT_EQ(readout.Label1->text(), CoordinatesAt(1, 1));
    f->window->Picture1_MouseMove(s.PicRight, s.PicBottom);
    EXPECT_EQ(readout.Label1->text(), CoordinatesAt(Cols(), Rows()));
    EXPECT_EQ(readout.Label2->text(), HeightAt(Cols(), Rows()));
    f->window->Picture1_MouseMove(s.PicRight + 1.0F, s.PicBottom);
    EXPECT_FALSE(readout.isVisible());
    // while a save or print runs the readout keeps its last state
    f->window->Picture1_MouseMove(78.0F, 66.0F);
    s.ReadoutEnabled = false;
    f->window->Picture1_MouseMove(0.0F, 0.0F);
    EXPECT_TRUE(readout.isVisible());
    EXPECT_EQ(readout.Label2->text(), HeightAt(11, 11));
    s.ReadoutEnabled = true;
}

} // namespace
} // namespace marn
