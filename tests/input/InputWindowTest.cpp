// The input window driven by keys: typing checks, pastes, Enter, OK, activation,
// Cancel, and the hand-over to the picture window and back ("New area…"); the
// drive and picture-directory windows it opens.

#include "core/SharedState.h"
#include "input/ActivationHandler.h"
#include "input/DirectoryList.h"
#include "input/SettingsWindowSet.h"
#include "input/frmDrive.h"
#include "input/frmInputs.h"
#include "input/frmPicturePath.h"
#include "picture/frmPicture.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstring>
#include <fstream>
#include <iterator>

namespace marn {
namespace {

class InputWindowTest : public ::testing::Test {
protected:
    InputWindowTest()
    {
        std::ofstream(dir_.path() + "/Drive.dat") << dir_.path();
        std::ofstream(dir_.path() + "/Picture.pat") << dir_.path();
    }

    // Shows the window and waits until it is active, so focus moves can be seen.
    void show()
    {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    void type(const char* joined) // one text per field, "48|n|..."
    {
        const QStringList texts = QString::fromLatin1(joined).split('|');
        for (int i = 0; i < FieldCount; ++i) {
            window_.field(static_cast<Field>(i))->setFocus();
            QTest::keyClicks(window_.field(static_cast<Field>(i)), texts[i]);
        }
    }
    std::string content(const char* name) const
    {
        std::ifstream file(dir_.path() + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    QString texts() const
    {
        QStringList texts;
        for (int i = 0; i < FieldCount; ++i)
            texts << window_.field(static_cast<Field>(i))->text();
        return texts.join('|');
    }

    test::TempDir dir_;
    const QString programDir_ = QString::fromStdString(dir_.path());
    test::FakePlatform platform_{{800, 600, 15.0}, programDir_};
    SharedState state_;
    frmInputs window_{state_, platform_, nullptr};
};

TEST_F(InputWindowTest, KeysAreLimitedUpperCasedAndCheckedForDigits)
{
    EXPECT_EQ(window_.pos(), QPoint((800 - window_.width()) / 2, (600 - window_.height()) / 2));
    type("123|nx|456|7890|w|12|123456");
    EXPECT_EQ(texts(), "12|N|45|789|W|12|1234");
    EXPECT_TRUE(platform_.messages.isEmpty());

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
    EXPECT_EQ(platform_.messages, QStringList{"Only numbers are permissible!"}) << "for the 'a' pasted";
}

TEST_F(InputWindowTest, EnterWalksTheFieldsAndAFailingOkFocusesTheField)
{
    show();
    window_.Text1->setFocus();
    for (int i = 1; i < FieldCount; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), window_.field(static_cast<Field>(i)));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), window_.Command1);
    EXPECT_TRUE(platform_.messages.isEmpty()) << "Enter in Text7 does not press OK";
    type("48|N||11|E||19");
    QTest::keyClick(window_.Command1, Qt::Key_Return);
    EXPECT_EQ(platform_.messages, QStringList{"Only values from 20 to 3000 are permissible!"});
    EXPECT_EQ(texts(), "48|N|0|11|E|0|");
    EXPECT_EQ(QApplication::focusWidget(), window_.Text7);
    EXPECT_EQ(window_.pictureWindow(), nullptr);
}

TEST_F(InputWindowTest, ActivationReloadsTheSettingsAndAMissingDriveIsTypedOverTheSelectedC)
{
    std::remove((dir_.path() + "/Drive.dat").c_str());
    state_.Reader.OpenTileName = "/tiles/E007N47.33E";
    window_.show();
    QTest::qWait(200);
    EXPECT_EQ(state_.Reader.OpenTileName, "");
    EXPECT_EQ(state_.PictureDir, dir_.path());
    frmDrive* drive = window_.settingsWindows().driveWindow();
    ASSERT_TRUE(drive != nullptr && drive->isVisible());
    EXPECT_EQ(drive->Text1->selectedText(), "C");
    drive->Text1->clear();
    drive->Command1_Click();
    EXPECT_EQ(platform_.messages, QStringList{"A drive letter is required."});
    EXPECT_TRUE(drive->isVisible() && drive->Text1->hasFocus());
    QTest::keyClick(drive->Text1, Qt::Key_D);
    QTest::keyClick(drive->Text1, Qt::Key_Return);
    EXPECT_TRUE(drive->Command1->hasFocus()) << "Enter in the field only moves the focus";
    platform_.answers = {MessageAnswer::Yes};
    QTest::keyClick(drive->Command1, Qt::Key_Return);
    EXPECT_EQ(platform_.messages.last(), "No MARN directory in /mnt/d.\r\nKeep this drive letter anyway?");
    EXPECT_EQ(content("Drive.dat"), "D");
    EXPECT_FALSE(drive->isVisible());
    state_.DataDrive = "";
    window_.Form_Activate();
    EXPECT_EQ(state_.DataDrive, "D");

    QTest::mouseClick(window_.Command2, Qt::LeftButton);
    EXPECT_TRUE(platform_.programEnded) << "Cancel ends the program";
    test::FakePlatform other({800, 600, 15.0}, programDir_);
    frmInputs second(state_, other, nullptr);
    second.show();
    second.close();
    EXPECT_TRUE(other.programEnded) << "so does the close box";
}

TEST_F(InputWindowTest, OkOpensThePictureAndNewAreaComesBackFilled)
{
    for (const int westLon : {7, 8})
        test::WriteTile(
            dir_.path(), 47, westLon, [](double, double lon) { return static_cast<std::int16_t>(lon * 100); });
    show();
    type("47|n|40|8|e||60");
    QTest::mouseClick(window_.Command1, Qt::LeftButton);
    EXPECT_FALSE(window_.isVisible());
    frmPicture* picture = window_.pictureWindow();
    ASSERT_TRUE(picture != nullptr && picture->isVisible()) << platform_.messages.join('|').toStdString();
    EXPECT_EQ(state_.AreaLengthKm, 60);
    picture->keyWest->trigger();

    state_.Reader.OpenTileName = "open";
    picture->menNewArea->trigger();
    EXPECT_FALSE(picture->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    EXPECT_EQ(texts(), "47|N|40|7|E|36|60"); // 30 km west of 8 E
    EXPECT_EQ(QApplication::focusWidget(), window_.Text1);
    EXPECT_EQ(window_.Text1->selectedText(), "47") << "typed digits replace the degrees";
    EXPECT_EQ(state_.Reader.OpenTileName, "") << "the window's activation ran again";

    window_.Text7->setText("50");
    window_.Command1_Click();
    EXPECT_EQ(window_.pictureWindow(), picture);
    EXPECT_TRUE(picture->isVisible());
    picture->menBack->trigger();
    EXPECT_EQ(state_.AreaLengthKm, 60);
    EXPECT_TRUE(platform_.messages.isEmpty() && !platform_.programEnded);
}

// The drive window: a folder typed ("~" and "~/..." are the home folder) or chosen with "Browse…" is shown and
// stored whole, nothing of a longer old value left; a folder without a MARN directory or a letter only when the
// user keeps it; a path that depends on the current folder is refused.
TEST_F(InputWindowTest, TheDriveWindowStoresWholeFoldersAndWhatTheUserKeeps)
{
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(programDir_));
    QDir().mkpath(programDir_ + "/MARN");
    QDir().mkpath(programDir_ + "/terrain/MARN");
    QDir().mkpath(programDir_ + "/bare");
    const QString old = "E:\\DATA\\A\\LONGER\\PATH\\THAN\\THE\\FOLDER\\CHOSEN\r\n";
    const QString terrain = programDir_ + "/terrain", bare = programDir_ + "/bare";
    const QString relative =
        "'%1' is neither a drive letter nor a full folder path.\r\n"
        "Type the folder from / (or ~/ for your home folder).";
    const QString noMarn = "No MARN directory in " + bare + ".\r\nKeep this folder anyway?";
    const QString letter = "No MARN directory in /mnt/d.\r\nKeep this drive letter anyway?";
    const struct {
        QString typed; // or chosen with "Browse…"
        bool browsed;
        MessageAnswer answer;
        QString stored; // Drive.dat afterwards
        QString message;
    } cases[] = {
        {terrain, false, MessageAnswer::No, terrain, ""}, {terrain, true, MessageAnswer::No, terrain, ""},
        {bare, true, MessageAnswer::Yes, bare, noMarn}, {bare, false, MessageAnswer::No, old, noMarn},
        {"~", false, MessageAnswer::No, programDir_, ""}, {"~/terrain", false, MessageAnswer::No, terrain, ""},
        {"terrain", false, MessageAnswer::No, old, relative.arg("Terrain")}, // a first letter is upper-cased
        {"~other/terrain", false, MessageAnswer::No, old, relative.arg("~other/terrain")},
        {"d", false, MessageAnswer::No, old, letter},
        {"d", false, MessageAnswer::Yes, "D" + old.mid(1), letter}, // the letter replaces the old one's
    };
    window_.Drive_Click();
    frmDrive& drive = *window_.settingsWindows().driveWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        std::ofstream(dir_.path() + "/Drive.dat", std::ios::binary) << old.toStdString();
        platform_.messages.clear();
        platform_.answers = {c.answer};
        platform_.chosenDirectory = c.typed;
        drive.show();
        drive.Form_Activate();
        if (c.browsed)
            drive.Command2->click();
        else
            QTest::keyClicks(drive.Text1, c.typed);
        if (c.typed.startsWith('/')) {
            EXPECT_EQ(drive.Text1->text(), c.typed);
        }
        QTest::keyClick(drive.Command1, Qt::Key_Return);
        EXPECT_EQ(QString::fromStdString(content("Drive.dat")), c.stored);
        EXPECT_EQ(platform_.messages.join('|'), c.message);
        EXPECT_EQ(drive.isVisible(), c.stored == old);
    }
    qputenv("HOME", home);
}

TEST_F(InputWindowTest, ThePicturePathIsChosenOrCreatedBelowTheProgramDirectory)
{
    QDir(programDir_).mkdir(".hidden");
    QDir(programDir_).mkdir("Visible");
    window_.PicPath_Click();
    frmPicturePath& window = *window_.settingsWindows().picturePathWindow();
    EXPECT_EQ(window.Dir1->path(), programDir_);
    auto* tree = qobject_cast<QFileSystemModel*>(window.Dir1->model());
    QStringList folders;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        folders.clear();
        const QModelIndex here = tree->index(programDir_);
        if (tree->canFetchMore(here))
            tree->fetchMore(here);
        for (int row = 0; row < tree->rowCount(here); ++row)
            folders << tree->fileName(tree->index(row, 0, here));
        return folders.contains("Visible");
    }));
    EXPECT_FALSE(folders.contains(".hidden")) << folders.join(' ').toStdString();
    EXPECT_EQ(window.Label4->text(), programDir_);
    EXPECT_FALSE(window.Text1->isVisible() || window.Command3->isVisible());
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTest::keyClicks(window.Text1, "Maps");
    QTest::keyClick(window.Text1, Qt::Key_Return);
    const std::string maps = dir_.path() + "/Maps";
    EXPECT_EQ(platform_.messages, QStringList{QString::fromStdString("Directory '" + maps + "' is created.")});
    EXPECT_EQ(content("Picture.pat"), maps);
    EXPECT_EQ(state_.PictureDir, maps);
    EXPECT_FALSE(window.isVisible());

    window.show();
    window.Command1_Click();
    window.Command3_Click();
    EXPECT_EQ(platform_.messages.last().toStdString(),
        "Error creating directory '" + maps + "'.\r\nReason: " + std::strerror(EEXIST));
    EXPECT_TRUE(window.isVisible());

    const QString gone = programDir_ + "/Gone"; // chosen, then removed before it is selected
    QDir().mkpath(gone);
    window.Dir1->setPath(gone);
    QDir().rmdir(gone);
    window.Command2_Click();
    EXPECT_EQ(platform_.messages.last().toStdString(),
        "Pictures cannot be saved in '" + gone.toStdString() + "'.\r\nReason: " + std::strerror(ENOENT));
    EXPECT_EQ(content("Picture.pat"), maps);
    EXPECT_TRUE(window.isVisible());
    // Escape is the close box of both settings windows: nothing is stored.
    window_.Drive_Click();
    for (QWidget* settings :
        {static_cast<QWidget*>(&window), static_cast<QWidget*>(window_.settingsWindows().driveWindow())}) {
        settings->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(settings));
        QTest::keyClick(settings, Qt::Key_Escape);
        EXPECT_FALSE(settings->isVisible()) << settings->objectName().toStdString();
    }
    EXPECT_EQ(content("Picture.pat"), maps);
}

TEST(ActivationHandler, RunsOnShowAndOnActivationButNeverInsideItself)
{
    QWidget window;
    int runs = 0;
    new ActivationHandler(window, [&] {
        ++runs;
        QEvent again(QEvent::WindowActivate); // what a window shown by the handler can cause
        QApplication::sendEvent(&window, &again);
    });
    window.show();
    QTest::qWait(200);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    EXPECT_EQ(runs, 2);
}

} // namespace
} // namespace marn
