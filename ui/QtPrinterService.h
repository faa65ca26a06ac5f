#pragma once
// The installed printers as the toolkit's print support sees them (every CUPS
// queue on Linux), printed on through QPrinter and QPainter.

#include "ui/PrinterService.h"

#include <optional>

class QPrinter;

namespace marn {

class QtPrinterService : public PrinterService {
public:
    // Print jobs carry `documentName` as their title.
    explicit QtPrinterService(QString documentName = QStringLiteral("Height picture"));

    QStringList printerNames() const override;
    int currentPrinter() const override;
    void selectPrinter(int index) override;
    HiMetricSize printableArea(PageOrientation orientation) const override;
    PrintError printPage(const QImage& picture, PageOrientation orientation, HiMetricSize size) override;

private:
    QString currentPrinterName() const;
    void setUp(QPrinter& printer, PageOrientation orientation) const;

    QString documentName_;
    std::optional<int> selected_;
};

} // namespace marn
