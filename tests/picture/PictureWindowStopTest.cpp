// Loads that end the program: an area with nothing to show (no data at all,
// only voids, one height), and a tile read error during the sampling. The message goes through the platform, the
// program is ended and the picture window is never shown.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/Fortschritt.h"
#include "picture/frmWait.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <functional>

namespace marn {
namespace {

struct StopCase {
    const char* name;
    std::function<void(const std::string& root)> writeTiles;
    const char* message;
};

void PrintTo(const StopCase& c, std::ostream* os)
{
    *os << c.name;
}

class PictureWindowStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(PictureWindowStop, ShowsTheMessageAndEndsTheProgramWithoutShowingThePicture)
{
    const StopCase& c = GetParam();
    test::PictureWindowFixture f({640, 480, 15.0});
    c.writeTiles(f.dir.path());

    EXPECT_FALSE(f.window->ShowPicture());

    const QString message = QString::fromUtf8(c.message).replace("{data}", QString::fromStdString(f.dir.path()));
    EXPECT_EQ(f.platform.messages, QStringList{message});
    EXPECT_TRUE(f.platform.programEnded);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_FALSE(f.state.PictureReady);
    EXPECT_FALSE(f.state.ReadoutEnabled);
}

INSTANTIATE_TEST_SUITE_P(Stops, PictureWindowStop,
    ::testing::Values(StopCase{"NoDataDirectory", [](const std::string&) {},
                          "All heights are missing.\r\nPicture is not necessary.\r\nNo MARN directory in {data}."},
        StopCase{"OnlyVoids", [](const std::string& root) { test::WriteFlatTile(root, 47, 7, NoData); },
            "All heights are missing.\r\nPicture is not necessary."},
        StopCase{"SeaLevel", [](const std::string& root) { test::WriteFlatTile(root, 47, 7, 0); },
            "All heights are 0 m.\r\nPicture is not necessary."},
        StopCase{"Uniform", [](const std::string& root) { test::WriteFlatTile(root, 47, 7, 812); },
            "All heights are 812 m.\r\nPicture is not necessary."},
        StopCase{"WrongTileLength",
            [](const std::string& root) { test::WriteFileOfLength(test::TilePath(root, 47, 7), 1000); },
            "Error reading heigt data, Error value = 700"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureWindowStop, AUniformAreaShowsItsHeightTextsBeforeEnding)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    test::WriteFlatTile(f.dir.path(), 47, 7, 812);
    f.window->Form_Load();
    EXPECT_EQ(f.window->Label4->text(), "Minimum height = 812 m");
    EXPECT_EQ(f.window->Label6->text(), "Maximum height = 812 m");
    EXPECT_TRUE(f.window->Label4->isVisibleTo(f.window->Picture1));
    EXPECT_FALSE(f.window->waitWindowCreated());
}

TEST(PictureWindowStop, AReadErrorEndsTheProgramWhileTheProgressWindowIsUp)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    test::WriteFileOfLength(test::TilePath(f.dir.path(), 47, 7), 1000);
    f.window->Form_Load();

    Fortschritt& progress = f.window->progressWindow();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Read MARN data progress");
    EXPECT_EQ(progress.pos(), QPoint(96, 168));  // 0.15 and 0.35 of 640 x 480
    EXPECT_EQ(progress.size(), QSize(448, 144)); // 0.7 and 0.3 of it
    QStringList captions;
    for (QLabel* mark : progress.LabP)
        captions << (mark->isVisibleTo(&progress) ? mark->text() : QStringLiteral("hidden"));
    EXPECT_EQ(captions, (QStringList{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100%"}));
    EXPECT_TRUE(f.window->Label4->isHidden());
}

} // namespace
} // namespace marn
