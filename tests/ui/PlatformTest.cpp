// The platforms besides the tests' fake: headless messages and the Qt platform's screen.

#include "ui/HeadlessPlatform.h"
#include "ui/QtPlatform.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

namespace marn {
namespace {

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
