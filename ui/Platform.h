#pragma once
// The platform services that windows receive by reference. The viewer uses
// QtPlatform; tests substitute a recording fake, so no test ever opens a real
// modal box or ends the process.

#include <QString>

namespace marn {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The screen the windows lay themselves out on.
struct ScreenMetrics {
    int widthPx = 0;
    int heightPx = 0;
    double twipsPerPixel = 15.0; // 1440 twips to the inch; 15 at 96 dpi
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box without icon, titled with the application's title;
    // lines inside the text are joined with "\r\n". Returns the button pressed.
    virtual MessageAnswer messageBox(const QString& text, MessageButtons buttons = MessageButtons::Ok) = 0;

    // Handles the window events waiting at this moment, then returns.
    virtual void processEvents() = 0;

    // Closes every window and ends the process. A fake only records the call,
    // so callers return at once after calling it.
    virtual void endProgram() = 0;

    virtual ScreenMetrics screen() const = 0;

    // The directory that holds the program's executable (the settings files
    // live there when it is writable).
    virtual QString programDir() const = 0;

    // The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
    // path, otherwise ~/.config. The settings files go below it when the
    // program directory cannot be written.
    virtual QString configHome() const = 0;

    // The user's pictures folder (~/Pictures or as the desktop names it); ""
    // where there is none. An installed viewer's first start keeps its
    // pictures in a folder "marn" below it.
    virtual QString picturesHome() const { return {}; }

    // A modal folder chooser starting at `start` (the home folder when empty).
    // The chosen folder, or "" when the user cancels.
    virtual QString chooseDirectory(const QString& start) = 0;
    // A modal chooser of a file to write, starting at `start` (a folder or a
    // suggested path), offering `filter` ("PNG picture (*.png)"). The chosen
    // path, or "" when the user cancels.
    virtual QString chooseSaveFile(const QString& start, const QString& filter) = 0;
};

} // namespace marn
