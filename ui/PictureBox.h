#pragma once
// A picture box: a drawing surface whose drawing persists. Lines and single
// pixels are drawn into an image the size of the box, and the box paints that
// image; children (labels, buttons) lie on it in its pixels. Mouse moves,
// wheel turns, button presses, releases and double-clicks are reported in the box's pixels.

#include "ui/NearestPixel.h"

#include <QImage>
#include <QWidget>

namespace marn {

class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // A straight line from (x1, y1) to (x2, y2), both end points drawn. Each
    // coordinate becomes the nearest whole pixel, halves going to the even one;
    // the pixels between follow Bresenham's rule. Parts outside the box are cut.
    void Line(float x1, float y1, float x2, float y2, QRgb colour);
    // The same in the foreground colour.
    void Line(float x1, float y1, float x2, float y2);
    // Sets the pixel nearest to (x, y) (halves to even); nothing outside the box.
    void PSet(float x, float y, QRgb colour);

    QRgb foreColor() const { return foreColor_; }
    void setForeColor(QRgb colour) { foreColor_ = colour; }
    QRgb backColor() const { return backColor_; }
    // Sets the background colour and clears the drawing to it.
    void setBackColor(QRgb colour);

    // The held picture: the drawing, or the picture last assigned. Assigning a
    // picture replaces the drawing with it, at the picture's own size, which no
    // later change of the box's size alters.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return image_; }
    // The drawing itself, sized to the box, for fast bulk pixel writes (32-bit
    // RGB); call update() afterwards.
    QImage& image();

    // A picture painted over the drawing at `at` until cleared (a preview);
    // the drawing itself, and so picture() and image(), stay as they are.
    void setOverlay(const QImage& overlay, QPoint at);
    void clearOverlay();
    bool hasOverlay() const { return !overlay_.isNull(); }

signals:
    void mouseMoved(float x, float y);
    // The wheel turned with the pointer at (x, y): angleDelta in eighths of a
    // degree, positive away from the user (one notch is usually 120).
    void wheelTurned(float x, float y, int angleDelta);
    void doubleClicked(float x, float y);
    // A mouse button went down or up with the pointer at (x, y).
    void mousePressed(float x, float y, Qt::MouseButton button);
    void mouseReleased(float x, float y, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setPixel(int x, int y, QRgb colour);
    // Brings the drawing to the box's size (also while the box is hidden and no
    // resize event has arrived yet), keeping what is drawn.
    void syncImageSize();

    QImage image_;
    QImage overlay_;
    QPoint overlayAt_;
    bool pictureAssigned_ = false;
    QRgb foreColor_ = qRgb(0, 0, 0);
    QRgb backColor_ = qRgb(240, 240, 240);
};

} // namespace marn
