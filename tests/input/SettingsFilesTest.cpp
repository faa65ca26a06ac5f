// Drive.dat and Picture.pat: reading the first line, loading both settings,
// writing them, and creating picture directories.

#include "core/SharedState.h"
#include "input/DirectoryCreation.h"
#include "input/Settings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>

namespace marn {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsDir : public ::testing::Test {
protected:
    std::string dir() const { return temp_.path().toStdString(); }
    fs::path file(const char* name) const { return fs::path(dir()) / name; }

private:
    QTemporaryDir temp_;
};

TEST_F(SettingsDir, LiveNextToAWritableProgramOtherwiseInTheConfigurationFolder)
{
    fs::create_directories(file("bin"));
    Write(file("plain"), "a plain file, no directory");
    const struct {
        const char* programDir;
        const char* expected;
    } places[] = {{"bin", "bin"}, {"plain/bin", "config/marn-viewer"}};
    for (const auto& place : places) {
        const std::string settings = SettingsDirectory(file(place.programDir).string(), file("config").string());
        EXPECT_EQ(settings, file(place.expected).string());
        EXPECT_TRUE(SaveDriveFile(settings, "/srv/terrain").ok());
        EXPECT_EQ(Content(file(place.expected) / "Drive.dat"), "/srv/terrain");
    }
}

struct FirstLineCase {
    const char* content;
    const char* line;
};

class FirstLineTest : public ::testing::TestWithParam<FirstLineCase> {};

TEST_P(FirstLineTest, EndsAtTheFirstCarriageReturn)
{
    EXPECT_EQ(FirstLine(GetParam().content), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Contents, FirstLineTest,
    ::testing::Values(FirstLineCase{"C", "C"}, FirstLineCase{"E:\\DATA\r\n", "E:\\DATA"},
        FirstLineCase{"D:\\A\r\nD:\\B\r\n", "D:\\A"}, FirstLineCase{"D:\\A\rB", "D:\\A"},
        FirstLineCase{"D:\\A\nB", "D:\\A\nB"}, FirstLineCase{"", ""}, FirstLineCase{"\r\nX", ""}));

class RecordingWindows : public SettingsWindows {
public:
    void showPicturePathWindow() override { shown.push_back("picture path"); }
    void showDriveWindow() override { shown.push_back("drive"); }
    std::vector<std::string> shown;
};

struct LoadCase {
    const char* name;
    const char* picturePat; // nullptr: missing
    const char* driveDat;
    const char* pictureDir;
    const char* dataDrive;
    std::vector<std::string> shown;
};

class LoadSettingsTest : public SettingsDir, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadSettingsTest, ReadsBothFilesAndShowsTheWindowsOfTheMissingOnes)
{
    const LoadCase& c = GetParam();
    if (c.picturePat)
        Write(file(PictureFileName), c.picturePat);
    if (c.driveDat)
        Write(file(DriveFileName), c.driveDat);
    SharedState state;
    state.PictureDir = "old";
    state.DataDrive = "old";
    RecordingWindows windows;
    LoadSettings(state, dir(), windows);
    EXPECT_EQ(state.PictureDir, c.pictureDir);
    EXPECT_EQ(state.DataDrive, c.dataDrive);
    EXPECT_EQ(windows.shown, c.shown);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadSettingsTest,
    ::testing::Values(LoadCase{"BothMissing", nullptr, nullptr, "", "C", {"picture path", "drive"}},
        LoadCase{"BothEmpty", "", "", "", "C", {"picture path", "drive"}},
        LoadCase{"EmptyFirstLines", "\r\n", "\r\n", "", "C", {"picture path", "drive"}},
        LoadCase{"AsWritten", "D:\\Pictures", "D", "D:\\Pictures", "D", {}},
        LoadCase{"HandMadeWithLineEnds", "/srv/pictures\r\n/old\r\n", "E:\\DATA\r\n", "/srv/pictures", "E:\\DATA", {}},
        LoadCase{"OnlyDriveMissing", "P", nullptr, "P", "C", {"drive"}}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsDir, DirectoriesNamedLikeTheFilesCountAsMissing)
{
    fs::create_directory(file(PictureFileName));
    fs::create_directory(file(DriveFileName));
    SharedState state;
    RecordingWindows windows;
    LoadSettings(state, dir(), windows);
    EXPECT_EQ(state.PictureDir, "");
    EXPECT_EQ(state.DataDrive, "C");
    EXPECT_EQ(windows.shown.size(), 2U);
}

struct DriveSaveCase {
    const char* name;
    const char* before; // nullptr: missing
    const char* drive;
    const char* after;
};

class SaveDriveTest : public SettingsDir, public ::testing::WithParamInterface<DriveSaveCase> {};

TEST_P(SaveDriveTest, WritesOverTheStartWithoutShortening)
{
    const DriveSaveCase& c = GetParam();
    if (c.before)
        Write(file(DriveFileName), c.before);
    ASSERT_TRUE(SaveDriveFile(dir(), c.drive).ok());
    EXPECT_EQ(Content(file(DriveFileName)), c.after);
}

INSTANTIATE_TEST_SUITE_P(Files, SaveDriveTest,
    ::testing::Values(DriveSaveCase{"Created", nullptr, "D", "D"},
        DriveSaveCase{"HandMadeKeepsItsPath", "E:\\DATA\r\n", "F", "F:\\DATA\r\n"},
        DriveSaveCase{"LongerOverShorter", "C", "E:\\DATA", "E:\\DATA"},
        DriveSaveCase{"NativePathReplacedWhole", "/srv/terrain\r\n", "F", "F"}),
    [](const ::testing::TestParamInfo<DriveSaveCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsDir, PicturePatHoldsExactlyTheLastPath)
{
    ASSERT_TRUE(SavePictureFile(dir(), "D:\\Pictures\\Long").ok());
    ASSERT_TRUE(SavePictureFile(dir(), "D:\\Pictures").ok());
    EXPECT_EQ(Content(file(PictureFileName)), "D:\\Pictures");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator{}), 1) << "no temporary left";
}

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

TEST_F(SettingsDir, AFailedReplacementKeepsTheOldPicturePat)
{
    Write(file(PictureFileName), "/old/pictures");
    WriteResult result;
    {
        FileSizeLimit full(4);
        result = SavePictureFile(dir(), "/a/much/longer/picture/directory");
    }
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failure, std::strerror(EFBIG));
    EXPECT_EQ(Content(file(PictureFileName)), "/old/pictures");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator{}), 1) << "no temporary left";
}

TEST_F(SettingsDir, WritingFailuresCarryTheSystemsReason)
{
    fs::create_directory(file(DriveFileName));
    const WriteResult drive = SaveDriveFile(dir(), "D");
    EXPECT_EQ(drive.failure, std::strerror(EISDIR));
    const WriteResult picture = SavePictureFile(dir() + "/missing", "/p");
    EXPECT_EQ(picture.failure, std::strerror(ENOENT));
    EXPECT_EQ(WriteFailureMessage("/x/Drive.dat", drive.failure),
        "Error writing file '/x/Drive.dat'.\r\nReason: " + drive.failure);
}

TEST_F(SettingsDir, CreatesOneLevelAndReportsWhatFails)
{
    const std::string maps = JoinDirectory(dir(), "Maps");
    EXPECT_EQ(CreateOneDirectory(maps), "");
    EXPECT_TRUE(fs::is_directory(maps));
    EXPECT_EQ(CreateOneDirectory(maps), std::strerror(EEXIST));
    EXPECT_EQ(JoinDirectory("/", "Maps"), "/Maps");
    EXPECT_EQ(JoinDirectory(dir(), "a\\b"), dir() + "/a/b");
    EXPECT_EQ(CreateOneDirectory(JoinDirectory(dir(), "a\\b")), std::strerror(ENOENT));
    EXPECT_EQ(DirectoryCreatedMessage(maps), "Directory '" + maps + "' is created.");
    EXPECT_EQ(
        DirectoryFailedMessage(maps, "File exists"), "Error creating directory '" + maps + "'.\r\nReason: File exists");
}

} // namespace
} // namespace marn
