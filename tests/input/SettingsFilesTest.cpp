// Drive.dat and Picture.pat: where they live, reading their first lines,
// loading both settings, and writing them.

#include "core/SharedState.h"
#include "input/FirstStart.h"
#include "input/Settings.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"
#include "ui/QtPlatform.h"
#include "tests/support/Unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
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

// A stored picture folder that cannot take pictures (missing here) opens its window too.
TEST_F(SettingsDir, LoadingReadsBothFilesAndShowsTheWindowsOfTheMissingOnes)
{
    const struct {
        const char* picturePat; // nullptr: missing
        const char* driveDat;
        const char* pictureDir;
        const char* dataDrive;
        std::vector<std::string> shown;
    } cases[] = {{nullptr, nullptr, "", "C", {"picture path", "drive"}},
        {"", "\r\n", "", "C", {"picture path", "drive"}}, {"D:\\Pictures", "D", "D:\\Pictures", "D", {"picture path"}},
        {"/tmp\r\n/old\r\n", "E:\\DATA\r\n", "/tmp", "E:\\DATA", {}},
        {"/tmp", nullptr, "/tmp", "C", {"drive"}}, {"/nonexistent/pictures", "D", "/nonexistent/pictures", "D", {"picture path"}}};
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

// An installed viewer (prefix/bin, prefix/share/marn/sample-data) started by a
// user who cannot write to the prefix: the settings go below the user's
// configuration folder; the first start stores the installed sample data and a
// folder in the user's pictures folder there and opens no settings window; a
// stored value is kept, and only an unusable one opens its window.
TEST_F(SettingsDir, TheFirstStartOfAnInstalledViewerNeedsNoSettingsWindow)
{
    const fs::path prefix = file("prefix");
    const fs::path sample = prefix / "share/marn/sample-data";
    fs::create_directories(sample / "MARN");
    fs::create_directories(prefix / "bin");
    fs::create_directories(file("build/app"));
    const fs::path home = file("home");
    fs::create_directories(home / "mine");
    write("home/file", "a plain file");
    test::OpenToOthers(dir.path());
    test::OpenToOthers(file("build"));
    for (const fs::path& folder : {home, home / "mine", file("build/app")})
        test::OpenToOthers(folder.string(), true);
    const fs::path prefixFolders[] = {prefix, prefix / "share", prefix / "share/marn", sample, sample / "MARN", prefix / "bin"};
    for (const fs::path& folder : prefixFolders)
        fs::permissions(folder, fs::perms(0555));
    const fs::path config = home / ".config/marn-viewer";
    const std::string pictures = (home / "Pictures/marn").string();

    const struct {
        const char* name;
        fs::path programDir;
        fs::path picturesHome; // "": none
        std::string driveDat; // stored before the start; "": missing
        std::string picturePat;
        std::string dataDrive, pictureDir, shown;
    } cases[] = {
        {"fresh", prefix / "bin", home / "Pictures", "", "", sample.string(), pictures, ""},
        {"kept", prefix / "bin", home / "Pictures", "/srv/terrain", (home / "mine").string(), "/srv/terrain",
            (home / "mine").string(), ""},
        {"no pictures folder", prefix / "bin", home / "file", "", "", sample.string(), "", "picture path,"},
        {"unwritable pictures", prefix / "bin", home / "Pictures", "", (prefix / "bin").string(), sample.string(),
            (prefix / "bin").string(), "picture path,"},
        {"build tree", file("build/app"), home / "Pictures", "", "", "C", "", "picture path,drive,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(home / ".config");
        fs::remove_all(home / "Pictures");
        fs::create_directories(config);
        test::OpenToOthers((home / ".config").string(), true);
        test::OpenToOthers(config.string(), true);
        if (!c.driveDat.empty())
            std::ofstream(config / DriveFileName) << c.driveDat;
        if (!c.picturePat.empty())
            std::ofstream(config / PictureFileName) << c.picturePat;
        const std::string answer = test::AsUnprivilegedUser([&] {
            const std::string settingsDir = SettingsDirectory(c.programDir.string(), (home / ".config").string());
            const std::string installed = InstalledSampleData(c.programDir.string());
            if (!installed.empty())
                WriteFirstStartSettings(settingsDir, {installed, (c.picturesHome / "marn").string()});
            SharedState state;
            RecordingWindows windows;
            LoadSettings(state, settingsDir, windows);
            std::string shown;
            for (const std::string& window : windows.shown)
                shown += window + ",";
            return settingsDir + "|" + state.DataDrive + "|" + state.PictureDir + "|" + shown;
        });
        const std::string settingsDir = c.programDir == prefix / "bin" ? config.string() : c.programDir.string();
        EXPECT_EQ(answer, settingsDir + "|" + c.dataDrive + "|" + c.pictureDir + "|" + c.shown);
        EXPECT_FALSE(fs::exists(prefix / "bin" / DriveFileName) || fs::exists(prefix / "bin" / PictureFileName));
    }
    EXPECT_EQ(test::AsUnprivilegedUser([&] { return PictureFolderProblem((prefix / "bin").string()); }),
        std::strerror(EACCES));
    for (const fs::path& folder : prefixFolders)
        fs::permissions(folder, fs::perms(0755));
}

} // namespace
} // namespace marn
