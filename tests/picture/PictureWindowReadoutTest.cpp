// The mouse readout over a finished picture: shown inside the picture area,
// hidden outside, inert while the picture is not ready or a save or print runs,
// and never showing the unsampled column 0 or a last column beyond the sampled ones.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/Einzelergebnis.h"
#include "picture/LatLonFormat.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include <cmath>

namespace marn {
namespace {

class PictureWindowReadout : public ::testing::Test {
protected:
    PictureWindowReadout() : f({640, 480, 15.0}, 47.5, 8.0)
    {
        test::WriteTwoLevelTiles(f.dir.path());
        loaded = f.window->Form_Load();
    }

    QString HeightAt(int i, int j) const { return QStringLiteral("Height = %1 m").arg(f.state.GridHeights(i, j)); }

    QString CoordinatesAt(int i, int j) const
    {
        return QStringLiteral("Coordinates = ")
               + QString::fromStdString(FormatLatLon(f.state.GridCoords(0, i, j), f.state.GridCoords(1, i, j)));
    }

    test::PictureWindowFixture f;
    bool loaded = false;
};

TEST_F(PictureWindowReadout, ShowsHeightAndCoordinatesOfThePointUnderThePointer)
{
    ASSERT_TRUE(loaded);
    const float x = f.state.PicLeft + 40.0F;
    const float y = f.state.PicTop + 30.0F;
    f.window->Picture1_MouseMove(x, y);

    Einzelergebnis& readout = f.window->readoutWindow();
    ASSERT_TRUE(readout.isVisible());
    const int i = static_cast<int>(std::nearbyint(std::floor(x) - f.state.PicLeft + 1));
    const int j = static_cast<int>(std::nearbyint(std::floor(y) - f.state.PicTop + 1));
    EXPECT_EQ(readout.Label2->text(), HeightAt(i, j));
    EXPECT_EQ(readout.Label1->text(), CoordinatesAt(i, j));
    EXPECT_EQ(readout.windowTitle(), "Values at mouse position");
    EXPECT_EQ(readout.Label1->font().pointSize(), f.state.ReadoutFontSize - 1);
    EXPECT_EQ(readout.pos(), QPoint(461, 324)); // 0.72 x 640, 0.675 x 480
}

TEST_F(PictureWindowReadout, TheLongestCoordinatesFitTheirLine)
{
    ASSERT_TRUE(loaded);
    f.window->Picture1_MouseMove(f.state.PicLeft + 10.0F, f.state.PicTop + 10.0F);
    Einzelergebnis& readout = f.window->readoutWindow();
    readout.Label1->setText(QStringLiteral("Coordinates = 88\u00B0 58' 58.8\" S  178\u00B0 58' 58.8\" W"));
    const int textWidth = QFontMetrics(readout.Label1->font()).horizontalAdvance(readout.Label1->text());
    EXPECT_LE(textWidth, readout.Label1->width());
    EXPECT_LE(readout.Label1->geometry().right(), readout.width());
}

TEST_F(PictureWindowReadout, EdgesCountAsInsideAndOnePixelBeyondHides)
{
    ASSERT_TRUE(loaded);
    f.window->Picture1_MouseMove(f.state.PicRight, f.state.PicBottom);
    EXPECT_TRUE(f.window->readoutWindow().isVisible());
    f.window->Picture1_MouseMove(f.state.PicRight + 1.0F, f.state.PicBottom);
    EXPECT_FALSE(f.window->readoutWindow().isVisible());
    f.window->Picture1_MouseMove(f.state.PicLeft, f.state.PicTop - 1.0F);
    EXPECT_FALSE(f.window->readoutWindow().isVisible());
}

TEST_F(PictureWindowReadout, UnsampledEdgeColumnsShowTheNearestSampledPoint)
{
    ASSERT_TRUE(loaded);
    // PicLeft 67.64: a pointer on it gives column round(0.36) = 0, never sampled.
    f.window->Picture1_MouseMove(f.state.PicLeft, f.state.PicTop);
    EXPECT_EQ(f.window->readoutWindow().Label2->text(), HeightAt(1, 1));
    EXPECT_EQ(f.window->readoutWindow().Label1->text(), CoordinatesAt(1, 1));

    const int lastCol = static_cast<int>(std::floor(f.state.PicCols));
    const int lastRow = static_cast<int>(std::floor(f.state.PicRows));
    f.window->Picture1_MouseMove(f.state.PicRight, f.state.PicBottom);
    EXPECT_EQ(f.window->readoutWindow().Label1->text(), CoordinatesAt(lastCol, lastRow));
    EXPECT_NE(f.window->readoutWindow().Label2->text(), "Height = 0 m");
}

TEST_F(PictureWindowReadout, DoesNothingWhileThePictureIsNotReady)
{
    ASSERT_TRUE(loaded);
    f.state.PictureReady = false;
    f.window->Picture1_MouseMove(f.state.PicLeft + 10.0F, f.state.PicTop + 10.0F);
    EXPECT_FALSE(f.window->readoutWindowCreated());
}

TEST_F(PictureWindowReadout, KeepsItsLastStateWhileTheReadoutIsDisabled)
{
    ASSERT_TRUE(loaded);
    f.window->Picture1_MouseMove(f.state.PicLeft + 10.0F, f.state.PicTop + 10.0F);
    const QString shown = f.window->readoutWindow().Label2->text();
    f.state.ReadoutEnabled = false;

    f.window->Picture1_MouseMove(0.0F, 0.0F);
    EXPECT_TRUE(f.window->readoutWindow().isVisible());
    f.window->Picture1_MouseMove(f.state.PicRight - 5.0F, f.state.PicTop + 10.0F);
    EXPECT_EQ(f.window->readoutWindow().Label2->text(), shown);
}

} // namespace
} // namespace marn
