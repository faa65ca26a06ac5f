#include "output/BitmapTarget.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

struct PathCase {
    const char* pictureDir;
    const char* name;
    const char* expected;
};

class BitmapTargetPathRule : public testing::TestWithParam<PathCase> {};

// A Windows-style directory is joined with "\", a native one with "/" only.
TEST_P(BitmapTargetPathRule, JoinsDirectoryNameAndExtension)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(BitmapTargetPath(c.pictureDir, c.name), QString(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Names, BitmapTargetPathRule,
    testing::Values(PathCase{"D:\\Pictures", "Europe", "D:\\Pictures\\Europe.bmp"},
        PathCase{"D:\\Pictures", "Europe.bmp", "D:\\Pictures\\Europe.bmp.bmp"}, PathCase{"", "Europe", "\\Europe.bmp"},
        PathCase{"D:\\Pictures\\", " Europe ", "D:\\Pictures\\\\ Europe .bmp"},
        PathCase{"/srv/pictures", "Europe", "/srv/pictures/Europe.bmp"},
        PathCase{"/srv\\pictures\\", "Europe", "/srv/pictures/Europe.bmp"}, PathCase{"/", "Europe", "/Europe.bmp"}));

TEST(SaveMessages, ReadAsTheUserSeesThem)
{
    EXPECT_EQ(SavedMessage("Europe", "D:\\Pictures"), "Europe.bmp is saved to D:\\Pictures");
    EXPECT_EQ(SavedMessage("Europe", "/srv\\pictures"), "Europe.bmp is saved to /srv/pictures");
    EXPECT_EQ(OverwriteQuestion("D:\\Pictures\\Europe.bmp"),
        "D:\\Pictures\\Europe.bmp already exists.\r\nOverwrite existing file?");
    EXPECT_EQ(SaveErrorMessage("D:\\x.bmp", "Disk full"), "Error saving D:\\x.bmp\r\nReason: Disk full");
    EXPECT_EQ(SaveErrorMessage("D:\\x.bmp", "Disk full", true),
        "Error saving D:\\x.bmp\r\nReason: Disk full\r\nThe existing file is unchanged.");
}

} // namespace
} // namespace marn
