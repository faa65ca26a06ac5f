// The Qt platform's screen metrics: the primary screen's, or an injected size.

#include "ui/QtPlatform.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

namespace marn {
namespace {

TEST(QtPlatform, ReportsThePrimaryScreenUnlessAnotherIsInjected)
{
    QtPlatform platform;
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const ScreenMetrics screen = platform.screen();
    EXPECT_EQ(screen.widthPx, primary->size().width());
    EXPECT_EQ(screen.heightPx, primary->size().height());
    EXPECT_DOUBLE_EQ(screen.twipsPerPixel, 1440.0 / primary->logicalDotsPerInchX());

    platform.setScreenOverride(ScreenMetrics{1920, 1080, 15.0});
    EXPECT_EQ(platform.screen().widthPx, 1920);
    EXPECT_EQ(platform.screen().heightPx, 1080);
}

} // namespace
} // namespace marn
