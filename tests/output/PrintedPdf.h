#pragma once
// What the printing tests read back from a PDF that a test queue produced,
// through the poppler command-line tools.

#include <QDateTime>
#include <QRectF>
#include <QString>

#include <optional>

namespace marn::test {

struct PrintedPdf {
    int pages = 0;
    double pageWidthMm = 0.0; // as the page is seen, rotation applied
    double pageHeightMm = 0.0;
    int images = 0;
    int imageWidthPx = 0; // the first image's pixels
    int imageHeightPx = 0;
    QRectF inkMm;  // the part of the page that is not white, from its top-left corner
    QRectF darkMm; // the part that is nearly black
};

// Waits (up to a minute) for a complete PDF in `dir` whose name contains
// `token`, written at `notBefore` or later, and returns its path; empty when
// none came.
QString WaitForPdf(const QString& dir, const QString& token, const QDateTime& notBefore);

// Reads the page and image sizes; nothing when the tools fail on the file.
std::optional<PrintedPdf> ReadPrintedPdf(const QString& path);

} // namespace marn::test
