#pragma once
// The wait window that stands on the screen while the picture's pixels are drawn.

#include "ui/Platform.h"

#include <QWidget>

class QLabel;

namespace marn {

class frmWait : public QWidget {
    Q_OBJECT

public:
    // The window's load: caption "Wait", 9315 x 4635 twips, centred on the screen.
    explicit frmWait(const ScreenMetrics& screen, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
};

} // namespace marn
