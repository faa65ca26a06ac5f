// The platform layer: drawing on a picture box (pixel rounding, both line ends,
// clipping, the drawing kept while hidden, assigned pictures, mouse positions),
// the headless platform's messages and the Qt platform's screen.

#include "ui/HeadlessPlatform.h"
#include "ui/PictureBox.h"
#include "ui/QtPlatform.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include <set>
#include <utility>

namespace marn {
namespace {

constexpr QRgb Red = 0xFFFF0000;
using Pixels = std::set<std::pair<int, int>>;

Pixels RedPixels(const QImage& image)
{
    Pixels pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == Red)
                pixels.insert({x, y});
    return pixels;
}

TEST(PictureBox, LinesDrawTheRoundedPixelsWithBothEnds)
{
    const struct {
        const char* name;
        float x1, y1, x2, y2;
        Pixels pixels;
    } table[] = {{"halves go to the even pixel", 1.5F, 2.5F, 4.5F, 2.5F, {{2, 2}, {3, 2}, {4, 2}}},
        {"drawn backwards", 4.4F, 1.0F, 2.6F, 1.0F, {{3, 1}, {4, 1}}},
        {"vertical with rounding up", 0.5F, 0.5F, 0.5F, 3.5F, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}}},
        {"diagonal", 0.0F, 0.0F, 3.0F, 3.0F, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {"a single point", 5.0F, 5.0F, 5.0F, 5.0F, {{5, 5}}},
        {"cut at the box's edge", -5.0F, 7.0F, 1.0F, 7.0F, {{0, 7}, {1, 7}}},
        {"wholly outside", 9.0F, -3.0F, 12.0F, -3.0F, {}}};
    for (const auto& c : table) {
        PictureBox box;
        box.resize(8, 8);
        box.Line(c.x1, c.y1, c.x2, c.y2, Red);
        EXPECT_EQ(RedPixels(box.picture()), c.pixels) << c.name;
    }
    PictureBox box;
    box.resize(6, 6);
    box.setForeColor(Red);
    box.Line(0, 1, 3, 1); // without a colour: the foreground colour
    box.PSet(2.5F, 3.5F, Red);
    box.PSet(-1.0F, 2.0F, Red);
    EXPECT_EQ(RedPixels(box.picture()), (Pixels{{0, 1}, {1, 1}, {2, 1}, {3, 1}, {2, 4}}));
}

TEST(PictureBox, KeepsItsDrawingWhileHiddenAndGrowingAndAnAssignedPictureItsOwnSize)
{
    QWidget parent;
    PictureBox box(&parent);
    box.setGeometry(0, 0, 20, 10);
    box.PSet(19, 9, Red);
    ASSERT_EQ(box.picture().size(), QSize(20, 10));
    box.resize(30, 12);
    box.PSet(29, 11, Red);
    EXPECT_EQ(RedPixels(box.picture()), (Pixels{{19, 9}, {29, 11}}));
    EXPECT_EQ(box.picture().pixel(25, 5), box.backColor());
    QImage snapshot(40, 30, QImage::Format_ARGB32);
    snapshot.fill(Red);
    box.setPicture(snapshot);
    box.resize(7, 7);
    EXPECT_EQ(box.picture().size(), QSize(40, 30));
    EXPECT_EQ(box.picture().pixel(39, 29), Red);
}

TEST(PictureBox, ReportsMouseMovesInItsPixels)
{
    PictureBox box;
    box.resize(50, 50);
    QList<QPointF> moves;
    QObject::connect(&box, &PictureBox::mouseMoved, [&moves](float x, float y) { moves << QPointF(x, y); });
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 34), QPointF(112, 134), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &move);
    EXPECT_EQ(moves, QList<QPointF>{QPointF(12, 34)});
}

TEST(HeadlessPlatform, WritesMessagesLineByLineAndAnswersNo)
{
    HeadlessPlatform platform({800, 600, 15.0});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(platform.messageBox("All heights are missing.\r\nPicture is not necessary."), MessageAnswer::Ok);
    EXPECT_EQ(platform.messageBox("Overwrite?", MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(
        ::testing::internal::GetCapturedStderr(), "All heights are missing.\nPicture is not necessary.\nOverwrite?\n");
    EXPECT_EQ(platform.messages().size(), 2);
}

TEST(QtPlatform, ReportsThePrimaryScreenUnlessAnotherIsInjected)
{
    QtPlatform platform;
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(platform.screen().widthPx, primary->size().width());
    EXPECT_EQ(platform.screen().heightPx, primary->size().height());
    EXPECT_DOUBLE_EQ(platform.screen().twipsPerPixel, 1440.0 / primary->logicalDotsPerInchX());
    platform.setScreenOverride(ScreenMetrics{1920, 1080, 15.0});
    EXPECT_EQ(platform.screen().heightPx, 1080);
}

} // namespace
} // namespace marn
