// Saving and printing the picture through the file-name window, the printer
// list and the picture window's menu.

#include "output/GeoTiff.h"
#include "output/PictureOutput.h"
#include "output/PrintOnCurrentPrinter.h"
#include "output/PrinterListe.h"
#include "output/frmFilename.h"
#include "tests/picture/PictureWindowFixture.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileSizeLimit.h"

#include "core/SharedState.h"
#include "ui/PictureBox.h"
#include "ui/PrinterService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <sys/resource.h>
#include <tiffio.h>
#include <tuple>

namespace marn {
namespace {

// A recording stand-in for the printers: a fixed list of names, a printable area
// per orientation, every printed page kept, failures on request.
struct PrintedPage {
    int printer;
    QImage picture;
    PageOrientation orientation;
};

class FakePrinterService : public PrinterService {
public:
    explicit FakePrinterService(QStringList names = {}) : names_(std::move(names)) {}

    QStringList printerNames() const override { return names_; }
    int currentPrinter() const override { return current_; }
    void selectPrinter(int index) override { current_ = index; }
    HiMetricSize printableArea(PageOrientation orientation) const override
    {
        return orientation == PageOrientation::Landscape ? HiMetricSize{27700, 19000} : HiMetricSize{19000, 27700};
    }
    PrintError printPage(const QImage& picture, PageOrientation orientation, HiMetricSize) override
    {
        if (failure)
            return failure;
        pages.push_back({current_, picture, orientation});
        return std::nullopt;
    }

    std::vector<PrintedPage> pages;
    PrintError failure;

private:
    QStringList names_;
    int current_ = names_.isEmpty() ? -1 : 0;
};

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
            const test::FileSizeLimit limit(c.sizeLimit ? c.sizeLimit : RLIM_INFINITY);
            if (c.before == None && c.after == Saved)
                QTest::keyClick(window.Text1, Qt::Key_Return);
            else
                window.Command1_Click();
        }
        ASSERT_EQ(platform.messages.size(), c.messages.size());
        for (int i = 0; i < c.messages.size(); ++i)
            EXPECT_TRUE(platform.messages[i].startsWith(c.messages[i]) || platform.messages[i].endsWith(c.messages[i]))
                << platform.messages[i].toStdString();
        QFile file(dir.filePath("Europe.bmp"));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    state.ReadoutEnabled = false;
    window.show();
    QTest::keyClick(window.Text1, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled) << "Escape cancels and switches the readout on";
}

TEST_F(OutputWindowsTest, ThePrinterListPrintsOnTheFirstPrinterOfTheClickedName)
{
    FakePrinterService printers{{"Laser", "Plotter", "Plotter", "plotter"}};
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

    state.ReadoutEnabled = false;
    window.ShowPrinters(printers.printerNames());
    QTest::keyClick(window.Druckerliste, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);

    printers.failure = "The printer is stopped or off-line.";
    PrintOnCurrentPrinter(printers, platform, state, snapshot);
    FakePrinterService none;
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
    FakePrinterService printers({"Laser"});
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

    // "Export GeoTIFF…": the colours of the picture area as drawn, row by row,
    // and the picture's own height grid unchanged by the writing.
    const HeightGrid::Values heights = picture.state.GridHeights.raw();
    window.setCommands(&output);
    window.menPictGeoTiff->trigger();
    output.geoTiffNameWindow().Text1->setText("Europe");
    output.geoTiffNameWindow().Command1_Click();
    const QString folder = dir.path();
    EXPECT_EQ(picture.platform.messages.last(),
        "Europe.tif is saved to " + folder + "\r\nEurope-rgb.tif is saved to " + folder);
    EXPECT_TRUE(picture.state.GridHeights.raw() == heights);
    const SharedState& s = picture.state;
    // the control points lie on the pixels' centres: grid point (1, 1) is raster position (0.5, 0.5)
    const GroundControlPoint first = GridControlPoints(s).front();
    EXPECT_EQ(std::tuple(first.pixel, first.line, first.lon, first.lat),
        std::tuple(0.5, 0.5, s.GridCoords(1, 1, 1), s.GridCoords(0, 1, 1)));
    TIFF* tiff = TIFFOpen(QFile::encodeName(dir.filePath("Europe-rgb.tif")).constData(), "r");
    ASSERT_TRUE(tiff != nullptr);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
    ASSERT_EQ(line.size(), static_cast<std::size_t>(s.PicCols) * 3);
    int wrong = 0;
    for (int y = 1; y <= static_cast<int>(s.PicRows) && TIFFReadScanline(tiff, line.data(), y - 1) == 1; ++y)
        for (int x = 1; x <= static_cast<int>(s.PicCols); ++x) {
            const std::uint8_t* at = line.data() + (x - 1) * 3;
            wrong += qRgb(at[0], at[1], at[2])
                     != window.Picture1->picture().pixel(static_cast<int>(std::lround(s.PicLeft + x - 1)),
                         static_cast<int>(std::lround(s.PicTop + y - 1)));
        }
    TIFFClose(tiff);
    EXPECT_EQ(wrong, 0);
    picture.platform.answers = {MessageAnswer::No};
    output.geoTiffNameWindow().Command1_Click();
    EXPECT_EQ(picture.platform.messages.last(), folder + "/Europe.tif already exists.\r\nOverwrite existing file?");

    output.menPictPrint_Click(window);
    ASSERT_EQ(printers.pages.size(), 1U) << "one printer: printed at once";
    EXPECT_EQ(printers.pages[0].picture, shot);
    EXPECT_TRUE(picture.state.ReadoutEnabled);
}

} // namespace
} // namespace marn
