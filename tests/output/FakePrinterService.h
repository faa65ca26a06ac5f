#pragma once
// A recording stand-in for the printers: a fixed list of names, a printable
// area per orientation, every printed page kept, failures on request.

#include "ui/PrinterService.h"

#include <vector>

namespace marn::test {

struct PrintedPage {
    int printer = -1;
    QImage picture;
    PageOrientation orientation = PageOrientation::Portrait;
};

class FakePrinterService : public PrinterService {
public:
    explicit FakePrinterService(QStringList names = {}) : names_(std::move(names)), current_(names_.isEmpty() ? -1 : 0)
    {
    }

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
    int current_;
};

} // namespace marn::test
