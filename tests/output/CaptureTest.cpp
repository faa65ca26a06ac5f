#include "output/Capture.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

namespace marn {
namespace {

const QRgb Background = qRgb(200, 230, 250);
const QRgb Patch = qRgb(180, 20, 40);

class CaptureTest : public testing::Test {
protected:
    CaptureTest()
    {
        area.resize(320, 200);
        area.setAutoFillBackground(true);
        QPalette palette = area.palette();
        palette.setColor(QPalette::Window, Background);
        area.setPalette(palette);

        patch.setGeometry(10, 20, 30, 40);
        patch.setAutoFillBackground(true);
        palette.setColor(QPalette::Window, Patch);
        patch.setPalette(palette);

        exitButton.setGeometry(250, 150, 60, 30);
        area.show();
    }

    QWidget area;
    QLabel patch{&area};
    QPushButton exitButton{"Exit", &area};
    test::FakePlatform platform;
};

TEST_F(CaptureTest, GrabsTheWholeClientAreaWithItsControls)
{
    const QImage image = GrabClientArea(area);
    ASSERT_EQ(image.size(), area.size());
    EXPECT_EQ(image.pixel(0, 0), Background);
    EXPECT_EQ(image.pixel(10, 20), Patch);
    EXPECT_EQ(image.pixel(39, 59), Patch);
    EXPECT_EQ(image.pixel(40, 60), Background);
}

TEST_F(CaptureTest, ASnapshotLeavesOutTheExitButtonAndShowsItAgain)
{
    const QImage withButton = GrabClientArea(area);
    const QImage snapshot = TakeSnapshot(area, exitButton, platform);
    ASSERT_EQ(snapshot.size(), area.size());
    const QImage buttonArea = snapshot.copy(exitButton.geometry());
    for (int y = 0; y < buttonArea.height(); ++y)
        for (int x = 0; x < buttonArea.width(); ++x)
            ASSERT_EQ(buttonArea.pixel(x, y), Background);
    EXPECT_NE(withButton.copy(exitButton.geometry()), buttonArea);
    EXPECT_EQ(snapshot.pixel(10, 20), Patch);
    EXPECT_TRUE(exitButton.isVisible());
    EXPECT_EQ(platform.processEventsCalls, 2);
}

} // namespace
} // namespace marn
