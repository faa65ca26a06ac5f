// The headless platform: messages recorded and written out line by line,
// questions answered No.

#include "ui/HeadlessPlatform.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

TEST(HeadlessPlatform, WritesMessagesLineByLineAndRecordsThem)
{
    HeadlessPlatform platform({800, 600, 15.0});
    ::testing::internal::CaptureStderr();
    const MessageAnswer ok =
        platform.messageBox(QStringLiteral("All heights are missing.\r\nPicture is not necessary."));
    const MessageAnswer question = platform.messageBox(QStringLiteral("Overwrite?"), MessageButtons::YesNo);
    const std::string written = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(ok, MessageAnswer::Ok);
    EXPECT_EQ(question, MessageAnswer::No);
    EXPECT_EQ(written, "All heights are missing.\nPicture is not necessary.\nOverwrite?\n");
    EXPECT_EQ(platform.messages().size(), 2);
}

} // namespace
} // namespace marn
