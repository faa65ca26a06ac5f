// Runs the marn tool's height command as a separate process.

#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// Runs "marn height" with the arguments from workingDir; standard output and exit status.
std::pair<std::string, int> Marn(const std::string& arguments, const std::string& workingDir)
{
    return marn::test::Shell("cd '" + workingDir + "' && " + MARN_EXE + " height " + arguments + " 2>/dev/null");
}

// The reader's worked example at (47.30125, 7.501) gives 112; a flat tile at -25 m
// south-west; 36 for a missing tile, 300 for a latitude beyond the pole. Usage
// errors end with status 2 and print nothing; a relative data drive lies below
// the current directory (status 1 where that folder does not exist).
TEST(HeightCommand, AnswersEachPointWithHeightAndErrorValue)
{
    marn::test::TempDir dir;
    const std::string path = marn::test::WriteFlatTile(dir.path(), 47, 7, 0);
    for (const auto& [offset, height] : {std::pair{12324, 100}, {12326, 110}, {12526, 120}, {12528, 130}})
        marn::test::WriteInt16At(path, 42 * 20402 + offset, static_cast<std::int16_t>(height));
    marn::test::WriteFlatTile(dir.path(), -8, -8, -25);
    const std::filesystem::path data(dir.path());
    const std::string drive = "--data-drive " + dir.path();
    const std::string parent = data.parent_path().string();
    const struct {
        std::string arguments, workingDir, out;
        int status;
    } cases[] = {
        {drive + " 47.30125 7.501", parent, "112 0\n", 0},
        {"--data-drive=" + dir.path() + " 47.30125 7.501", parent, "112 0\n", 0},
        {"47.30125 7.501 " + drive, parent, "112 0\n", 0},
        {drive + " 47.30125 7.501 -7.5 -7.5 10 10 95 7", parent, "112 0\n-25 0\n0 36\n0 300\n", 0},
        {drive + " -- -7.5 352.5", parent, "-25 0\n", 0},
        {"--data-drive " + data.filename().string() + " 47.30125 7.501", parent, "112 0\n", 0},
        {"--data-drive " + data.filename().string() + " 47.30125 7.501", dir.path(), "", 1},
        {"47.3 7.5", parent, "", 2},
        {drive, parent, "", 2},
        {drive + " 47.3", parent, "", 2},
        {drive + " 47.3 east", parent, "", 2},
        {drive + " 47.3x 7.5", parent, "", 2},
        {drive + " --colour 1 47 7", parent, "", 2},
        {"--data-drive", parent, "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments + " in " + c.workingDir);
        EXPECT_EQ(Marn(c.arguments, c.workingDir), std::make_pair(c.out, c.status));
    }
}

} // namespace
