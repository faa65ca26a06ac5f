// Where the settings files live: next to a program directory that can be
// written, otherwise in the user's configuration folder, which is created.
// Either way a drive written there is what the next load reads.

#include "core/SharedState.h"
#include "input/Settings.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace marn {
namespace {

namespace fs = std::filesystem;

struct NoWindows : SettingsWindows {
    void showPicturePathWindow() override {}
    void showDriveWindow() override {}
};

struct LocationCase {
    const char* name;
    const char* programDir; // below the temporary directory
    const char* expected;   // likewise
};

void PrintTo(const LocationCase& c, std::ostream* os)
{
    *os << c.name;
}

class SettingsLocation : public ::testing::TestWithParam<LocationCase> {};

TEST_P(SettingsLocation, IsWhereTheNextLoadReadsTheDrive)
{
    const LocationCase& c = GetParam();
    test::TempDir temp;
    const fs::path root(temp.path());
    fs::create_directories(root / "bin");
    std::ofstream(root / "file") << "a plain file";

    const std::string dir = SettingsDirectory((root / c.programDir).string(), (root / "config").string());
    EXPECT_EQ(dir, (root / c.expected).string());
    ASSERT_TRUE(SaveDriveFile(dir, "/srv/terrain").ok());
    EXPECT_TRUE(fs::is_regular_file(root / c.expected / "Drive.dat"));
    SharedState state;
    NoWindows windows;
    LoadSettings(state, SettingsDirectory((root / c.programDir).string(), (root / "config").string()), windows);
    EXPECT_EQ(state.DataDrive, "/srv/terrain");
}

INSTANTIATE_TEST_SUITE_P(Places, SettingsLocation,
    ::testing::Values(LocationCase{"NextToAWritableProgram", "bin", "bin"},
        LocationCase{"ConfigurationFolderBelowAPlainFile", "file/bin", "config/marn-viewer"},
        LocationCase{"ConfigurationFolderForAMissingDirectory", "missing", "config/marn-viewer"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
