#pragma once
// The platform services on the Qt toolkit: modal message boxes without icon,
// event processing, ending the program and the primary screen's metrics.

#include "ui/Platform.h"

#include <optional>

namespace marn {

class QtPlatform : public Platform {
public:
    MessageAnswer messageBox(const QString& text, MessageButtons buttons = MessageButtons::Ok) override;
    void processEvents() override;
    // Closes every window, leaves the event loop and ends the process with status 0.
    [[noreturn]] void endProgram() override;
    ScreenMetrics screen() const override;
    QString programDir() const override;
    QString configHome() const override;
    QString picturesHome() const override;
    QString chooseDirectory(const QString& start) override;
    QString chooseSaveFile(const QString& start, const QString& filter) override;

    // A screen size to lay the windows out on instead of the primary screen's.
    void setScreenOverride(std::optional<ScreenMetrics> screen) { screenOverride_ = screen; }

private:
    std::optional<ScreenMetrics> screenOverride_;
};

// $XDG_CONFIG_HOME when it is set to an absolute path, otherwise $HOME/.config.
QString ConfigHomeFromEnvironment();

// The primary screen's size in pixels and its twips per pixel (1440 divided by
// the logical dots per inch: 15 at 96 dpi).
ScreenMetrics PrimaryScreenMetrics();

} // namespace marn
