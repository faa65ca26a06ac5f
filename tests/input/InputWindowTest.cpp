// The input window driven by key clicks: typing checks, Enter, OK and Cancel,
// activation, and the hand-over to the picture window.

#include "core/SharedState.h"
#include "input/SettingsWindowSet.h"
#include "input/frmDrive.h"
#include "input/frmInputs.h"
#include "picture/frmPicture.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace marn {
namespace {

class InputWindowTest : public ::testing::Test {
protected:
    InputWindowTest()
    {
        std::ofstream(dir_.filePath("Drive.dat").toStdString()) << "/nowhere";
        std::ofstream(dir_.filePath("Picture.pat").toStdString()) << "/pictures";
        platform_.setProgramDir(dir_.path());
    }

    // Shows the window and waits until it is active, so focus moves can be seen.
    frmInputs& shown()
    {
        window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
        return window_;
    }

    static void type(QLineEdit* field, const char* keys)
    {
        field->setFocus();
        QTest::keyClicks(field, QString::fromLatin1(keys));
    }

    QTemporaryDir dir_;
    test::FakePlatform platform_{{640, 480, 15.0}};
    SharedState state_;
    frmInputs window_{state_, platform_, nullptr};
};

TEST_F(InputWindowTest, CarriesItsTextsNamesAndLimits)
{
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("MARN_VIEWER data input"));
    EXPECT_EQ(window_.Command1->text(), QStringLiteral("OK"));
    EXPECT_EQ(window_.Command2->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(window_.Drive->text(), QStringLiteral("Edit Drive.dat"));
    EXPECT_EQ(window_.PicPath->text(), QStringLiteral("Set path for stored pictures"));
    EXPECT_TRUE(window_.Labels[1]->text().startsWith(QStringLiteral("V 2.0")));
    EXPECT_FALSE(window_.Command1->isDefault() || window_.Command1->autoDefault());
    EXPECT_EQ(window_.Text4->geometry(), QRect(332, 133, 52, 34)) << "4980, 1995; 780 x 510 twips at 15 per pixel";
    const char* keys = "123456789";
    const std::array<int, FieldCount> limits{2, 1, 2, 3, 1, 2, 4};
    for (int i = 0; i < FieldCount; ++i) {
        QLineEdit* field = window_.field(static_cast<Field>(i));
        EXPECT_EQ(field->objectName(), QStringLiteral("Text%1").arg(i + 1));
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(keys));
        EXPECT_EQ(field->text().size(), limits[static_cast<std::size_t>(i)]) << field->objectName().toStdString();
    }
}

TEST_F(InputWindowTest, CentresItselfOnTheScreen)
{
    EXPECT_EQ(window_.x(), (640 - window_.width()) / 2);
    EXPECT_EQ(window_.y(), (480 - window_.height()) / 2);
}

TEST_F(InputWindowTest, LettersBecomeUpperCaseAndAreOnlyCheckedAtOk)
{
    type(window_.Text2, "n");
    type(window_.Text5, "x");
    EXPECT_EQ(window_.Text2->text(), QStringLiteral("N"));
    EXPECT_EQ(window_.Text5->text(), QStringLiteral("X"));
    EXPECT_TRUE(platform_.messages.isEmpty());
}

TEST_F(InputWindowTest, ABadCharacterGivesOneMessageAndCutsTheField)
{
    window_.Text1->setText(QStringLiteral("5"));
    window_.Text1->setCursorPosition(0);
    QTest::keyClick(window_.Text1, Qt::Key_A);
    EXPECT_EQ(window_.Text1->text(), QString());
    window_.Text7->setText(QStringLiteral("12"));
    QTest::keyClick(window_.Text7, Qt::Key_A);
    EXPECT_EQ(window_.Text7->text(), QStringLiteral("12"));
    EXPECT_EQ(platform_.messages, QStringList({QStringLiteral("Only numbers are permissible!"),
                                      QStringLiteral("Only numbers are permissible!")}));
}

TEST_F(InputWindowTest, APasteKeepsWhatFitsTheLimitThenChecksIt)
{
    const struct {
        QLineEdit* field;
        QString before;
        int cursor;
        QString pasted;
        QString after;
    } pastes[] = {{window_.Text7, "", 0, "123456", "1234"}, {window_.Text7, "12", 0, "789", "7812"},
        {window_.Text1, "12", 1, "3", "12"}, {window_.Text1, "", 0, "1a2", "1"}};
    for (const auto& p : pastes) {
        p.field->setText(p.before);
        p.field->setCursorPosition(p.cursor);
        QApplication::clipboard()->setText(p.pasted);
        p.field->paste();
        EXPECT_EQ(p.field->text(), p.after) << p.pasted.toStdString();
    }
    EXPECT_EQ(platform_.messages, QStringList{QStringLiteral("Only numbers are permissible!")}) << "for the 'a' kept";
}

TEST_F(InputWindowTest, EnterMovesTheFocusAndPressesTheFocusedOk)
{
    shown();
    window_.Text1->setFocus();
    for (int i = 1; i < FieldCount; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), window_.field(static_cast<Field>(i)));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), window_.Command1);
    EXPECT_TRUE(platform_.messages.isEmpty()) << "Enter in Text7 does not press OK";
    QTest::keyClick(window_.Command1, Qt::Key_Return);
    EXPECT_EQ(platform_.messages, QStringList{QStringLiteral("The latitude degrees are required.")});
    EXPECT_EQ(QApplication::focusWidget(), window_.Text1);
}

TEST_F(InputWindowTest, AFailingOkKeepsTheDefaultsEmptiesTheFieldAndFocusesIt)
{
    shown();
    type(window_.Text1, "48");
    type(window_.Text2, "N");
    type(window_.Text4, "11");
    type(window_.Text5, "E");
    type(window_.Text7, "19");
    window_.Command1_Click();
    EXPECT_EQ(platform_.messages, QStringList{QStringLiteral("Only values from 20 to 3000 are permissible!")});
    EXPECT_EQ(window_.Text3->text(), QStringLiteral("0"));
    EXPECT_EQ(window_.Text6->text(), QStringLiteral("0"));
    EXPECT_EQ(window_.Text7->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), window_.Text7);
    EXPECT_EQ(window_.pictureWindow(), nullptr);
    EXPECT_EQ(state_.AreaLengthKm, 0);
}

TEST_F(InputWindowTest, APassingOkHidesTheWindowForGoodAndOpensThePicture)
{
    shown();
    type(window_.Text1, "33");
    type(window_.Text2, "s");
    type(window_.Text3, "30");
    type(window_.Text4, "70");
    type(window_.Text5, "w");
    type(window_.Text6, "45");
    QTest::mouseClick(window_.Command1, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(state_.CenterLat, -33.5);
    EXPECT_DOUBLE_EQ(state_.CenterLon, -70.75);
    EXPECT_EQ(state_.AreaLengthKm, 50);
    EXPECT_EQ(window_.Text7->text(), QStringLiteral("50"));
    EXPECT_FALSE(window_.isVisible());
    ASSERT_NE(window_.pictureWindow(), nullptr);
    EXPECT_TRUE(platform_.programEnded) << "no tile under /nowhere: the picture load stops the run";
    EXPECT_GT(platform_.processEventsCalls, 0) << "the picture load ran";

    state_.Reader.OpenTileName = "open";
    window_.show();
    QTest::qWait(100);
    EXPECT_EQ(state_.Reader.OpenTileName, "open") << "after the hand-over an activation changes nothing";
}

TEST_F(InputWindowTest, EveryActivationEmptiesTheOpenTileAndReloadsTheSettings)
{
    state_.Reader.OpenTileName = "/tiles/E007N47.33E";
    shown();
    QTest::qWait(100);
    EXPECT_EQ(state_.Reader.OpenTileName, "");
    EXPECT_EQ(state_.DataDrive, "/nowhere");
    EXPECT_EQ(state_.PictureDir, "/pictures");

    std::ofstream(dir_.filePath("Drive.dat").toStdString()) << "D";
    state_.Reader.OpenTileName = "again";
    window_.Form_Activate();
    EXPECT_EQ(state_.Reader.OpenTileName, "");
    EXPECT_EQ(state_.DataDrive, "D");
}

TEST_F(InputWindowTest, AMissingSettingsFileShowsItsWindowOnFirstShow)
{
    QFile::remove(dir_.filePath("Drive.dat"));
    window_.show();
    QTest::qWait(200);
    frmDrive* drive = window_.settingsWindows().driveWindow();
    ASSERT_NE(drive, nullptr);
    EXPECT_TRUE(drive->isVisible());
    EXPECT_EQ(drive->Text1->text(), QStringLiteral("C"));
    EXPECT_EQ(window_.settingsWindows().picturePathWindow(), nullptr) << "Picture.pat is there";
}

TEST_F(InputWindowTest, CancelAndTheCloseBoxEndTheProgram)
{
    shown();
    window_.Drive_Click();
    QTest::mouseClick(window_.Command2, Qt::LeftButton);
    EXPECT_TRUE(platform_.programEnded);

    test::FakePlatform other({640, 480, 15.0}, dir_.path());
    frmInputs second(state_, other, nullptr);
    second.show();
    second.close();
    EXPECT_TRUE(other.programEnded);
}

} // namespace
} // namespace marn
