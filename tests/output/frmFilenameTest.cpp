#include "output/frmFilename.h"
#include "output/BitmapTarget.h"
#include "tests/output/OutputTestFiles.h"
#include "tests/support/FakePlatform.h"

#include "core/SharedState.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace marn {
namespace {

using test::ReadAll;
using test::WriteAll;

QImage Snapshot()
{
    QImage image(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7, y * 11, (x * y) % 256));
    return image;
}

class frmFilenameTest : public testing::Test {
protected:
    frmFilenameTest()
    {
        state.PictureDir = dir.path().toStdString();
        state.ReadoutEnabled = false;
        window.show();
    }

    void saveAs(const QString& name)
    {
        window.Text1->setText(name);
        window.Command1_Click();
    }
    QString pathOf(const QString& name) const { return dir.filePath(name); }
    QString logicalPathOf(const QString& name) const
    {
        return BitmapTargetPath(QString::fromStdString(state.PictureDir), name);
    }

    QTemporaryDir dir;
    SharedState state;
    test::FakePlatform platform{{1024, 768, 15.0}};
    QImage snapshot = Snapshot();
    frmFilename window{state, platform, [this] { return snapshot; }};
    QByteArray oldBytes = QByteArray("the old picture");
};

TEST_F(frmFilenameTest, SavesTheSnapshotPixelForPixelAndCloses)
{
    saveAs("Europe");
    const QImage saved(pathOf("Europe.bmp"), "BMP");
    ASSERT_EQ(saved.size(), snapshot.size());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), snapshot);
    EXPECT_EQ(platform.messages, QStringList{"Europe.bmp is saved to " + dir.path()});
    EXPECT_TRUE(state.ReadoutEnabled);
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(window.Text1->text(), "Europe");
}

TEST_F(frmFilenameTest, EnterSavesAndEscapeCancels)
{
    const struct {
        QWidget* target;
        Qt::Key key;
        bool saved;
    } keys[] = {{window.Text1, Qt::Key_Return, true}, {window.Command1, Qt::Key_Enter, true},
        {window.Text1, Qt::Key_Escape, false}};
    for (const auto& k : keys) {
        QFile::remove(pathOf("Europe.bmp"));
        state.ReadoutEnabled = false;
        window.show();
        window.Text1->setText("Europe");
        QTest::keyClick(k.target, k.key);
        EXPECT_EQ(QFile::exists(pathOf("Europe.bmp")), k.saved);
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(state.ReadoutEnabled);
    }
}

TEST_F(frmFilenameTest, AnEmptyNameIsAskedForAgain)
{
    saveAs("");
    EXPECT_EQ(platform.messages, QStringList{"The filename is missing!"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.focusWidget(), window.Text1);
    EXPECT_FALSE(state.ReadoutEnabled);
    EXPECT_TRUE(test::Entries(dir.path()).isEmpty());
}

TEST_F(frmFilenameTest, ANameWithASeparatorIsRefusedAndNothingWritten)
{
    QDir(dir.path()).mkdir("Maps");
    for (const QString name : {"Maps/Europe", "Maps\\Europe"}) {
        platform.messages.clear();
        saveAs(name);
        EXPECT_EQ(platform.messages, QStringList{"A filename may not contain '/' or '\\'."});
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_TRUE(test::Entries(dir.filePath("Maps")).isEmpty());
}

TEST_F(frmFilenameTest, AnsweringNoLeavesTheFileAndTheWindow)
{
    ASSERT_TRUE(WriteAll(pathOf("Europe.bmp"), oldBytes));
    platform.answers = {MessageAnswer::No};
    saveAs("Europe");
    EXPECT_EQ(platform.messages, QStringList{OverwriteQuestion(logicalPathOf("Europe"))});
    EXPECT_EQ(ReadAll(pathOf("Europe.bmp")), oldBytes);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(state.ReadoutEnabled);
}

TEST_F(frmFilenameTest, AnsweringYesReplacesTheFile)
{
    ASSERT_TRUE(WriteAll(pathOf("Europe.bmp"), oldBytes));
    platform.answers = {MessageAnswer::Yes};
    saveAs("Europe");
    EXPECT_EQ(QImage(pathOf("Europe.bmp"), "BMP").convertToFormat(QImage::Format_RGB32), snapshot);
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(frmFilenameTest, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    ASSERT_TRUE(WriteAll(pathOf("Europe.bmp"), oldBytes));
    platform.answers = {MessageAnswer::Yes};
    {
        const test::FileSizeLimit limit(1000);
        saveAs("Europe");
    }
    EXPECT_EQ(ReadAll(pathOf("Europe.bmp")), oldBytes);
    EXPECT_EQ(test::Entries(dir.path()), QStringList{"Europe.bmp"});
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].startsWith("Error saving " + logicalPathOf("Europe") + "\r\nReason: "));
    EXPECT_TRUE(platform.messages[1].endsWith("\r\nThe existing file is unchanged."));
    EXPECT_TRUE(state.ReadoutEnabled);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(frmFilenameTest, AMissingPictureDirectoryIsReported)
{
    state.PictureDir = dir.filePath("missing").toStdString();
    saveAs("Europe");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].startsWith("Error saving " + logicalPathOf("Europe") + "\r\nReason: "));
    EXPECT_TRUE(state.ReadoutEnabled);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(frmFilenameTest, APathThatCannotBeLookedUpKeepsTheWindowOpen)
{
    const QString name(300, 'x');
    saveAs(name);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].startsWith("Error saving " + logicalPathOf(name) + "\r\nReason: "));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(state.ReadoutEnabled);
}

TEST_F(frmFilenameTest, CancelAndClosingTheWindowSwitchTheReadoutBackOn)
{
    window.Command2->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);

    state.ReadoutEnabled = false;
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_TRUE(test::Entries(dir.path()).isEmpty());
}

TEST_F(frmFilenameTest, IsLaidOutInTwipsCentredWithFocusOnTheName)
{
    EXPECT_EQ(window.windowTitle(), "Filename");
    EXPECT_EQ(window.size(), QSize(591, 204));
    EXPECT_EQ(window.pos(), QPoint((1024 - 591) / 2, (768 - 204) / 2));
    EXPECT_EQ(window.Text1->geometry(), QRect(15, 83, 555, 33));
    EXPECT_EQ(window.Command1->text(), "Ok");
    EXPECT_EQ(window.Command2->text(), "Cancel");
    window.Command1->setFocus();
    window.Form_Activate();
    EXPECT_EQ(window.focusWidget(), window.Text1);
    EXPECT_EQ(window.Text1->objectName(), "Text1");
}

} // namespace
} // namespace marn
