#include "core/FileReplacement.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace marn {
namespace {

namespace fs = std::filesystem;

struct ReplaceCase {
    const char* name;
    std::optional<std::string> old; // content of an existing file, nullopt for none
    ExistingFile existing;
    std::size_t newBytes;
    long sizeLimit; // bytes a file may grow to, 0 for no limit
    bool written, failed;
    friend void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }
};

class FileReplacement : public testing::TestWithParam<ReplaceCase> {};

TEST_P(FileReplacement, LeavesTheNewFileOrTheOldOneAndNoTemporary)
{
    const ReplaceCase& c = GetParam();
    test::TempDir dir;
    const fs::path target = fs::path(dir.path()) / "Picture.pat";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    if (c.old) {
        std::ofstream(target, std::ios::binary) << *c.old;
        fs::permissions(target, mode);
    }
    const std::string bytes(c.newBytes, 'n');
    std::optional<test::FileSizeLimit> limit;
    if (c.sizeLimit > 0)
        limit.emplace(static_cast<rlim_t>(c.sizeLimit));
    const ReplaceResult result = WriteFileWhole(target.string(), bytes, c.existing);
    limit.reset();
    EXPECT_EQ(result.written, c.written);
    EXPECT_EQ(!result.ok(), c.failed) << result.failure;
    std::ifstream file(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), c.written ? bytes : c.old.value_or(""));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), c.old || c.written ? 1 : 0);
    EXPECT_TRUE(!c.old || fs::status(target).permissions() == mode) << "the old file's permissions";
}

INSTANTIATE_TEST_SUITE_P(Cases, FileReplacement,
    testing::Values(ReplaceCase{"NewFile", std::nullopt, ExistingFile::Replace, 11, 0, true, false},
        ReplaceCase{"ShorterReplacesLonger", std::string(300, 'o'), ExistingFile::Replace, 11, 0, true, false},
        ReplaceCase{"KeepLeavesExisting", std::string("old"), ExistingFile::Keep, 11, 0, false, false},
        ReplaceCase{"KeepWritesNew", std::nullopt, ExistingFile::Keep, 11, 0, true, false},
        ReplaceCase{"FailedWriteKeepsOld", std::string("old"), ExistingFile::Replace, 20000, 1000, false, true},
        ReplaceCase{"FailedWriteBeyondBuffer", std::string("old"), ExistingFile::Replace, 100000, 1000, false, true},
        ReplaceCase{"FailedNewWriteLeavesNothing", std::nullopt, ExistingFile::Keep, 2630, 1000, false, true}),
    [](const testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.name); });

TEST(FileReplacementPlaces, FailWithAReasonWhereNoFileCanBe)
{
    test::TempDir dir;
    fs::create_directory(fs::path(dir.path()) / "Folder.bmp");
    std::ofstream(fs::path(dir.path()) / "plain") << "a file, not a directory";
    for (const char* name : {"missing/Europe.bmp", "Folder.bmp", "plain/Europe.bmp"}) {
        const ReplaceResult result = WriteFileWhole((fs::path(dir.path()) / name).string(), "bytes");
        EXPECT_FALSE(result.ok()) << name;
        EXPECT_FALSE(result.written) << name;
    }
    EXPECT_TRUE(fs::is_directory(fs::path(dir.path()) / "Folder.bmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

} // namespace
} // namespace marn
