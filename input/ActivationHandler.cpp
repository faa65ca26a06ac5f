#include "input/ActivationHandler.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace marn {

namespace {

// How long a newly shown window waits for the window system's own activation.
constexpr int ActivationGraceMs = 50;

} // namespace

ActivationHandler::ActivationHandler(QWidget& window, std::function<void()> handler)
    : QObject(&window), window_(window), handler_(std::move(handler))
{
    window.installEventFilter(this);
}

bool ActivationHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    if (event->type() == QEvent::WindowActivate) {
        activatedSinceShow_ = true;
        run();
    } else if (event->type() == QEvent::Show && !event->spontaneous()) {
        activatedSinceShow_ = window_.isActiveWindow();
        QTimer::singleShot(ActivationGraceMs, this, &ActivationHandler::afterShow);
    }
    return false;
}

void ActivationHandler::afterShow()
{
    if (activatedSinceShow_ || !window_.isVisible())
        return;
    window_.activateWindow();
    if (!activatedSinceShow_)
        run();
    activatedSinceShow_ = true;
}

void ActivationHandler::run()
{
    if (running_)
        return;
    running_ = true;
    handler_();
    running_ = false;
}

} // namespace marn
