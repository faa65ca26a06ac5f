// The marn tool's manners as a shell user meets them: help and version on
// standard output with status 0, usage errors as one line and a hint on
// standard error with status 2, failures with status 1.

#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

struct MarnRun {
    int status = -1;
    std::string out, err;
};

// Runs "marn ARGS" without XDG_RUNTIME_DIR in the environment.
MarnRun Marn(const std::string& args, const std::string& scratch)
{
    const auto [out, status] =
        marn::test::Shell("env -u XDG_RUNTIME_DIR " MARN_EXE " " + args + " 2>" + scratch + "/err </dev/null");
    std::ifstream err(scratch + "/err");
    return {status, out, {std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>()}};
}

TEST(MarnCommand, AnswersHelpAndVersionAndRefusesWithTheStatusOfEachError)
{
    marn::test::TempDir scratch;
    marn::test::TempDir data;
    marn::test::WriteFlatTile(data.path(), 47, 7, 0);
    marn::test::TempDir empty;
    marn::test::TempDir damaged;
    marn::test::WriteFileOfLength(marn::test::TilePath(damaged.path(), 47, 7), 1000);
    const std::string hint = "\nTry 'marn --help' for more information.\n";
    const std::string render = "render --screen 640x480 --center 47.5,7.5 --length 20 --data-drive ";
    const struct {
        std::string args;
        int status;
        std::string out; // a regular expression the whole standard output matches
        std::string err; // the same for standard error
    } cases[] = {
        {"--version", 0, R"(marn \d+\.\d+(\.\d+)?\n)", ""},
        {"--help", 0, R"(usage: marn <command> \[options\]\n[\s\S]*)", ""},
        {"help", 0, R"(usage: marn <command> \[options\]\n[\s\S]*)", ""},
        {"help height", 0, R"(usage: marn height --data-drive D LAT LON[\s\S]*)", ""},
        {"height --help", 0, R"(usage: marn height --data-drive D LAT LON[\s\S]*)", ""},
        {"help render", 0, R"(usage: marn render --data-drive D[\s\S]*)", ""},
        {"render --help", 0, R"(usage: marn render --data-drive D[\s\S]*)", ""},
        {"help import", 0, R"(usage: marn import --out DIR[\s\S]*)", ""},
        {"import --help", 0, R"(usage: marn import --out DIR[\s\S]*)", ""},
        {"", 2, "", "marn: no command given" + hint},
        {"heights", 2, "", "marn: unknown command 'heights'" + hint},
        {"--verbose", 2, "", "marn: unknown command '--verbose'" + hint},
        {"help heights", 2, "", "marn help: unknown command 'heights'\nTry 'marn help --help' for more information.\n"},
        {"height --data-drive " + data.path() + " 0x10 7", 2, "",
            "marn height: '0x10' is not a number\nTry 'marn height --help' for more information.\n"},
        {"height --data-drive " + data.path() + " 47.5 inf", 2, "", "marn height: 'inf' is not a number\n.*\n"},
        {"height --data-drive " + data.path() + " 47.5 7.5x", 2, "", "marn height: '7.5x' is not a number\n.*\n"},
        {"height --data-drive " + data.path() + " 47.5 1e999", 2, "", "marn height: '1e999' is not a number\n.*\n"},
        {"height --data-drive " + data.path() + " 47.5 7.5 10 10", 0, "0 0\n0 36\n", ""},
        {"height --data-drive " + data.path() + "/none 47.5 7.5", 1, "",
            "marn height: the data folder " + data.path() + "/none does not exist\n"},
        {"height --data-drive " + empty.path() + " 47.5 7.5", 1, "",
            "marn height: No MARN directory in " + empty.path() + ".\n"},
        {"render --screen 1x1", 2, "", "marn render: .*\nTry 'marn render --help' for more information.\n"},
        {"import --out", 2, "", "marn import: .*\nTry 'marn import --help' for more information.\n"},
        {render + damaged.path(), 1, "",
            "Error reading heigt data, Error value = 700\n" + marn::test::TilePath(damaged.path(), 47, 7) + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("marn " + c.args);
        const MarnRun run = Marn(c.args, scratch.path());
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(std::regex_match(run.out, std::regex(c.out))) << run.out;
        EXPECT_TRUE(std::regex_match(run.err, std::regex(c.err))) << run.err;
    }
}

} // namespace
