#include "import/TileFileWriter.h"

#include "import/ImportError.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace marn::import {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t EntriesIn(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

class TileFileWriterTest : public testing::Test {
protected:
    marn::test::TempDir dir;
    fs::path path = fs::path(dir.path()) / "MARN" / "E007" / "E007N47.33E";
    const std::vector<unsigned char> first{1, 2, 3, 4};
    const std::vector<unsigned char> second{9, 8, 7, 6, 5, 4};
};

TEST_F(TileFileWriterTest, CreatesTheDirectoriesAndLeavesOnlyTheTile)
{
    EXPECT_EQ(WriteTileFile(path, first, false), WriteOutcome::Written);
    EXPECT_EQ(ReadAll(path), first);
    EXPECT_EQ(EntriesIn(path.parent_path()), 1U);
}

TEST_F(TileFileWriterTest, KeepsAnExistingTileUnlessToldToReplaceIt)
{
    WriteTileFile(path, first, false);
    EXPECT_EQ(WriteTileFile(path, second, false), WriteOutcome::Kept);
    EXPECT_EQ(ReadAll(path), first);
    EXPECT_EQ(WriteTileFile(path, second, true), WriteOutcome::Written);
    EXPECT_EQ(ReadAll(path), second);
    EXPECT_EQ(EntriesIn(path.parent_path()), 1U);
}

TEST_F(TileFileWriterTest, FailsWithAMessageWhereTheDirectoryCannotBeMade)
{
    std::ofstream(fs::path(dir.path()) / "MARN") << "a file, not a directory";
    try {
        WriteTileFile(path, first, false);
        FAIL() << "no error";
    } catch (const ImportError& error) {
        EXPECT_NE(std::string(error.what()).find("cannot create directory"), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace marn::import
