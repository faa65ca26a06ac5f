#pragma once
// The profile's line drawn over the picture: a transparent layer on the
// drawing surface that leaves the picture's pixels and the mouse to it. It
// shows the line between two pixel positions, a text beside the line's end
// (the length while it is drawn) and a marker on one point of the line.

#include <QPointF>
#include <QString>
#include <QWidget>

#include <optional>

namespace marn {

class ProfileOverlay : public QWidget {
    Q_OBJECT

public:
    explicit ProfileOverlay(QWidget* surface);

    void setLine(QPointF start, QPointF end, const QString& text);
    void setMarker(std::optional<QPointF> point);
    void clear();
    bool hasLine() const { return line_; }
    QPointF start() const { return start_; }
    QPointF end() const { return end_; }
    const QString& text() const { return text_; }
    std::optional<QPointF> marker() const { return marker_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool line_ = false;
    QPointF start_;
    QPointF end_;
    QString text_;
    std::optional<QPointF> marker_;
};

} // namespace marn
