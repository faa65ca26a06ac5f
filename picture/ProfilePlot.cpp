#include "picture/ProfilePlot.h"

#include "picture/LatLonFormat.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace marn {
namespace {

constexpr int MarginPx = 16;
constexpr int LeftAxisPx = 70;
constexpr int BottomAxisPx = 44;
constexpr int LineHeightPx = 20;
const QColor CurveColour(128, 64, 0);
const QColor FillColour(240, 200, 120);
const QColor GridColour(220, 220, 220);
const QColor MarkerColour(200, 0, 0);

std::string Fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A tick value as text: no decimals unless the step needs them.
QString TickText(double value, double step)
{
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return QString::number(value, 'f', decimals);
}

} // namespace

std::vector<double> NiceTicks(double lo, double hi, int maxTicks)
{
    std::vector<double> ticks;
    if (!(hi >= lo) || maxTicks < 1)
        return ticks;
    const double span = std::max(hi - lo, 1e-9);
    double step = std::pow(10.0, std::floor(std::log10(span / maxTicks)));
    for (;;) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            const double candidate = step * factor;
            const double first = std::ceil(lo / candidate - 1e-9) * candidate;
            const int count = static_cast<int>(std::floor((hi - first) / candidate + 1e-9)) + 1;
            if (count <= maxTicks) {
                for (int k = 0; k < count; ++k)
                    ticks.push_back(first + k * candidate);
                return ticks;
            }
        }
        step *= 10.0;
    }
}

std::vector<std::string> ProfileTextLines(const ProfileLine& line, const std::vector<ProfileSample>& samples)
{
    const ProfileSummary summary = SummariseProfile(samples);
    std::vector<std::string> lines;
    lines.push_back("From " + FormatLatLon(line.from.lat, line.from.lon));
    lines.push_back("To " + FormatLatLon(line.to.lat, line.to.lon));
    lines.push_back("Distance = " + Fixed(line.distanceKm, 3) + " km");
    if (summary.lowest && summary.highest) {
        const ProfileSample& low = samples[*summary.lowest];
        const ProfileSample& high = samples[*summary.highest];
        lines.push_back("Lowest = " + std::to_string(low.height) + " m at " + Fixed(low.distanceKm, 3)
                        + " km   Highest = " + std::to_string(high.height) + " m at " + Fixed(high.distanceKm, 3)
                        + " km");
    } else {
        lines.push_back("No height along the line");
    }
    std::string climbs =
        "Ascent = " + std::to_string(summary.ascentM) + " m   Descent = " + std::to_string(summary.descentM) + " m";
    if (summary.missing > 0)
        climbs += "   Missing = " + std::to_string(summary.missing) + " of " + std::to_string(samples.size()) + " points";
    lines.push_back(climbs);
    return lines;
}

std::string ProfilePointText(const ProfileSample& sample)
{
    const std::string height = sample.height == NoData ? "missing" : std::to_string(sample.height) + " m";
    return "Distance = " + Fixed(sample.distanceKm, 3) + " km   Height = " + height
           + "   Coordinates = " + FormatLatLon(sample.lat, sample.lon);
}

ProfileScales ComputeProfileScales(QSize page, int textLines, const std::vector<ProfileSample>& samples)
{
    ProfileScales scales;
    const double top = MarginPx + textLines * LineHeightPx + MarginPx + LineHeightPx;
    scales.plot = QRectF(MarginPx + LeftAxisPx, top, std::max(10.0, page.width() - 2.0 * MarginPx - LeftAxisPx),
        std::max(10.0, page.height() - top - MarginPx - BottomAxisPx));
    scales.distanceKm = samples.empty() || samples.back().distanceKm <= 0.0 ? 1.0 : samples.back().distanceKm;
    const ProfileSummary summary = SummariseProfile(samples);
    if (summary.lowest && summary.highest) {
        double lo = samples[*summary.lowest].height;
        double hi = samples[*summary.highest].height;
        const double pad = std::max(10.0, (hi - lo) * 0.05);
        scales.heightLo = lo - pad;
        scales.heightHi = hi + pad;
    } else {
        scales.heightLo = 0.0;
        scales.heightHi = 100.0;
    }
    return scales;
}

void PaintProfile(QPainter& painter, QSize page, const ProfileLine& line, const std::vector<ProfileSample>& samples,
    std::optional<std::size_t> marked)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRect(QPoint(0, 0), page), Qt::white);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(Qt::black);

    const std::vector<std::string> texts = ProfileTextLines(line, samples);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        painter.drawText(QPointF(MarginPx, MarginPx + (static_cast<double>(k) + 0.8) * LineHeightPx),
            QString::fromStdString(texts[k]));
    }
    const ProfileScales s = ComputeProfileScales(page, static_cast<int>(texts.size()), samples);

    // grid lines and ticks
    font.setPixelSize(13);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const int maxXTicks = std::max(2, static_cast<int>(s.plot.width() / 70));
    const int maxYTicks = std::max(2, static_cast<int>(s.plot.height() / 40));
    const std::vector<double> xTicks = NiceTicks(0.0, s.distanceKm, maxXTicks);
    const std::vector<double> yTicks = NiceTicks(s.heightLo, s.heightHi, maxYTicks);
    const double xStep = xTicks.size() > 1 ? xTicks[1] - xTicks[0] : 1.0;
    const double yStep = yTicks.size() > 1 ? yTicks[1] - yTicks[0] : 1.0;
    for (const double km : xTicks) {
        const double x = s.x(km);
        painter.setPen(GridColour);
        painter.drawLine(QPointF(x, s.plot.top()), QPointF(x, s.plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, s.plot.bottom()), QPointF(x, s.plot.bottom() + 5));
        const QString text = TickText(km, xStep);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2, s.plot.bottom() + 20), text);
    }
    for (const double m : yTicks) {
        const double y = s.y(m);
        painter.setPen(GridColour);
        painter.drawLine(QPointF(s.plot.left(), y), QPointF(s.plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(s.plot.left() - 5, y), QPointF(s.plot.left(), y));
        const QString text = TickText(m, yStep);
        painter.drawText(QPointF(s.plot.left() - 8 - metrics.horizontalAdvance(text), y + 4), text);
    }
    const QString kmUnit = QStringLiteral("km");
    painter.drawText(QPointF(s.plot.right() - metrics.horizontalAdvance(kmUnit), s.plot.bottom() + 38), kmUnit);
    painter.drawText(QPointF(MarginPx, s.plot.top() - 6), QStringLiteral("m"));

    // the curve: one filled piece per run of samples with heights
    painter.setClipRect(s.plot);
    std::size_t i = 0;
    while (i < samples.size()) {
        if (samples[i].height == NoData) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < samples.size() && samples[end].height != NoData)
            ++end;
        QPolygonF curve;
        for (std::size_t k = i; k < end; ++k)
            curve << QPointF(s.x(samples[k].distanceKm), s.y(samples[k].height));
        if (curve.size() == 1)
            curve << curve.front() + QPointF(0.5, 0);
        QPolygonF area = curve;
        area << QPointF(curve.back().x(), s.plot.bottom()) << QPointF(curve.front().x(), s.plot.bottom());
        painter.setPen(Qt::NoPen);
        painter.setBrush(FillColour);
        painter.drawPolygon(area);
        painter.setPen(QPen(CurveColour, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(curve);
        i = end;
    }
    painter.setClipping(false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(s.plot);

    if (marked && *marked < samples.size()) {
        const ProfileSample& p = samples[*marked];
        const double x = s.x(p.distanceKm);
        painter.setPen(QPen(MarkerColour, 1));
        painter.drawLine(QPointF(x, s.plot.top()), QPointF(x, s.plot.bottom()));
        if (p.height != NoData) {
            painter.setBrush(MarkerColour);
            painter.drawEllipse(QPointF(x, s.y(p.height)), 4, 4);
        }
    }
    painter.restore();
}

QImage ProfileImage(QSize page, const ProfileLine& line, const std::vector<ProfileSample>& samples)
{
    QImage image(page, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintProfile(painter, page, line, samples);
    return image;
}

ProfilePlot::ProfilePlot(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(400, 300);
}

void ProfilePlot::setProfile(const ProfileLine& line, const std::vector<ProfileSample>& samples)
{
    line_ = line;
    samples_ = samples;
    marked_.reset();
    update();
}

std::optional<std::size_t> ProfilePlot::sampleAt(double x, double y) const
{
    if (samples_.empty())
        return std::nullopt;
    const ProfileScales s =
        ComputeProfileScales(size(), static_cast<int>(ProfileTextLines(line_, samples_).size()), samples_);
    if (x < s.plot.left() || x > s.plot.right() || y < s.plot.top() || y > s.plot.bottom())
        return std::nullopt;
    const double km = (x - s.plot.left()) / s.plot.width() * s.distanceKm;
    const double step = samples_.size() > 1 ? samples_.back().distanceKm / static_cast<double>(samples_.size() - 1) : 1;
    const double index = std::round(km / step);
    return static_cast<std::size_t>(std::clamp(index, 0.0, static_cast<double>(samples_.size() - 1)));
}

void ProfilePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintProfile(painter, size(), line_, samples_, marked_);
}

void ProfilePlot::mouseMoveEvent(QMouseEvent* event)
{
    mark(sampleAt(event->position().x(), event->position().y()));
}

void ProfilePlot::leaveEvent(QEvent*)
{
    mark(std::nullopt);
}

void ProfilePlot::mark(std::optional<std::size_t> index)
{
    if (index == marked_)
        return;
    marked_ = index;
    update();
    emit hovered(index ? static_cast<int>(*index) : -1);
}

} // namespace marn
