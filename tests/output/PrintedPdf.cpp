#include "tests/output/PrintedPdf.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

namespace marn::test {

namespace {

constexpr double MmPerPoint = 25.4 / 72.0;
constexpr int RenderDpi = 100;

// The smallest rectangle that holds every pixel darker than `below`.
QRect InkBox(const QImage& page, int below)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < below) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRectF InMm(const QRect& pixels)
{
    const double mmPerPixel = 25.4 / RenderDpi;
    return {
        pixels.x() * mmPerPixel, pixels.y() * mmPerPixel, pixels.width() * mmPerPixel, pixels.height() * mmPerPixel};
}

std::optional<QString> Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Field(const QString& info, const QString& name)
{
    const QRegularExpression line(
        "^" + QRegularExpression::escape(name) + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace

QString WaitForPdf(const QString& dir, const QString& token, const QDateTime& notBefore)
{
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        for (const QFileInfo& file : QDir(dir).entryInfoList({"*" + token + "*.pdf"}, QDir::Files)) {
            if (file.lastModified() >= notBefore && Run("pdfinfo", {file.filePath()}))
                return file.filePath();
        }
        QThread::msleep(200);
    }
    return {};
}

std::optional<PrintedPdf> ReadPrintedPdf(const QString& path)
{
    const std::optional<QString> info = Run("pdfinfo", {path});
    const std::optional<QString> list = Run("pdfimages", {"-list", path});
    if (!info || !list)
        return std::nullopt;

    PrintedPdf pdf;
    pdf.pages = Field(*info, "Pages").toInt();
    const QRegularExpressionMatch size =
        QRegularExpression("([0-9.]+) x ([0-9.]+) pts").match(Field(*info, "Page size"));
    const bool turned = Field(*info, "Page rot").toInt() % 180 != 0;
    pdf.pageWidthMm = size.captured(turned ? 2 : 1).toDouble() * MmPerPoint;
    pdf.pageHeightMm = size.captured(turned ? 1 : 2).toDouble() * MmPerPoint;

    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    const QStringList lines = list->split('\n', Qt::SkipEmptyParts).mid(2);
    pdf.images = static_cast<int>(lines.size());
    if (lines.isEmpty())
        return pdf;
    const QStringList columns = lines[0].split(' ', Qt::SkipEmptyParts);
    if (columns.size() < 14)
        return std::nullopt;
    pdf.imageWidthPx = columns[3].toInt();
    pdf.imageHeightPx = columns[4].toInt();

    QTemporaryDir scratch;
    const QString prefix = scratch.filePath("page");
    if (!Run("pdftoppm", {"-r", QString::number(RenderDpi), "-gray", "-singlefile", path, prefix}))
        return std::nullopt;
    const QImage page(prefix + ".pgm");
    pdf.inkMm = InMm(InkBox(page, 250));
    pdf.darkMm = InMm(InkBox(page, 30));
    return pdf;
}

} // namespace marn::test
