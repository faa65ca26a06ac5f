#include "app/ImportCommandLine.h"

#include "tests/import/GeoTiffFixture.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    // 20 x 4 cells across 11 E, 10 columns of them from 11 E on.
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600 + 1800, 10 * 3600 + 3570, 3, 20, 4, 7));
    const CommandRun run = RunCommand({"--out", out, "--area=45,11,46,12", source});
    const std::string missing = std::to_string(1201 * 1201 - 10 * 4);
    EXPECT_EQ(run.out, "MARN/E011/E011N45.33E  written, nodes filled 0, nodes missing " + missing
                           + "\ntiles written 1, kept 0, without data 0; nodes filled 0, nodes missing " + missing
                           + "\n");
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

} // namespace
} // namespace marn::import
