// Printing through the toolkit's printer list onto the PDF queues that
// scripts/test-printers.sh sets up; skipped with the reason where there are none.

#include "output/PictureOutput.h"
#include "output/PrintFit.h"
#include "output/PrintOnCurrentPrinter.h"
#include "output/PrinterListe.h"
#include "tests/output/PrintedPdf.h"
#include "tests/picture/PictureWindowFixture.h"
#include "tests/support/FakePlatform.h"

#include "core/SharedState.h"
#include "ui/PictureBox.h"
#include "ui/QtPrinterService.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QPrinter>
#include <QRegularExpression>

namespace marn {
namespace {

constexpr double ToleranceMm = 1.0;

class RealPrinters : public testing::Test {
protected:
    void SetUp() override
    {
        const QString unavailable = qEnvironmentVariable("MARN_TEST_PRINTERS_UNAVAILABLE");
        if (!unavailable.isEmpty())
            GTEST_SKIP() << "no test printers: " << unavailable.toStdString();
        queue1 = qEnvironmentVariable("MARN_TEST_PRINTER_1");
        queue2 = qEnvironmentVariable("MARN_TEST_PRINTER_2");
        stoppedQueue = qEnvironmentVariable("MARN_TEST_PRINTER_STOPPED");
        rejectingQueue = qEnvironmentVariable("MARN_TEST_PRINTER_REJECTING");
        if (queue1.isEmpty() || queue2.isEmpty() || stoppedQueue.isEmpty() || rejectingQueue.isEmpty())
            GTEST_SKIP() << "no test printers: source scripts/test-printers.sh before running the tests";
    }

    QString pdfDir(const QString& queue) const
    {
        return QDir(qEnvironmentVariable("MARN_TEST_PDF_DIR")).filePath(queue);
    }

    // The PDF of this test's job, checked for one page of the given shape with
    // the picture fitted at the top-left of the printable area.
    // A picture with `marked` true has a black mark in its top-left corner, whose
    // place on the page is checked too.
    void expectPrintedPage(const QString& queue, const QImage& picture, PageOrientation orientation, bool marked = true)
    {
        const QString path = test::WaitForPdf(pdfDir(queue), token, started);
        ASSERT_FALSE(path.isEmpty()) << "no PDF from " << queue.toStdString() << " in " << pdfDir(queue).toStdString();
        const std::optional<test::PrintedPdf> pdf = test::ReadPrintedPdf(path);
        ASSERT_TRUE(pdf.has_value()) << path.toStdString();
        EXPECT_EQ(pdf->pages, 1);
        EXPECT_EQ(pdf->images, 1);
        EXPECT_EQ(QSize(pdf->imageWidthPx, pdf->imageHeightPx), picture.size());

        const HiMetricSize fit = FitToPrintable(picture.width(), picture.height(), printers.printableArea(orientation));
        QRectF expected(printableCornerMm(queue, orientation), QSizeF(fit.width / 100.0, fit.height / 100.0));
        QPointF pictureCorner = expected.topLeft();
        if (orientation == PageOrientation::Landscape && pdf->pageWidthMm < pdf->pageHeightMm) {
            // A landscape page on a sheet fed portrait comes out turned a quarter
            // counter-clockwise: the picture's top edge runs along the sheet's left edge.
            expected =
                QRectF(expected.top(), pdf->pageHeightMm - expected.right(), expected.height(), expected.width());
            pictureCorner = expected.bottomLeft();
        }
        const QPointF markCorner =
            pictureCorner == expected.topLeft() ? pdf->darkMm.topLeft() : pdf->darkMm.bottomLeft();
        if (marked) {
            EXPECT_NEAR(markCorner.x(), pictureCorner.x(), ToleranceMm);
            EXPECT_NEAR(markCorner.y(), pictureCorner.y(), ToleranceMm);
        }
        EXPECT_NEAR(pdf->inkMm.left(), expected.left(), ToleranceMm);
        EXPECT_NEAR(pdf->inkMm.top(), expected.top(), ToleranceMm);
        EXPECT_NEAR(pdf->inkMm.width(), expected.width(), ToleranceMm);
        EXPECT_NEAR(pdf->inkMm.height(), expected.height(), ToleranceMm);
    }

    // Where the queue's printable area begins on the page.
    static QPointF printableCornerMm(const QString& queue, PageOrientation orientation)
    {
        QPrinter printer;
        printer.setPrinterName(queue);
        printer.setPageOrientation(
            orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        return printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
    }

    // A blue picture with a black mark in its top-left corner.
    static QImage Picture(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(20, 90, 160));
        for (int y = 0; y < height / 8; ++y)
            for (int x = 0; x < width / 8; ++x)
                image.setPixel(x, y, qRgb(0, 0, 0));
        return image;
    }

    QString queue1, queue2, stoppedQueue, rejectingQueue;
    QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    // The job title, which the PDF's file name carries: letters and digits only.
    QString token = QString("marntest%1%2")
                        .arg(QCoreApplication::applicationPid())
                        .arg(QString(testing::UnitTest::GetInstance()->current_test_info()->name())
                                 .remove(QRegularExpression("[^A-Za-z0-9]")));
    QtPrinterService printers{token};
    SharedState state;
    test::FakePlatform platform;
};

TEST_F(RealPrinters, EveryQueueIsListedOnceInAStableOrder)
{
    const QStringList names = printers.printerNames();
    EXPECT_EQ(names.count(queue1), 1);
    EXPECT_EQ(names.count(queue2), 1);
    EXPECT_EQ(names.count(stoppedQueue), 1);
    EXPECT_EQ(names.count(rejectingQueue), 1);
    EXPECT_EQ(printers.printerNames(), names);
    EXPECT_GE(printers.currentPrinter(), 0);
}

TEST_F(RealPrinters, AClickInTheListPrintsAWideSnapshotInLandscape)
{
    const QImage picture = Picture(1200, 750);
    PrinterListe window(state, platform, printers, [&] { return picture; });
    window.ShowPrinters(printers.printerNames());
    const QList<QListWidgetItem*> lines = window.Druckerliste->findItems(queue2, Qt::MatchExactly);
    ASSERT_EQ(lines.size(), 1);
    window.Druckerliste->setCurrentItem(lines[0]);
    emit window.Druckerliste->itemClicked(lines[0]);

    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join(" | ").toStdString();
    EXPECT_TRUE(state.ReadoutEnabled);
    EXPECT_EQ(printers.printerNames().value(printers.currentPrinter()), queue2);
    expectPrintedPage(queue2, picture, PageOrientation::Landscape);
}

TEST_F(RealPrinters, ATallSnapshotPrintsInPortraitOnTheCurrentPrinter)
{
    const QImage picture = Picture(500, 900);
    printers.selectPrinter(static_cast<int>(printers.printerNames().indexOf(queue1)));
    PrintOnCurrentPrinter(printers, platform, state, picture);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join(" | ").toStdString();
    expectPrintedPage(queue1, picture, PageOrientation::Portrait);
}

struct FailingQueueCase {
    const char* queueVariable;
    const char* reason;
};

class FailingRealPrinters : public RealPrinters, public testing::WithParamInterface<FailingQueueCase> {};

TEST_P(FailingRealPrinters, AreNamedWithTheReasonAndTheNextPrintWorks)
{
    const QString failing = qEnvironmentVariable(GetParam().queueVariable);
    printers.selectPrinter(static_cast<int>(printers.printerNames().indexOf(failing)));
    PrintOnCurrentPrinter(printers, platform, state, Picture(300, 200));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].startsWith("Error printing on " + failing + "\r\nReason: " + GetParam().reason))
        << platform.messages[0].toStdString();
    EXPECT_TRUE(state.ReadoutEnabled);

    printers.selectPrinter(static_cast<int>(printers.printerNames().indexOf(queue1)));
    PrintOnCurrentPrinter(printers, platform, state, Picture(300, 200));
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_FALSE(test::WaitForPdf(pdfDir(queue1), token, started).isEmpty());
    EXPECT_TRUE(QDir(pdfDir(failing)).entryList({"*" + token + "*"}).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Queues, FailingRealPrinters,
    testing::Values(FailingQueueCase{"MARN_TEST_PRINTER_STOPPED", "The printer is stopped or off-line."},
        FailingQueueCase{"MARN_TEST_PRINTER_REJECTING", "The print job was refused: "}));

TEST_F(RealPrinters, ThePictureWindowPrintsOnOnePageThroughTheList)
{
    test::PictureWindowFixture picture({1024, 768, 15.0}, 47.5, 8.0);
    test::WriteTwoLevelTiles(picture.dir.path());
    ASSERT_TRUE(picture.window->Form_Load());
    PictureOutput output(picture.state, picture.platform, printers);
    output.menPictPrint_Click(*picture.window);

    QListWidget& list = *output.printerWindow().Druckerliste;
    const QList<QListWidgetItem*> lines = list.findItems(queue1, Qt::MatchExactly);
    ASSERT_EQ(lines.size(), 1);
    list.setCurrentItem(lines[0]);
    emit list.itemClicked(lines[0]);
    EXPECT_TRUE(picture.platform.messages.isEmpty()) << picture.platform.messages.join(" | ").toStdString();
    EXPECT_TRUE(picture.state.ReadoutEnabled);
    expectPrintedPage(queue1, picture.window->Picture2->picture(), PageOrientation::Landscape, false);
}

} // namespace
} // namespace marn
