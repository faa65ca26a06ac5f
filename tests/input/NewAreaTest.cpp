// "New area…": the picture hides, the input window comes back filled with the
// current centre and length, and its OK opens the same picture window anew.

#include "core/SharedState.h"
#include "input/frmInputs.h"
#include "picture/frmPicture.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <fstream>

namespace marn {
namespace {

QString FieldTexts(const frmInputs& input)
{
    QStringList texts;
    for (int i = 0; i < FieldCount; ++i)
        texts << input.field(static_cast<Field>(i))->text();
    return texts.join(' ');
}

TEST(NewArea, ShowsTheInputWindowFilledAndItsOkOpensTheSamePictureWindow)
{
    test::TempDir dir;
    for (const int westLon : {7, 8})
        test::WriteTile(
            dir.path(), 47, westLon, [](double, double lon) { return static_cast<std::int16_t>(lon * 100); });
    std::ofstream(dir.path() + "/Drive.dat") << dir.path();
    std::ofstream(dir.path() + "/Picture.pat") << dir.path();
    test::FakePlatform platform({800, 600, 15.0}, QString::fromStdString(dir.path()));
    SharedState state;
    frmInputs input(state, platform, nullptr);
    input.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&input));
    for (int i = 0; i < FieldCount; ++i)
        input.field(static_cast<Field>(i))->setText(QStringList{"47", "n", "40", "8", "e", "0", "60"}[i]);
    input.Command1_Click();
    frmPicture* picture = input.pictureWindow();
    ASSERT_TRUE(picture != nullptr && picture->isVisible()) << platform.messages.join('|').toStdString();
    picture->keyWest->trigger();

    state.Reader.OpenTileName = "open";
    picture->menNewArea->trigger();
    EXPECT_FALSE(picture->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&input));
    EXPECT_EQ(FieldTexts(input), "47 N 40 7 E 36 60"); // 30 km west of 8 E
    EXPECT_EQ(state.Reader.OpenTileName, "") << "the window's activation ran again";

    input.Text7->setText("50");
    input.Command1_Click();
    EXPECT_FALSE(input.isVisible());
    EXPECT_EQ(input.pictureWindow(), picture);
    EXPECT_TRUE(picture->isVisible());
    EXPECT_EQ(state.AreaLengthKm, 50);
    picture->menBack->trigger();
    EXPECT_EQ(state.AreaLengthKm, 60);
    EXPECT_TRUE(platform.messages.isEmpty() && !platform.programEnded);
}

} // namespace
} // namespace marn
