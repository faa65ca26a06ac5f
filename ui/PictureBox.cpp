#include "ui/PictureBox.h"

#include "core/ZeroedMemory.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cstdlib>

namespace marn {

namespace {

struct ImageMemory {
    void* memory;
    std::size_t bytes;
};

// A 32-bit RGB image on fresh memory from AllocateZeroed: a drawing the size
// of the screen is faulted in a few huge pages at a time rather than 4 KB at a time.
QImage FreshImage(QSize size)
{
    const qsizetype bytesPerLine = static_cast<qsizetype>(size.width()) * 4;
    const auto bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(size.height());
    auto* held = new ImageMemory{AllocateZeroed(bytes), bytes};
    return QImage(
        static_cast<uchar*>(held->memory), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
        [](void* info) {
            auto* memory = static_cast<ImageMemory*>(info);
            FreeZeroed(memory->memory, memory->bytes);
            delete memory;
        },
        held);
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(backColor_);
}

void PictureBox::setBackColor(QRgb colour)
{
    backColor_ = colour;
    syncImageSize();
    image_.fill(backColor_);
    update();
}

void PictureBox::setPicture(const QImage& picture)
{
    image_ = picture.convertToFormat(QImage::Format_RGB32);
    pictureAssigned_ = true;
    update();
}

QImage& PictureBox::image()
{
    syncImageSize();
    return image_;
}

void PictureBox::syncImageSize()
{
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (pictureAssigned_ || wanted == image_.size())
        return;
    QImage grown = FreshImage(wanted);
    grown.fill(backColor_);
    QPainter painter(&grown);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = grown;
}

void PictureBox::setPixel(int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
}

void PictureBox::PSet(float x, float y, QRgb colour)
{
    syncImageSize();
    setPixel(NearestPixel(x), NearestPixel(y), colour);
    update();
}

void PictureBox::Line(float x1, float y1, float x2, float y2)
{
    Line(x1, y1, x2, y2, foreColor_);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, QRgb colour)
{
    syncImageSize();
    int x = NearestPixel(x1);
    int y = NearestPixel(y1);
    const int xEnd = NearestPixel(x2);
    const int yEnd = NearestPixel(y2);
    const int dx = std::abs(xEnd - x);
    const int dy = -std::abs(yEnd - y);
    const int sx = x < xEnd ? 1 : -1;
    const int sy = y < yEnd ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        setPixel(x, y, colour);
        if (x == xEnd && y == yEnd)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    syncImageSize();
    QPainter painter(this);
    const QRect area = event->rect();
    // Only what the drawing does not cover gets the background.
    if (!image_.rect().contains(area))
        painter.fillRect(area, QColor(backColor_));
    painter.drawImage(area.topLeft(), image_, area);
    if (!overlay_.isNull()) {
        const QRect over = QRect(overlayAt_, overlay_.size()) & area;
        if (!over.isEmpty())
            painter.drawImage(over.topLeft(), overlay_, over.translated(-overlayAt_));
    }
}

void PictureBox::setOverlay(const QImage& overlay, QPoint at)
{
    const QRect before(overlayAt_, overlay_.size());
    overlay_ = overlay;
    overlayAt_ = at;
    update(before | QRect(at, overlay.size()));
}

void PictureBox::clearOverlay()
{
    if (overlay_.isNull())
        return;
    update(QRect(overlayAt_, overlay_.size()));
    overlay_ = QImage();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit mouseMoved(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    QWidget::mouseMoveEvent(event);
}

void PictureBox::wheelEvent(QWheelEvent* event)
{
    const QPointF pos = event->position();
    emit wheelTurned(static_cast<float>(pos.x()), static_cast<float>(pos.y()), event->angleDelta().y());
    event->accept();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit doubleClicked(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    event->accept();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit mousePressed(static_cast<float>(pos.x()), static_cast<float>(pos.y()), event->button());
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit mouseReleased(static_cast<float>(pos.x()), static_cast<float>(pos.y()), event->button());
    event->accept();
}

} // namespace marn
