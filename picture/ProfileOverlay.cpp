#include "picture/ProfileOverlay.h"

#include <QPainter>

namespace marn {

ProfileOverlay::ProfileOverlay(QWidget* surface) : QWidget(surface)
{
    setObjectName(QStringLiteral("ProfileOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void ProfileOverlay::setLine(QPointF start, QPointF end, const QString& text)
{
    line_ = true;
    start_ = start;
    end_ = end;
    text_ = text;
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
}

void ProfileOverlay::setMarker(std::optional<QPointF> point)
{
    marker_ = point;
    update();
}

void ProfileOverlay::clear()
{
    line_ = false;
    text_.clear();
    marker_.reset();
    hide();
}

void ProfileOverlay::paintEvent(QPaintEvent*)
{
    if (!line_)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 4));
    painter.drawLine(start_, end_);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(start_, end_);
    painter.setBrush(Qt::black);
    painter.drawEllipse(start_, 3, 3);
    painter.drawEllipse(end_, 3, 3);
    if (marker_) {
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(200, 0, 0));
        painter.drawEllipse(*marker_, 6, 6);
    }
    if (!text_.isEmpty()) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(16);
        font.setBold(true);
        painter.setFont(font);
        const QRectF box = QFontMetricsF(font).boundingRect(text_).adjusted(-4, -2, 4, 2);
        const QRectF placed = box.translated(end_ + QPointF(12, -12) - box.bottomLeft());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 220));
        painter.drawRect(placed);
        painter.setPen(Qt::black);
        painter.drawText(placed, Qt::AlignCenter, text_);
    }
}

} // namespace marn
