#include "output/FileReplacement.h"
#include "output/PlainFileLookup.h"
#include "tests/output/OutputTestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace marn {
namespace {

using test::Entries;
using test::ReadAll;
using test::WriteAll;

class FileReplacementTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath("Europe.bmp");
    QByteArray oldBytes = QByteArray("old picture");
    QByteArray newBytes = QByteArray(20000, 'n');
};

class FailingWrite : public FileReplacementTest, public testing::WithParamInterface<int> {};

TEST_P(FailingWrite, KeepsTheOldFileAndLeavesNoTemporaryFile)
{
    ASSERT_TRUE(WriteAll(target, oldBytes));
    const QByteArray bytes(GetParam(), 'n');
    std::optional<QString> failure;
    {
        const test::FileSizeLimit limit(1000);
        failure = WriteFileReplacing(target, bytes);
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
    EXPECT_EQ(ReadAll(target), oldBytes);
    EXPECT_EQ(Entries(dir.path()), QStringList{"Europe.bmp"});
}

// Both smaller and larger than the file layer's write buffer.
INSTANTIATE_TEST_SUITE_P(Sizes, FailingWrite, testing::Values(1001, 2630, 20000, 100000));

TEST_F(FileReplacementTest, FailsWithAReasonWhereNoFileCanBe)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.bmp"));
    for (const QString& path : {dir.filePath("missing/Europe.bmp"), dir.filePath("Folder.bmp")}) {
        const std::optional<QString> failure = WriteFileReplacing(path, newBytes);
        ASSERT_TRUE(failure.has_value()) << path.toStdString();
        EXPECT_FALSE(failure->isEmpty());
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("Folder.bmp")).isDir());
}

TEST_F(FileReplacementTest, LookUpTellsPlainFilesFromEverythingElse)
{
    ASSERT_TRUE(WriteAll(target, oldBytes));
    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.bmp"));
    EXPECT_TRUE(LookUpPlainFile(target).exists);
    EXPECT_FALSE(LookUpPlainFile(dir.filePath("Folder.bmp")).exists);
    EXPECT_FALSE(LookUpPlainFile(dir.filePath("none.bmp")).exists);
    EXPECT_FALSE(LookUpPlainFile(dir.filePath("missing/none.bmp")).exists);
    EXPECT_TRUE(LookUpPlainFile(dir.filePath("none.bmp")).error.isEmpty());

    const PlainFileLookup tooLong = LookUpPlainFile(dir.filePath(QString(300, 'x') + ".bmp"));
    EXPECT_FALSE(tooLong.exists);
    EXPECT_FALSE(tooLong.error.isEmpty());
}

} // namespace
} // namespace marn
