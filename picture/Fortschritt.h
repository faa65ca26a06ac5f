#pragma once
// The progress window of the height sampling: a title line, a base line with
// eleven marks from 0 to 100 % and a red bar that grows with every sampled row.
// The window works in pixels; its drawing surface fills the whole window.

#include "picture/ProgressBar.h"
#include "ui/Platform.h"

#include <QWidget>

#include <array>

class QLabel;

namespace marn {

class PictureBox;

inline constexpr QRgb ProgressBarColour = 0xFFC80000; // red 200, green 0, blue 0

class Fortschritt : public QWidget {
    Q_OBJECT

public:
    // The window's load: placed at 0.15 / 0.35 of the screen, 0.7 of its width
    // and 0.3 of its height, the title line centred.
    explicit Fortschritt(const ScreenMetrics& screen, QWidget* parent = nullptr);

    // Draws the base line and the marks and shows the mark captions.
    void drawScale(const ProgressBarLayout& layout);
    // Redraws the bar from its start for a progress of `progress` pixels.
    void drawBar(const ProgressBarLayout& layout, float progress);
    // Reports a finished row (1-based) of `rows` rows to whoever watches.
    void rowSampled(int row, int rows) { emit rowDone(row, rows); }

    PictureBox* surface = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 11> LabP{};

signals:
    void rowDone(int row, int rows);
};

} // namespace marn
