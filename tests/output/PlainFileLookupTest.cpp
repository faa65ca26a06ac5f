#include "output/PlainFileLookup.h"
#include "tests/output/OutputTestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace marn {
namespace {

using test::WriteAll;

class PlainFileLookupTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath("Europe.bmp");
    QByteArray oldBytes = QByteArray("old picture");
};

TEST_F(PlainFileLookupTest, LookUpTellsPlainFilesFromEverythingElse)
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
