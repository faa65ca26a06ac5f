#include "app/ImportCommandLine.h"

#include "tests/import/GeoTiffFixture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace marn::import {
namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int status = -1;
    std::string out, err;
};

CommandRun RunCommand(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = cli::RunImportCommand(args, out, err, false);
    return {status, out.str(), err.str()};
}

class ImportCommandTest : public testing::Test {
protected:
    marn::test::TempDir dir;
    std::string out = dir.path() + "/data";
    std::string source = dir.path() + "/source.tif";
};

// Usage errors end with status 2 and the usage, failures with status 1 and one line.
TEST_F(ImportCommandTest, RefusesWithTheStatusAndMessageOfEachError)
{
    std::ofstream(source) << "no raster";
    const std::string file = dir.path() + "/file";
    std::ofstream(file) << "a file";
    test::WriteGeoTiff(dir.path() + "/good.tif", test::AlignedRaster(45 * 3600, 10 * 3600, 3, 4, 4, 1));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"a.tif"}, 2, "--out DIR is missing"},
        {{"--out", "d"}, 2, "no SOURCE given"},
        {{"--out"}, 2, "option --out needs a value"},
        {{"--out=", "a.tif"}, 2, "--out DIR is missing"},
        {{"--out", "d", "--fill", "a.tif"}, 2, "unknown option --fill"},
        {{"--out", "d", "--fill-voids=0", "a.tif"}, 2, "--fill-voids needs a number"},
        {{"--out", "d", "--fill-voids=301", "a.tif"}, 2, "--fill-voids needs a number of cells from 1 to 300"},
        {{"--out", "d", "--fill-holes=0.5", "a.tif"}, 2, "--fill-holes needs a number of cells from 1 to 300"},
        {{"--out", "d", "--fill-voids", "--fill-holes", "a.tif"}, 2, "exclude each other"},
        {{"--out", "d", "--jobs", "0", "a.tif"}, 2, "--jobs needs a whole number from 1 to 64, not '0'"},
        {{"--out", "d", "--area", "45,10,46", "a.tif"}, 2, "--area needs S,W,N,E"},
        {{"--out", "d", "--area=46,10,45,11", "a.tif"}, 2, "--area needs S,W,N,E"},
        {{"--out", out, source}, 1, "marn import: cannot read source " + source + ": not a raster GDAL can read"},
        {{"--out", out, dir.path() + "/none.tif"}, 1, "cannot read source " + dir.path() + "/none.tif: no such file"},
        {{"--out", file, dir.path() + "/good.tif"}, 1, "is not a directory"},
        {{"--out", file + "/data", dir.path() + "/good.tif"}, 1, "cannot write into " + file + "/data: "},
        {{"--out", out, "--source-crs", "EPSG:99999999", dir.path() + "/good.tif"}, 1,
            "--source-crs 'EPSG:99999999' is not a coordinate system GDAL knows"},
    };
    cpu_set_t all, one; // one processor, as taskset -c 0 or a container leaves a process
    ASSERT_EQ(::sched_getaffinity(0, sizeof all, &all), 0);
    CPU_ZERO(&one);
    CPU_SET(::sched_getcpu(), &one);
    ASSERT_EQ(::sched_setaffinity(0, sizeof one, &one), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const CommandRun run = RunCommand(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(
            run.err.find("\nTry 'marn import --help' for more information.\n") != std::string::npos, c.status == 2)
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.status) << run.err;
        EXPECT_EQ(run.out, "");
    }
    // the default of --jobs under one processor, as the usage names it
    EXPECT_NE(RunCommand({"--help"}).out.find("at once (1 to 64; default 1: the processors"), std::string::npos);
    ::sched_setaffinity(0, sizeof all, &all);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ImportCommandTest, WritesTheTilesInItsAreaAndTheSummary)
{
    test::RasterSpec desc = test::AlignedRaster(45 * 3600 + 1800, 10 * 3600 + 1800, 3, 4, 4, -20);
    desc.values[0] = 40000;
    test::WriteGeoTiff(source, desc);
    const CommandRun run = RunCommand({"--out", out, "--fill-voids=2", "--sea-level", source});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string line = "MARN/E010/E010N45.33E  written, nodes filled ";
    ASSERT_EQ(run.out.rfind(line, 0), 0U) << run.out;
    const std::string filled = run.out.substr(line.size(), run.out.find(',', line.size()) - line.size());
    EXPECT_GT(std::stoll(filled), 4 * 4);
    EXPECT_NE(run.out.find("tiles written 1, merged 0, replaced 0, kept 0, without data 0; nodes filled " + filled),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("marn import: warning: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" above 32767"), std::string::npos) << run.err;
    EXPECT_EQ(test::StoredNode(out, {45, 10}, 600, 600), 0);
    EXPECT_EQ(test::StoredNode(out, {45, 10}, 603, 600), 32767);

    // 20 x 4 cells across 11 E, in tiles E010 and E011; the area takes E011 only.
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600 + 1800, 10 * 3600 + 3570, 3, 20, 4, 7));
    const CommandRun area = RunCommand({"--out", dir.path() + "/area", "--area=45,11,46,12", source});
    EXPECT_EQ(area.out.find("E010"), std::string::npos) << area.out;
    EXPECT_EQ(area.out.rfind("MARN/E011/E011N45.33E  written", 0), 0U) << area.out;
}

// Each tile's line comes as soon as the tile is in place: a failure in the
// second of two tiles (its path taken by a directory) leaves the line of the first.
TEST_F(ImportCommandTest, ATileLineIsWrittenBeforeALaterTileFails)
{
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600 + 1800, 10 * 3600 + 3570, 3, 20, 4, 7));
    fs::create_directories(out + "/MARN/E011/E011N45.33E");
    const CommandRun run = RunCommand({"--out", out, "--jobs", "1", source});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.rfind("MARN/E010/E010N45.33E  written, nodes filled 0, nodes missing ", 0), 0U) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    EXPECT_NE(
        run.err.find("marn import: cannot read the existing tile " + out + "/MARN/E011/E011N45.33E"), std::string::npos)
        << run.err;
}

// Four tiles built two at a time; SIGINT once a tile is in place while another
// is being written: only whole tiles remain, and a rerun keeps them.
TEST_F(ImportCommandTest, AnInterruptLeavesOnlyWholeTilesAndARerunKeepsThem)
{
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600 + 15, 8 * 3600 + 15, 30, 240, 240, 321));
    const auto tilesAndTemporaries = [this] {
        std::pair<std::vector<fs::path>, int> found;
        std::error_code error;
        for (fs::recursive_directory_iterator it(out, error), end; !error && it != end; it.increment(error))
            if (it->is_regular_file() && it->path().filename().string().find(".part") != std::string::npos)
                ++found.second;
            else if (it->is_regular_file())
                found.first.push_back(it->path());
        return found;
    };
    std::string words[] = {"marn-import", "--out", out, "--jobs", "2", source};
    char* argv[] = {
        words[0].data(), words[1].data(), words[2].data(), words[3].data(), words[4].data(), words[5].data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, MARN_IMPORT_EXE, nullptr, nullptr, argv, environ), 0);
    int status = 0;
    for (;;) {
        const auto [tiles, temporaries] = tilesAndTemporaries();
        if (!tiles.empty() && temporaries > 0)
            ::kill(child, SIGINT);
        if (::waitpid(child, &status, tiles.empty() || temporaries == 0 ? WNOHANG : 0) != 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(WIFSIGNALED(status) ? WTERMSIG(status) == SIGINT : WEXITSTATUS(status) == 0) << status;
    const auto [written, temporaries] = tilesAndTemporaries();
    EXPECT_EQ(temporaries, 0);
    EXPECT_FALSE(written.empty());
    for (const fs::path& tile : written)
        EXPECT_EQ(fs::file_size(tile), 2937888U) << tile;
    const CommandRun rerun = RunCommand({"--out", out, source});
    for (const fs::path& tile : written)
        EXPECT_NE(rerun.out.find(fs::relative(tile, out).string() + "  kept"), std::string::npos) << tile;
    EXPECT_EQ(tilesAndTemporaries().first.size(), 4U);
}

} // namespace
} // namespace marn::import
