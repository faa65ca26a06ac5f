// The drive window with a native folder: typed over the letter (neither
// upper-cased nor cut to one character) or chosen with "Browse…", shown whole,
// stored whole in Drive.dat; a folder without MARN only when the user keeps it.

#include "core/SharedState.h"
#include "input/Settings.h"
#include "input/SettingsWindowSet.h"
#include "input/frmDrive.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>

namespace marn {
namespace {

enum class Entry { Typed, Browsed };

struct FolderCase {
    const char* name;
    const char* storedDrive; // Drive.dat before, nullptr: missing
    Entry entry;
    bool withMarn;
    MessageAnswer answer; // to the question about a folder without MARN
    bool stored;
};

void PrintTo(const FolderCase& c, std::ostream* os)
{
    *os << c.name;
}

class DriveFolder : public ::testing::TestWithParam<FolderCase> {
protected:
    std::string driveFile() const
    {
        std::ifstream file(dir_.filePath("Drive.dat").toStdString(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir dir_;
    test::FakePlatform platform_{{1280, 1024, 15.0}, dir_.path()};
    SharedState state_;
    SettingsWindowSet windows_{state_, platform_};
};

TEST_P(DriveFolder, IsShownWholeAndStoredWhole)
{
    const FolderCase& c = GetParam();
    if (c.storedDrive != nullptr)
        std::ofstream(dir_.filePath("Drive.dat").toStdString(), std::ios::binary) << c.storedDrive;
    const QString folder = dir_.filePath("terrain/dem");
    QDir().mkpath(folder + (c.withMarn ? "/MARN" : ""));
    LoadSettings(state_, dir_.path().toStdString(), windows_);
    windows_.showDriveWindow();
    frmDrive& drive = *windows_.driveWindow();
    QTest::qWait(50);
    platform_.answers = {c.answer};

    if (c.entry == Entry::Typed) {
        QTest::keyClicks(drive.Text1, folder);
    } else {
        platform_.chosenDirectory = folder;
        drive.Command2->click();
    }
    EXPECT_EQ(drive.Text1->text(), folder);
    EXPECT_TRUE(drive.showsFolder());
    EXPECT_GT(drive.Text1->width(), QFontMetrics(drive.Text1->font()).horizontalAdvance(folder));
    QTest::keyClick(drive.Command1, Qt::Key_Return);

    const QStringList question{"No MARN directory in " + folder + ".\r\nKeep this folder anyway?"};
    EXPECT_EQ(platform_.messages, c.withMarn ? QStringList() : question);
    EXPECT_EQ(driveFile(), c.stored ? folder.toStdString() : std::string(c.storedDrive ? c.storedDrive : ""));
    EXPECT_EQ(state_.DataDrive == folder.toStdString(), c.stored);
    EXPECT_EQ(drive.isVisible(), !c.stored);
}

INSTANTIATE_TEST_SUITE_P(Folders, DriveFolder,
    ::testing::Values(FolderCase{"TypedOverTheLetter", nullptr, Entry::Typed, true, MessageAnswer::No, true},
        FolderCase{"Browsed", "C", Entry::Browsed, true, MessageAnswer::No, true},
        FolderCase{"BrowsedOverALongerDriveAndPath", "E:\\DATA\\TERRAIN\\DEM\\FILES\\3S\r\n", Entry::Browsed, true,
            MessageAnswer::No, true},
        FolderCase{"WithoutMarnKept", "C", Entry::Typed, false, MessageAnswer::Yes, true},
        FolderCase{"WithoutMarnNotKept", "C", Entry::Browsed, false, MessageAnswer::No, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
