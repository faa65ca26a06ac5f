#include "output/PictureOutput.h"
#include "output/PrinterListe.h"
#include "output/frmFilename.h"
#include "tests/output/FakePrinterService.h"
#include "tests/output/OutputTestFiles.h"
#include "tests/picture/PictureWindowFixture.h"

#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace marn {
namespace {

class PictureOutputTest : public testing::Test {
protected:
    PictureOutputTest()
    {
        test::WriteTwoLevelTiles(picture.dir.path());
        picture.state.CenterLon = 8.0;
        picture.state.PictureDir = picture.dir.path() + "/pictures";
        QDir().mkpath(QString::fromStdString(picture.state.PictureDir));
        loaded = picture.window->Form_Load();
    }

    frmPicture& window() { return *picture.window; }
    const QImage& snapshot() { return window().Picture2->picture(); }

    test::PictureWindowFixture picture{{1024, 768, 15.0}, 47.5, 8.0};
    bool loaded = false;
    test::FakePrinterService printers{{"Laser", "Plotter"}};
    PictureOutput output{picture.state, picture.platform, printers};
};

TEST_F(PictureOutputTest, SaveAsKeepsTheWindowWithoutItsExitButtonAndWritesItExactly)
{
    ASSERT_TRUE(loaded);
    output.MenPictSave_Click(window());
    EXPECT_FALSE(picture.state.ReadoutEnabled);
    EXPECT_TRUE(window().Command1->isVisibleTo(&window()));
    ASSERT_EQ(snapshot().size(), window().clientArea()->size());

    // The snapshot shows Picture1's drawing where Picture1 lies, also where the
    // exit button stands.
    const QPoint origin = window().Picture1->mapTo(window().clientArea(), QPoint(0, 0));
    const QImage& drawing = window().Picture1->picture();
    for (const QPoint at :
        {QPoint(int(picture.state.PicLeft) + 5, int(picture.state.PicTop) + 5), window().Command1->geometry().center()})
        EXPECT_EQ(snapshot().pixel(origin + at), drawing.pixel(at)) << at.x() << "," << at.y();

    frmFilename& names = output.filenameWindow();
    EXPECT_TRUE(names.isVisible());
    const int eventRounds = picture.platform.processEventsCalls;
    output.MenPictSave_Click(window()); // a new snapshot, the same window
    EXPECT_EQ(picture.platform.processEventsCalls, eventRounds + 2);
    EXPECT_EQ(&output.filenameWindow(), &names);
    names.Text1->setText("Europe");
    names.Command1_Click();
    const QString saved = QString::fromStdString(picture.state.PictureDir) + "/Europe.bmp";
    EXPECT_EQ(QImage(saved, "BMP").convertToFormat(QImage::Format_RGB32), snapshot());
    EXPECT_TRUE(picture.state.ReadoutEnabled);
}

TEST_F(PictureOutputTest, PrintWithSeveralPrintersWaitsForTheChoice)
{
    ASSERT_TRUE(loaded);
    output.menPictPrint_Click(window());
    PrinterListe& list = output.printerWindow();
    EXPECT_TRUE(list.isVisible());
    ASSERT_EQ(list.Druckerliste->count(), 2);
    EXPECT_TRUE(printers.pages.empty());
    EXPECT_FALSE(picture.state.ReadoutEnabled);

    list.Druckerliste->setCurrentRow(1);
    emit list.Druckerliste->itemClicked(list.Druckerliste->item(1));
    ASSERT_EQ(printers.pages.size(), 1U);
    EXPECT_EQ(printers.pages[0].printer, 1);
    EXPECT_EQ(printers.pages[0].picture, snapshot());
    EXPECT_TRUE(picture.state.ReadoutEnabled);
}

TEST_F(PictureOutputTest, PrintWithOnePrinterPrintsAtOnceInLandscape)
{
    ASSERT_TRUE(loaded);
    test::FakePrinterService single({"Laser"});
    PictureOutput singleOutput(picture.state, picture.platform, single);
    singleOutput.menPictPrint_Click(window());
    ASSERT_EQ(single.pages.size(), 1U);
    EXPECT_EQ(single.pages[0].orientation, PageOrientation::Landscape);
    EXPECT_EQ(single.pages[0].picture.size(), window().clientArea()->size());
    EXPECT_TRUE(picture.state.ReadoutEnabled);
}

} // namespace
} // namespace marn
