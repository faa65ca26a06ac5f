#pragma once
// Whether an event is a press of the Enter key (main or keypad), which the
// input and drive windows use to move the focus and to press focused buttons.

#include <QKeyEvent>

namespace marn {

inline bool IsEnterPress(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace marn
