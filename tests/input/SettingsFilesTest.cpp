// Drive.dat and Picture.pat: where they live, reading their first lines,
// loading both settings, and writing them.

#include "core/SharedState.h"
#include "input/Settings.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"
#include "ui/QtPlatform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include <QScopeGuard>

namespace marn {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SettingsDir : public ::testing::Test {
protected:
    fs::path file(const char* name) const { return fs::path(dir.path()) / name; }
    void write(const char* name, const char* bytes) const
    {
        if (bytes)
            std::ofstream(file(name), std::ios::binary) << bytes;
    }
    long entries() const { return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}); }

    test::TempDir dir;
};

TEST_F(SettingsDir, LiveNextToAWritableProgramOtherwiseInTheConfigurationFolder)
{
    fs::create_directories(file("bin"));
    write("plain", "a plain file, no directory");
    const QByteArray home = qgetenv("HOME"), xdg = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] { qputenv("HOME", home), qputenv("XDG_CONFIG_HOME", xdg); });
    qputenv("HOME", file("home").c_str());
    // The configuration folder is $XDG_CONFIG_HOME when that is an absolute path, otherwise ~/.config.
    for (const auto& [programDir, xdgConfig, expected] : {std::tuple{"bin", file("config"), "bin"},
             {"plain", file("config"), "config/marn-viewer"}, {"plain/bin", file("config"), "config/marn-viewer"},
             {"plain", fs::path("config"), "home/.config/marn-viewer"}}) {
        qputenv("XDG_CONFIG_HOME", xdgConfig.c_str());
        const std::string settings =
            SettingsDirectory(file(programDir).string(), ConfigHomeFromEnvironment().toStdString());
        EXPECT_EQ(settings, file(expected).string());
        EXPECT_TRUE(SaveDriveFile(settings, "/srv/terrain").ok());
        EXPECT_EQ(Content(file(expected) / "Drive.dat"), "/srv/terrain");
    }
}

TEST(FirstLine, EndsAtTheFirstCarriageReturn)
{
    for (const auto& [content, line] : {std::pair{"C", "C"}, {"E:\\DATA\r\n", "E:\\DATA"},
             {"D:\\A\r\nD:\\B\r\n", "D:\\A"}, {"D:\\A\rB", "D:\\A"}, {"D:\\A\nB", "D:\\A\nB"}, {"", ""}, {"\r\nX", ""}})
        EXPECT_EQ(FirstLine(content), line) << content;
}

class RecordingWindows : public SettingsWindows {
public:
    void showPicturePathWindow() override { shown.push_back("picture path"); }
    void showDriveWindow() override { shown.push_back("drive"); }
    std::vector<std::string> shown;
};

TEST_F(SettingsDir, LoadingReadsBothFilesAndShowsTheWindowsOfTheMissingOnes)
{
    const struct {
        const char* picturePat; // nullptr: missing
        const char* driveDat;
        const char* pictureDir;
        const char* dataDrive;
        std::vector<std::string> shown;
    } cases[] = {{nullptr, nullptr, "", "C", {"picture path", "drive"}},
        {"", "\r\n", "", "C", {"picture path", "drive"}}, {"D:\\Pictures", "D", "D:\\Pictures", "D", {}},
        {"/srv/pictures\r\n/old\r\n", "E:\\DATA\r\n", "/srv/pictures", "E:\\DATA", {}},
        {"P", nullptr, "P", "C", {"drive"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pictureDir);
        fs::remove(file(PictureFileName));
        fs::remove(file(DriveFileName));
        write(PictureFileName, c.picturePat);
        write(DriveFileName, c.driveDat);
        SharedState state;
        state.PictureDir = state.DataDrive = "old";
        RecordingWindows windows;
        LoadSettings(state, dir.path(), windows);
        EXPECT_EQ(state.PictureDir, c.pictureDir);
        EXPECT_EQ(state.DataDrive, c.dataDrive);
        EXPECT_EQ(windows.shown, c.shown);
    }
}

TEST_F(SettingsDir, ADriveIsWrittenOverTheStartOfAHandMadeFile)
{
    const struct {
        const char* before; // nullptr: missing
        const char* drive;
        const char* after;
    } cases[] = {{nullptr, "D", "D"}, {"E:\\DATA\r\n", "F", "F:\\DATA\r\n"}, {"C", "E:\\DATA", "E:\\DATA"},
        {"/srv/terrain\r\n", "F", "F"}};
    for (const auto& c : cases) {
        fs::remove(file(DriveFileName));
        write(DriveFileName, c.before);
        ASSERT_TRUE(SaveDriveFile(dir.path(), c.drive).ok());
        EXPECT_EQ(Content(file(DriveFileName)), c.after) << c.drive;
    }
}

TEST_F(SettingsDir, APicturePathReplacesTheFileWholeOrNotAtAll)
{
    ASSERT_TRUE(SavePictureFile(dir.path(), "/a/longer/old/picture/path").ok());
    ASSERT_TRUE(SavePictureFile(dir.path(), "/old/pictures").ok());
    EXPECT_EQ(Content(file(PictureFileName)), "/old/pictures");
    WriteResult result;
    {
        test::FileSizeLimit full(4);
        result = SavePictureFile(dir.path(), "/a/much/longer/picture/directory");
    }
    EXPECT_EQ(result.failure, std::strerror(EFBIG));
    EXPECT_EQ(Content(file(PictureFileName)), "/old/pictures");
    EXPECT_EQ(entries(), 1) << "no temporary left";
    EXPECT_EQ(SavePictureFile(dir.path() + "/missing", "/p").failure, std::strerror(ENOENT));
    EXPECT_EQ(WriteFailureMessage("/x/Drive.dat", "Is a directory"),
        "Error writing file '/x/Drive.dat'.\r\nReason: Is a directory");
}

} // namespace
} // namespace marn
