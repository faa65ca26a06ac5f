// Saving and printing the picture through the file-name window, the printer
// list and the picture window's menu, with a recording fake of the printers.

#include "output/BitmapTarget.h"
#include "output/PictureOutput.h"
#include "output/PrintOnCurrentPrinter.h"
#include "output/PrinterListe.h"
#include "output/frmFilename.h"
#include "tests/output/FakePrinterService.h"
#include "tests/picture/PictureWindowFixture.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileSizeLimit.h"

#include "core/SharedState.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace marn {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage Snapshot(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x * y) % 256));
    return image;
}

class OutputWindowsTest : public testing::Test {
protected:
    QTemporaryDir dir;
    SharedState state;
    test::FakePlatform platform{{1024, 768, 15.0}};
    QImage snapshot = Snapshot(37, 23);
};

TEST_F(OutputWindowsTest, TheFileNameWindowSavesTheSnapshotOrSaysWhyNot)
{
    enum File { None, Old, Saved };
    const QString saved = "Europe.bmp is saved to ", error = "Error saving ", question = "Overwrite existing file?";
    const struct {
        const char* what;
        QString name;
        File before;
        rlim_t sizeLimit;     // 0: none
        QStringList messages; // each message's start, or end for the question
        File after;
        bool stays; // the window stays open, the readout off
    } cases[] = {{"new", "Europe", None, 0, {saved}, Saved, false},
        {"empty", "", None, 0, {"The filename is missing!"}, None, true},
        {"separator", "Maps/Europe", None, 0, {"A filename may not contain '/' or '\\'."}, None, true},
        {"kept", "Europe", Old, 0, {question}, Old, true},
        {"replaced", "Europe", Old, 0, {question, saved}, Saved, false},
        {"full disk", "Europe", Old, 1000, {question, error}, Old, false},
        {"unknown path", QString(300, 'x'), None, 0, {error}, None, true}};
    frmFilename window{state, platform, [this] { return snapshot; }};
    state.PictureDir = dir.path().toStdString();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(dir.filePath("Europe.bmp"));
        QFile old(dir.filePath("Europe.bmp"));
        if (c.before == Old) {
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
            old.close();
        }
        platform.messages.clear();
        platform.answers = {c.what == QString("kept") ? MessageAnswer::No : MessageAnswer::Yes};
        state.ReadoutEnabled = false;
        window.show();
        window.Text1->setText(c.name);
        {
            std::optional<test::FileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(c.sizeLimit);
            window.Command1_Click();
        }
        ASSERT_EQ(platform.messages.size(), c.messages.size());
        for (int i = 0; i < c.messages.size(); ++i)
            EXPECT_TRUE(platform.messages[i].startsWith(c.messages[i]) || platform.messages[i].endsWith(c.messages[i]))
                << platform.messages[i].toStdString();
        const QByteArray bytes = ReadAll(dir.filePath("Europe.bmp"));
        if (c.after == Saved) {
            EXPECT_EQ(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32), snapshot);
        } else {
            EXPECT_EQ(bytes, c.after == Old ? "old" : "");
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.after == None ? 0 : 1) << "no temporary left";
        EXPECT_EQ(window.isVisible(), c.stays);
        EXPECT_EQ(state.ReadoutEnabled, !c.stays);
    }
    EXPECT_EQ(window.Text1->text(), QString(300, 'x')) << "the name is kept";
    for (const auto& [key, savedByKey] : {std::pair{Qt::Key_Return, true}, {Qt::Key_Escape, false}}) {
        QFile::remove(dir.filePath("Europe.bmp"));
        window.show();
        window.Text1->setText("Europe");
        QTest::keyClick(window.Text1, key);
        EXPECT_EQ(QFile::exists(dir.filePath("Europe.bmp")), savedByKey);
        EXPECT_FALSE(window.isVisible());
    }
    state.ReadoutEnabled = false;
    window.show();
    window.close();
    EXPECT_TRUE(state.ReadoutEnabled) << "the close box switches the readout on";
}

TEST_F(OutputWindowsTest, ThePrinterListPrintsOnTheFirstPrinterOfTheClickedName)
{
    test::FakePrinterService printers{{"Laser", "Plotter", "Plotter", "plotter"}};
    PrinterListe window{state, platform, printers, [this] { return snapshot; }};
    window.ShowPrinters({"Old"});
    window.ShowPrinters(printers.printerNames());
    ASSERT_EQ(window.Druckerliste->count(), 4);
    EXPECT_EQ(window.Druckerliste->item(3)->text(), "plotter");
    state.ReadoutEnabled = false;
    window.Druckerliste->setCurrentRow(2);
    emit window.Druckerliste->itemClicked(window.Druckerliste->item(2));
    ASSERT_EQ(printers.pages.size(), 1U);
    EXPECT_EQ(printers.pages[0].printer, 1);
    EXPECT_EQ(printers.pages[0].orientation, PageOrientation::Landscape);
    EXPECT_EQ(printers.pages[0].picture, snapshot);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);

    window.ShowPrinters(printers.printerNames());
    QTest::keyClick(window.Druckerliste, Qt::Key_Down);
    QTest::keyClick(window.Druckerliste, Qt::Key_Enter);
    EXPECT_EQ(printers.pages.size(), 2U);
    state.ReadoutEnabled = false;
    window.ShowPrinters(printers.printerNames());
    QTest::keyClick(window.Druckerliste, Qt::Key_Escape);
    EXPECT_EQ(printers.pages.size(), 2U);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);

    printers.failure = "The printer is stopped or off-line.";
    PrintOnCurrentPrinter(printers, platform, state, snapshot);
    test::FakePrinterService none;
    PrintOnCurrentPrinter(none, platform, state, snapshot);
    EXPECT_EQ(
        platform.messages, QStringList({"Error printing on Plotter\r\nReason: The printer is stopped or off-line.",
                               "No printer is installed. The picture is not printed."}));
}

TEST_F(OutputWindowsTest, ThePictureWindowSavesAndPrintsItsSnapshotWithoutTheExitButton)
{
    test::PictureWindowFixture picture{{1024, 768, 15.0}, 47.5, 8.0};
    test::WriteTwoLevelTiles(picture.dir.path());
    picture.state.PictureDir = dir.path().toStdString();
    ASSERT_TRUE(picture.window->Form_Load());
    frmPicture& window = *picture.window;
    test::FakePrinterService printers({"Laser"});
    PictureOutput output{picture.state, picture.platform, printers};
    output.MenPictSave_Click(window);
    EXPECT_FALSE(picture.state.ReadoutEnabled);
    EXPECT_TRUE(window.Command1->isVisibleTo(&window));
    const QImage& shot = window.Picture2->picture();
    ASSERT_EQ(shot.size(), window.clientArea()->size());
    const QPoint origin = window.Picture1->mapTo(window.clientArea(), QPoint(0, 0));
    for (const QPoint at :
        {QPoint(int(picture.state.PicLeft) + 5, int(picture.state.PicTop) + 5), window.Command1->geometry().center()})
        EXPECT_EQ(shot.pixel(origin + at), window.Picture1->picture().pixel(at)) << at.x() << "," << at.y();
    output.filenameWindow().Text1->setText("Europe");
    output.filenameWindow().Command1_Click();
    EXPECT_EQ(QImage(dir.filePath("Europe.bmp"), "BMP").convertToFormat(QImage::Format_RGB32), shot);

    output.menPictPrint_Click(window);
    ASSERT_EQ(printers.pages.size(), 1U) << "one printer: printed at once";
    EXPECT_EQ(printers.pages[0].picture, shot);
    EXPECT_TRUE(picture.state.ReadoutEnabled);
}

} // namespace
} // namespace marn
