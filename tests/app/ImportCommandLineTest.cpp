#include "app/ImportCommandLine.h"

#include "tests/import/GeoTiffFixture.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace marn::import {
namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

CommandRun RunCommand(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.status = cli::RunImportCommand(args, out, err, false);
    run.out = out.str();
    run.err = err.str();
    return run;
}

struct UsageCase {
    std::vector<std::string> args;
    const char* message;
};

void PrintTo(const UsageCase& usage, std::ostream* os)
{
    *os << '"' << usage.message << '"';
}

class ImportUsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(ImportUsageTest, EndsWithStatusTwoAndTheUsage)
{
    const CommandRun run = RunCommand(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage: marn import --out DIR"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Arguments, ImportUsageTest,
    testing::Values(UsageCase{{"a.tif"}, "--out DIR is missing"}, UsageCase{{"--out", "d"}, "no SOURCE given"},
        UsageCase{{"--out"}, "option --out needs a value"}, UsageCase{{"--out=", "a.tif"}, "--out DIR is missing"},
        UsageCase{{"--out", "d", "--fill", "a.tif"}, "unknown option --fill"},
        UsageCase{{"--out", "d", "--fill-voids=0", "a.tif"}, "--fill-voids needs a number"},
        UsageCase{{"--out", "d", "--fill-voids=ten", "a.tif"}, "--fill-voids needs a number"},
        UsageCase{{"--out", "d", "--fill-voids=301", "a.tif"}, "--fill-voids needs a number of cells from 1 to 300"},
        UsageCase{{"--out", "d", "--fill-holes=0.5", "a.tif"}, "--fill-holes needs a number of cells from 1 to 300"},
        UsageCase{{"--out", "d", "--fill-voids", "--fill-holes", "a.tif"}, "exclude each other"},
        UsageCase{{"--out", "d", "--jobs", "0", "a.tif"}, "--jobs needs a whole number from 1 to 64, not '0'"},
        UsageCase{{"--out", "d", "--jobs=1.5", "a.tif"}, "--jobs needs a whole number"},
        UsageCase{{"--out", "d", "--area", "45,10,46", "a.tif"}, "--area needs S,W,N,E"},
        UsageCase{{"--out", "d", "--area=46,10,45,11", "a.tif"}, "--area needs S,W,N,E"},
        UsageCase{{"--out", "d", "--area=45,11,46,11", "a.tif"}, "--area needs S,W,N,E"}));

TEST(ImportCommand, HelpGoesToStandardOutput)
{
    const CommandRun run = RunCommand({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--fill-voids[=CELLS]"), std::string::npos);
}

class ImportCommandTest : public testing::Test {
protected:
    marn::test::TempDir dir;
    std::string out = dir.path() + "/data";
    std::string source = dir.path() + "/source.tif";
};

TEST_F(ImportCommandTest, WritesTheTilesAndTheSummary)
{
    test::RasterSpec desc = test::AlignedRaster(45 * 3600 + 1800, 10 * 3600 + 1800, 3, 4, 4, -20);
    desc.values[0] = 40000;
    test::WriteGeoTiff(source, desc);
    const CommandRun run = RunCommand({"--out", out, "--fill-voids=2", "--sea-level", source});
    EXPECT_EQ(run.status, 0) << run.err;

    long long filled = -1;
    long long missing = -1;
    const std::string line = "MARN/E010/E010N45.33E  written, nodes filled ";
    ASSERT_EQ(run.out.rfind(line, 0), 0U) << run.out;
    std::istringstream(run.out.substr(line.size())) >> filled;
    std::istringstream(run.out.substr(run.out.find("nodes missing ") + 14)) >> missing;
    EXPECT_GT(filled, 4 * 4);
    EXPECT_EQ(filled + missing, 1201LL * 1201 - 4 * 4);
    EXPECT_NE(run.out.find("tiles written 1, kept 0, without data 0; nodes filled " + std::to_string(filled)),
        std::string::npos)
        << run.out;

    EXPECT_NE(run.err.find("marn import: warning: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" above 32767"), std::string::npos) << run.err;
    EXPECT_EQ(test::StoredNode(out, {45, 10}, 600, 600), 0);
    EXPECT_EQ(test::StoredNode(out, {45, 10}, 603, 600), 32767);
}

TEST_F(ImportCommandTest, AreaImportsOnlyTheTilesInItsBox)
{
    // 20 x 4 cells across 11 E, in tiles E010 and E011.
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600 + 1800, 10 * 3600 + 3570, 3, 20, 4, 7));
    const CommandRun run = RunCommand({"--out", out, "--area=45,11,46,12", source});
    EXPECT_EQ(run.out.find("E010"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.rfind("MARN/E011/E011N45.33E  written", 0), 0U) << run.out;
}

TEST_F(ImportCommandTest, FailsWithOneLineAndStatusOneOnABadSource)
{
    std::ofstream(source) << "no raster";
    const CommandRun run = RunCommand({"--out", out, source});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("marn import: cannot read source " + source, 0), 0U) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ImportCommandTest, FailsWithStatusOneWhenTheOutputIsNoDirectory)
{
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600, 10 * 3600, 3, 4, 4, 1));
    std::ofstream(out) << "a file";
    const CommandRun run = RunCommand({"--out", out, source});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is not a directory"), std::string::npos) << run.err;
}

// The tiles under `dir`, and how many temporaries are being written beside them.
std::pair<std::vector<fs::path>, int> TilesAndTemporaries(const fs::path& dir)
{
    std::pair<std::vector<fs::path>, int> found;
    std::error_code error;
    for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file() && it->path().filename().string().find(".part") != std::string::npos)
            ++found.second;
        else if (it->is_regular_file())
            found.first.push_back(it->path());
    }
    return found;
}

// Four tiles built two at a time; SIGINT once a tile is in place while another is being written.
TEST_F(ImportCommandTest, AnInterruptLeavesOnlyWholeTilesAndARerunKeepsThem)
{
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600 + 15, 8 * 3600 + 15, 30, 240, 240, 321));
    std::vector<std::string> words{"marn-import", "--out", out, "--jobs", "2", source};
    std::vector<char*> argv{
        words[0].data(), words[1].data(), words[2].data(), words[3].data(), words[4].data(), words[5].data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, MARN_IMPORT_EXE, nullptr, nullptr, argv.data(), environ), 0);
    int status = 0;
    for (;;) {
        const auto [tiles, temporaries] = TilesAndTemporaries(out);
        if (!tiles.empty() && temporaries > 0)
            ::kill(child, SIGINT);
        if (::waitpid(child, &status, tiles.empty() || temporaries == 0 ? WNOHANG : 0) != 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(WIFSIGNALED(status) ? WTERMSIG(status) == SIGINT : WEXITSTATUS(status) == 0) << status;

    const auto [written, temporaries] = TilesAndTemporaries(out);
    EXPECT_EQ(temporaries, 0);
    EXPECT_FALSE(written.empty());
    for (const fs::path& tile : written)
        EXPECT_EQ(fs::file_size(tile), 2937888U) << tile;
    const CommandRun rerun = RunCommand({"--out", out, source});
    for (const fs::path& tile : written)
        EXPECT_NE(rerun.out.find(fs::relative(tile, out).string() + "  kept"), std::string::npos) << tile;
    EXPECT_EQ(TilesAndTemporaries(out).first.size(), 4U);
}

} // namespace
} // namespace marn::import
