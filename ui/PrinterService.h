#pragma once
// The printers the viewer can print on. The viewer uses QtPrinterService; tests
// substitute a recording fake. Sizes on the page are in HiMetric (0.01 mm).

#include <QImage>
#include <QStringList>

#include <optional>

namespace marn {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

struct HiMetricSize {
    double width = 0.0;
    double height = 0.0;
};

// Why a print failed; nothing when the page went to the printer.
using PrintError = std::optional<QString>;

class PrinterService {
public:
    virtual ~PrinterService() = default;

    // The names of the installed printers, each printer once, in a stable order.
    virtual QStringList printerNames() const = 0;

    // Position of the current printer in printerNames(): the system's default
    // printer until another one is selected; -1 when no printer is installed.
    virtual int currentPrinter() const = 0;

    // Makes the printer at that position of printerNames() the current one for
    // the rest of the run; a position outside the list changes nothing.
    virtual void selectPrinter(int index) = 0;

    // The printable area of the current printer's page in that orientation.
    virtual HiMetricSize printableArea(PageOrientation orientation) const = 0;

    // One page on the current printer: the picture stretched to `size`, its
    // top-left corner at the top-left corner of the printable area. Ends the
    // document, handing it to the printer.
    virtual PrintError printPage(const QImage& picture, PageOrientation orientation, HiMetricSize size) = 0;
};

} // namespace marn
