// An import interrupted while it writes tiles, as a user stops marn-import.

#include "app/ImportCommandLine.h"

#include "tests/import/GeoTiffFixture.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace marn::import {
namespace {

namespace fs = std::filesystem;

// The files under `dir`; with `complete`, only those that are not temporaries.
std::vector<fs::path> FilesUnder(const fs::path& dir, bool complete = false)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file() && !(complete && it->path().filename().string().find(".part") != std::string::npos))
            files.push_back(it->path());
    }
    return files;
}

// Four tiles built two at a time; SIGINT once a tile is in place while the next is being written.
TEST(ImportInterrupt, LeavesOnlyWholeTilesAndARerunKeepsThem)
{
    marn::test::TempDir dir;
    const std::string source = dir.path() + "/wide.tif";
    const std::string out = dir.path() + "/data";
    test::WriteGeoTiff(source, test::AlignedRaster(45 * 3600 + 15, 8 * 3600 + 15, 30, 240, 240, 321));
    std::vector<std::string> words{"marn-import", "--out", out, "--jobs", "2", source};
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, MARN_IMPORT_EXE, nullptr, nullptr, argv.data(), environ), 0);
    int status = 0;
    pid_t ended = 0;
    const auto writing = [&] {
        const std::size_t inPlace = FilesUnder(out, true).size();
        return inPlace > 0 && FilesUnder(out).size() > inPlace;
    };
    while (!writing() && (ended = ::waitpid(child, &status, WNOHANG)) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (ended == 0) {
        ::kill(child, SIGINT);
        ::waitpid(child, &status, 0);
    }
    EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
        << status;

    const std::vector<fs::path> written = FilesUnder(out);
    EXPECT_FALSE(written.empty());
    for (const fs::path& tile : written) {
        EXPECT_EQ(tile.filename().string().find(".part"), std::string::npos) << tile;
        EXPECT_EQ(fs::file_size(tile), 2937888U) << tile;
    }
    std::ostringstream summary;
    std::ostringstream errors;
    EXPECT_EQ(cli::RunImportCommand({"--out", out, source}, summary, errors, false), 0) << errors.str();
    for (const fs::path& tile : written)
        EXPECT_NE(summary.str().find(fs::relative(tile, out).string() + "  kept"), std::string::npos) << tile;
    EXPECT_EQ(FilesUnder(out).size(), 4U);
}

} // namespace
} // namespace marn::import
