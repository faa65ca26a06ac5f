#pragma once
// Placing the small fixed windows on the screen.

#include "ui/Platform.h"

#include <QWidget>

namespace marn {

// left = (screen width - window width) / 2, top = (screen height - window height) / 2.
inline void CentreOnScreen(QWidget& window, const ScreenMetrics& screen)
{
    window.move((screen.widthPx - window.width()) / 2, (screen.heightPx - window.height()) / 2);
}

} // namespace marn
