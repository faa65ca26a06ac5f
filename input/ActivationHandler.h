#pragma once
// Runs a window's activation handler at every activation of the window, the
// first showing included. Where the window system does not activate a newly
// shown window by itself (no window manager), the first showing asks for the
// activation and runs the handler once the show has been processed. The
// handler never runs inside itself: an activation that arrives while it runs
// is dropped.

#include <QObject>

#include <functional>

class QWidget;

namespace marn {

class ActivationHandler : public QObject {
public:
    ActivationHandler(QWidget& window, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();
    void afterShow();

    QWidget& window_;
    std::function<void()> handler_;
    bool running_ = false;
    bool activatedSinceShow_ = false;
};

} // namespace marn
