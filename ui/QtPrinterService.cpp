#include "ui/QtPrinterService.h"

#include "ui/CupsQueue.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace marn {

namespace {

constexpr double HiMetricPerMm = 100.0;
constexpr double HiMetricPerInch = 2540.0;

} // namespace

QtPrinterService::QtPrinterService(QString documentName) : documentName_(std::move(documentName)) {}

QStringList QtPrinterService::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

int QtPrinterService::currentPrinter() const
{
    const QStringList names = printerNames();
    if (names.isEmpty())
        return -1;
    if (selected_ && *selected_ < names.size())
        return *selected_;
    const int defaultIndex = static_cast<int>(names.indexOf(QPrinterInfo::defaultPrinterName()));
    return defaultIndex >= 0 ? defaultIndex : 0;
}

void QtPrinterService::selectPrinter(int index)
{
    if (index < 0 || index >= printerNames().size())
        return;
    selected_ = index;
}

QString QtPrinterService::currentPrinterName() const
{
    return printerNames().value(currentPrinter());
}

void QtPrinterService::setUp(QPrinter& printer, PageOrientation orientation) const
{
    printer.setPrinterName(currentPrinterName());
    printer.setPageOrientation(
        orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(false);
}

HiMetricSize QtPrinterService::printableArea(PageOrientation orientation) const
{
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, orientation);
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    return {area.width() * HiMetricPerMm, area.height() * HiMetricPerMm};
}

PrintError QtPrinterService::printPage(const QImage& picture, PageOrientation orientation, HiMetricSize size)
{
    const QString name = currentPrinterName();
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (name.isEmpty() || info.isNull())
        return QStringLiteral("The printer is not installed.");
    if (std::optional<QString> stopped = CupsQueueStopped(name))
        return stopped;

    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, orientation);
    printer.setDocName(documentName_);
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("The printer does not accept the print job.");
    const double dotsPerHiMetric = printer.resolution() / HiMetricPerInch;
    painter.drawImage(QRectF(0.0, 0.0, size.width * dotsPerHiMetric, size.height * dotsPerHiMetric), picture);
    if (!painter.end() || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return QStringLiteral("The print job could not be handed to the printer.");
    if (const std::optional<QString> refusal = CupsLastRefusal())
        return "The print job was refused: " + *refusal;
    return std::nullopt;
}

} // namespace marn
