// One real print: a click in the printer list prints a wide snapshot onto a PDF
// queue that scripts/test-printers.sh sets up, read back with the poppler tools.
// Skipped with the reason where no such queue was set up.

#include "output/PrintFit.h"
#include "output/PrinterListe.h"
#include "tests/support/FakePlatform.h"

#include "core/SharedState.h"
#include "ui/QtPrinterService.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

namespace marn {
namespace {

std::optional<QString> RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A complete PDF in `dir` whose name holds `token`, written from `notBefore` on,
// waited for up to a minute.
QString WaitForPdf(const QString& dir, const QString& token, const QDateTime& notBefore)
{
    for (const QDeadlineTimer deadline(60000); !deadline.hasExpired(); QThread::msleep(200))
        for (const QFileInfo& file : QDir(dir).entryInfoList({"*" + token + "*.pdf"}, QDir::Files))
            if (file.lastModified() >= notBefore && RunTool("pdfinfo", {file.filePath()}))
                return file.filePath();
    return {};
}

// The smallest rectangle, in mm from the page's top-left corner, that holds every
// pixel of the page, rendered at 100 dpi, darker than `below`.
QRectF InkMm(const QImage& page, int below)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < below)
                box |= QRect(x, y, 1, 1);
    return {box.x() * 0.254, box.y() * 0.254, box.width() * 0.254, box.height() * 0.254};
}

TEST(RealPrinter, AClickInTheListPrintsAWideSnapshotInLandscapeFittedToThePrintableArea)
{
    const QString queue = qEnvironmentVariable("MARN_TEST_PRINTER_2");
    if (queue.isEmpty())
        GTEST_SKIP() << "no test printers: "
                     << qEnvironmentVariable("MARN_TEST_PRINTERS_UNAVAILABLE",
                            "source scripts/test-printers.sh before running the tests")
                            .toStdString();

    // The job title, which the PDF's file name carries: letters and digits only.
    const QString token = QString("marntest%1").arg(QCoreApplication::applicationPid());
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    QtPrinterService printers{token};
    SharedState state;
    test::FakePlatform platform;
    QImage picture(1200, 750, QImage::Format_RGB32); // blue with a black top-left corner
    picture.fill(qRgb(20, 90, 160));
    for (int y = 0; y < 750 / 8; ++y)
        for (int x = 0; x < 1200 / 8; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    PrinterListe window(state, platform, printers, [&] { return picture; });
    window.ShowPrinters(printers.printerNames());
    const QList<QListWidgetItem*> lines = window.Druckerliste->findItems(queue, Qt::MatchExactly);
    ASSERT_EQ(lines.size(), 1);
    window.Druckerliste->setCurrentItem(lines[0]);
    emit window.Druckerliste->itemClicked(lines[0]);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join(" | ").toStdString();
    EXPECT_TRUE(state.ReadoutEnabled);

    const QString path = WaitForPdf(QDir(qEnvironmentVariable("MARN_TEST_PDF_DIR")).filePath(queue), token, started);
    ASSERT_FALSE(path.isEmpty()) << "no PDF from " << queue.toStdString();
    const QString info = RunTool("pdfinfo", {path}).value_or("");
    EXPECT_TRUE(info.contains(QRegularExpression("^Pages:\\s*1$", QRegularExpression::MultilineOption)))
        << info.toStdString();
    QTemporaryDir scratch;
    ASSERT_TRUE(RunTool("pdftoppm", {"-r", "100", "-gray", "-singlefile", path, scratch.filePath("page")}));
    const QImage page(scratch.filePath("page.pgm"));

    // Where the picture should lie: fitted to the printable area, from its top-left corner.
    QPrinter printer;
    printer.setPrinterName(queue);
    printer.setPageOrientation(QPageLayout::Landscape);
    const HiMetricSize fit = FitToPrintable(1200, 750, printers.printableArea(PageOrientation::Landscape));
    QRectF expected(printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft(),
        QSizeF(fit.width / 100.0, fit.height / 100.0));
    QPointF markCorner = InkMm(page, 30).topLeft();
    QPointF pictureCorner = expected.topLeft();
    if (page.width() < page.height()) {
        // A landscape page on a sheet fed portrait comes out turned a quarter
        // counter-clockwise: the picture's top edge runs along the sheet's left edge.
        const double sheetHeightMm = page.height() * 0.254;
        expected = QRectF(expected.top(), sheetHeightMm - expected.right(), expected.height(), expected.width());
        pictureCorner = expected.bottomLeft();
        markCorner = InkMm(page, 30).bottomLeft();
    }
    const QRectF ink = InkMm(page, 250);
    for (const auto& [measured, wanted] : {std::pair{markCorner.x(), pictureCorner.x()},
             {markCorner.y(), pictureCorner.y()}, {ink.left(), expected.left()}, {ink.top(), expected.top()},
             {ink.width(), expected.width()}, {ink.height(), expected.height()}})
        EXPECT_NEAR(measured, wanted, 1.0);
}

} // namespace
} // namespace marn
