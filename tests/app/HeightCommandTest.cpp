// Runs the marn tool's height command as a separate process.

#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

using marn::test::TempDir;

struct ToolRun {
    std::string out;
    int status = -1;
};

// Runs "marn height" with the arguments, from workingDir when one is given.
ToolRun Marn(const std::string& arguments, const std::string& workingDir = "")
{
    ToolRun run;
    const std::string cd = workingDir.empty() ? "" : "cd '" + workingDir + "' && ";
    const std::string command = cd + std::string(MARN_EXE) + " height " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        run.out += buffer;
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class HeightCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = marn::test::WriteFlatTile(dir.path(), 47, 7, 0);
        const std::int64_t block43 = 42 * 20402;
        marn::test::WriteInt16At(path, block43 + 12324, 100);
        marn::test::WriteInt16At(path, block43 + 12326, 110);
        marn::test::WriteInt16At(path, block43 + 12526, 120);
        marn::test::WriteInt16At(path, block43 + 12528, 130);
        marn::test::WriteFlatTile(dir.path(), -8, -8, -25);
    }
    TempDir dir;
};

TEST_F(HeightCommandTest, AnswersEachPointWithHeightAndErrorValue)
{
    struct Case {
        std::string arguments;
        std::string out;
    };
    const Case cases[] = {
        {"--data-drive " + dir.path() + " 47.30125 7.501", "112 0\n"},
        {"--data-drive=" + dir.path() + " 47.30125 7.501", "112 0\n"},
        {"47.30125 7.501 --data-drive " + dir.path(), "112 0\n"},
        {"--data-drive " + dir.path() + " 47.30125 7.501 -7.5 -7.5 10 10 95 7", "112 0\n-25 0\n0 36\n0 300\n"},
        {"--data-drive " + dir.path() + " -- -7.5 352.5", "-25 0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ToolRun run = Marn(c.arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.out);
    }
}

TEST_F(HeightCommandTest, WrongArgumentsAreUsageErrors)
{
    const std::string drive = "--data-drive " + dir.path();
    for (const std::string& arguments : {std::string("47.3 7.5"), drive, drive + " 47.3", drive + " 47.3 east",
             drive + " --colour 1 47 7", std::string("--data-drive")}) {
        SCOPED_TRACE(arguments);
        const ToolRun run = Marn(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(HeightCommandTest, RelativeDataDriveIsTakenFromTheCurrentDirectory)
{
    const std::filesystem::path data(dir.path());
    struct Case {
        std::string workingDir;
        std::string out;
    };
    const Case cases[] = {
        {data.parent_path().string(), "112 0\n"},
        {data.string(), "0 36\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.workingDir);
        const ToolRun run = Marn("--data-drive " + data.filename().string() + " 47.30125 7.501", c.workingDir);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.out);
    }
}

TEST_F(HeightCommandTest, HelpGoesToStandardOutput)
{
    const ToolRun run = Marn("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("usage: marn height"), std::string::npos);
}

} // namespace
