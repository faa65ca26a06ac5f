// The drive window and the picture-directory window against a temporary
// program directory.

#include "core/SharedState.h"
#include "input/DirectoryList.h"
#include "input/DriveList.h"
#include "input/Settings.h"
#include "input/SettingsWindowSet.h"
#include "input/frmDrive.h"
#include "input/frmPicturePath.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>

namespace marn {
namespace {

class SettingsWindowsTest : public ::testing::Test {
protected:
    SettingsWindowsTest() { platform_.setProgramDir(programDir()); }

    QString programDir() const { return dir_.path(); }
    std::string path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)).toStdString(); }
    std::string content(const char* name) const
    {
        std::ifstream file(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    bool exists(const char* name) const { return QFile::exists(QString::fromStdString(path(name))); }
    void write(const char* name, std::string_view bytes) const { std::ofstream(path(name), std::ios::binary) << bytes; }

    frmDrive& driveWindow()
    {
        windows_.showDriveWindow();
        QTest::qWait(100);
        return *windows_.driveWindow();
    }
    frmPicturePath& picturePathWindow()
    {
        windows_.showPicturePathWindow();
        return *windows_.picturePathWindow();
    }

    QTemporaryDir dir_;
    test::FakePlatform platform_{{1280, 1024, 15.0}};
    SharedState state_;
    SettingsWindowSet windows_{state_, platform_};
};

TEST_F(SettingsWindowsTest, FirstStartTypesTheDriveLetterOverTheSelectedC)
{
    LoadSettings(state_, programDir().toStdString(), windows_);
    EXPECT_EQ(state_.DataDrive, "C");
    frmDrive& drive = *windows_.driveWindow();
    QTest::qWait(100);
    EXPECT_EQ(drive.windowTitle(), QStringLiteral("Drive.dat"));
    EXPECT_EQ(drive.Label1->text(), QStringLiteral("Please replace the drive letter."));
    EXPECT_EQ(drive.Text1->selectedText(), QStringLiteral("C"));
    QTest::keyClick(drive.Text1, Qt::Key_D);
    EXPECT_EQ(drive.Text1->text(), QStringLiteral("D"));
    QTest::keyClick(drive.Text1, Qt::Key_Return);
    EXPECT_TRUE(drive.Command1->hasFocus());
    EXPECT_TRUE(drive.isVisible()) << "Enter in the field only moves the focus";
    QTest::keyClick(drive.Command1, Qt::Key_Return);
    EXPECT_EQ(content("Drive.dat"), "D");
    EXPECT_EQ(state_.DataDrive, "D");
    EXPECT_FALSE(drive.isVisible());
}

TEST_F(SettingsWindowsTest, AHandMadeDriveFileGetsTheNewLetterAndKeepsItsPath)
{
    write("Drive.dat", "E:\\DATA\r\n");
    write("Picture.pat", "/p");
    LoadSettings(state_, programDir().toStdString(), windows_);
    EXPECT_EQ(state_.DataDrive, "E:\\DATA");
    frmDrive& drive = driveWindow();
    EXPECT_EQ(drive.Text1->text(), QStringLiteral("E:\\DATA"));
    drive.Text1->selectAll();
    QTest::keyClick(drive.Text1, Qt::Key_F);
    drive.Command1_Click();
    EXPECT_EQ(content("Drive.dat"), "F:\\DATA\r\n");
    EXPECT_EQ(state_.DataDrive, "F");
    LoadSettings(state_, programDir().toStdString(), windows_);
    EXPECT_EQ(state_.DataDrive, "F:\\DATA");
}

TEST_F(SettingsWindowsTest, OkWithoutALetterWritesNothing)
{
    frmDrive& drive = driveWindow();
    drive.Text1->clear();
    drive.Command1_Click();
    EXPECT_EQ(platform_.messages, QStringList{QStringLiteral("A drive letter is required.")});
    EXPECT_FALSE(exists("Drive.dat"));
    EXPECT_TRUE(drive.isVisible());
    EXPECT_TRUE(drive.Text1->hasFocus());
}

TEST_F(SettingsWindowsTest, AnUnwritableDriveFileKeepsTheOldValueAndSaysWhy)
{
    QDir(programDir()).mkdir(QStringLiteral("Drive.dat"));
    state_.DataDrive = "C";
    frmDrive& drive = driveWindow();
    drive.Text1->setText(QStringLiteral("D"));
    drive.Command1_Click();
    ASSERT_EQ(platform_.messages.size(), 1);
    EXPECT_EQ(platform_.messages[0].toStdString(),
        "Error writing file '" + path("Drive.dat") + "'.\r\nReason: " + std::strerror(EISDIR));
    EXPECT_EQ(state_.DataDrive, "C");
    EXPECT_TRUE(drive.isVisible());
}

// A native folder, typed over the selected value or chosen with "Browse…": shown
// whole, neither upper-cased nor cut to one character, stored whole (nothing of a
// longer old value left), and without a MARN directory only when the user keeps it.
TEST_F(SettingsWindowsTest, AFolderIsShownWholeAndStoredWhole)
{
    const struct {
        const char* folder;
        const char* storedDrive;
        bool browsed;
        bool withMarn;
        MessageAnswer answer; // to the question about a folder without MARN
    } cases[] = {{"typed", "C", false, true, MessageAnswer::No},
        {"browsed", "E:\\DATA\\A\\LONGER\\PATH\\THAN\\THE\\FOLDER\\CHOSEN\\BY\\BROWSING\\3S\r\n", true, true,
            MessageAnswer::No},
        {"kept", "C", true, false, MessageAnswer::Yes}, {"not-kept", "C", false, false, MessageAnswer::No}};
    for (const auto& c : cases) {
        write("Drive.dat", c.storedDrive);
        const QString folder = programDir() + "/" + c.folder;
        QDir().mkpath(folder + (c.withMarn ? "/MARN" : ""));
        platform_.messages.clear();
        platform_.answers = {c.answer};
        platform_.chosenDirectory = folder;
        frmDrive& drive = driveWindow();
        drive.Form_Activate();
        if (c.browsed)
            drive.Command2->click();
        else
            QTest::keyClicks(drive.Text1, folder);
        EXPECT_EQ(drive.Text1->text(), folder);
        EXPECT_GT(drive.Text1->width(), QFontMetrics(drive.Text1->font()).horizontalAdvance(folder));
        QTest::keyClick(drive.Command1, Qt::Key_Return);

        const bool kept = c.withMarn || c.answer == MessageAnswer::Yes;
        const QString question = "No MARN directory in " + folder + ".\r\nKeep this folder anyway?";
        EXPECT_EQ(platform_.messages, c.withMarn ? QStringList() : QStringList{question});
        EXPECT_EQ(content("Drive.dat"), kept ? folder.toStdString() : c.storedDrive) << c.folder;
        EXPECT_EQ(drive.isVisible(), !kept);
        drive.hide();
    }
}

TEST_F(SettingsWindowsTest, TheChoiceStartsAtTheProgramDirectory)
{
    frmPicturePath& window = picturePathWindow();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Picture path"));
    EXPECT_EQ(window.Dir1->path(), programDir());
    EXPECT_EQ(window.Label4->text(), programDir());
    EXPECT_EQ(state_.SelectedDir, programDir().toStdString());
    EXPECT_FALSE(window.Label5->isVisible() || window.Text1->isVisible() || window.Command3->isVisible());
    EXPECT_EQ(window.Label5->text(), QStringLiteral("New (sub-) directory name:"));

    window.Command2_Click();
    EXPECT_EQ(content("Picture.pat"), programDir().toStdString());
    EXPECT_EQ(state_.PictureDir, programDir().toStdString());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SettingsWindowsTest, TheListsKeepTheSelectedDirectoryUpToDate)
{
    QDir(programDir()).mkdir(QStringLiteral("sub"));
    write("Picture.pat", "/a/much/longer/stored/picture/directory");
    frmPicturePath& window = picturePathWindow();
    window.Dir1->setPath(programDir() + QStringLiteral("/sub"));
    EXPECT_EQ(window.Label4->text(), programDir() + QStringLiteral("/sub"));
    QTest::mouseClick(window.Command2, Qt::LeftButton);
    EXPECT_EQ(content("Picture.pat"), programDir().toStdString() + "/sub");

    window.show();
    EXPECT_EQ(window.Dir1->path(), programDir()) << "a second showing starts at the program directory again";
    window.Drive1->setDrive(QStringLiteral("/"));
    window.Drive1_Change();
    EXPECT_EQ(state_.SelectedDrive, "/");
    EXPECT_EQ(window.Dir1->path(), QStringLiteral("/"));
    EXPECT_EQ(state_.SelectedDir, "/");
    EXPECT_EQ(DriveList::MountedVolumes().front(), QStringLiteral("/"));
}

TEST_F(SettingsWindowsTest, CreatingADirectoryChoosesAndStoresIt)
{
    frmPicturePath& window = picturePathWindow();
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    EXPECT_TRUE(window.Text1->isVisible() && window.Command3->isVisible() && window.Label5->isVisible());
    window.Command3_Click();
    QTest::keyClicks(window.Text1, QStringLiteral("Maps"));
    window.Command3_Click();
    const std::string maps = programDir().toStdString() + "/Maps";
    EXPECT_EQ(platform_.messages, QStringList({QStringLiteral("A name for the new directory is required."),
                                      QString::fromStdString("Directory '" + maps + "' is created.")}));
    EXPECT_TRUE(QDir(QString::fromStdString(maps)).exists());
    EXPECT_EQ(content("Picture.pat"), maps);
    EXPECT_EQ(state_.PictureDir, maps);
    EXPECT_FALSE(window.isVisible());

    platform_.messages.clear();
    window.show();
    EXPECT_FALSE(window.Text1->isVisible());
    EXPECT_EQ(window.Text1->text(), QStringLiteral("Maps")) << "the name is kept between showings";
    window.Command1_Click();
    window.Command3_Click();
    ASSERT_EQ(platform_.messages.size(), 1);
    EXPECT_EQ(platform_.messages[0].toStdString(),
        "Error creating directory '" + maps + "'.\r\nReason: " + std::strerror(EEXIST));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(content("Picture.pat"), maps);
    EXPECT_EQ(state_.SelectedDir, programDir().toStdString());
}

} // namespace
} // namespace marn
