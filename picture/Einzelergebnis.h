#pragma once
// The readout window: the coordinates and the height of the grid point under
// the mouse pointer.

#include "ui/Platform.h"

#include <QWidget>

#include <cstdint>

class QLabel;

namespace marn {

class Einzelergebnis : public QWidget {
    Q_OBJECT

public:
    // The window's load: caption "Values at mouse position", a client area of
    // 4470 x 1095 twips at 0.72 / 0.675 of the screen, both lines in
    // readoutFontSize - 1 points. A tool window of `parent` (the picture
    // window): the window manager keeps it above its owner, also after a click
    // into the full-screen picture.
    Einzelergebnis(const ScreenMetrics& screen, std::int16_t readoutFontSize, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // "Coordinates = ..."
    QLabel* Label2 = nullptr; // "Height = ..."

private:
    void WidenForLongestText(int margin);
};

} // namespace marn
