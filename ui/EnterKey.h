#pragma once
// Whether an event is a press of the Enter key (main or keypad) or of Escape,
// which the windows use to move the focus, to press focused buttons and to
// cancel.

#include <QKeyEvent>

#include <algorithm>
#include <initializer_list>

namespace marn {

inline bool IsKeyPress(const QEvent* event, std::initializer_list<int> keys)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

inline bool IsEnterPress(const QEvent* event)
{
    return IsKeyPress(event, {Qt::Key_Return, Qt::Key_Enter});
}

inline bool IsEscapePress(const QEvent* event)
{
    return IsKeyPress(event, {Qt::Key_Escape});
}

} // namespace marn
