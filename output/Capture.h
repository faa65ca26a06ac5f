#pragma once
// Snapshots of the picture window and printing them scaled to the page.

#include "ui/PrinterService.h"

#include <QImage>

class QWidget;

namespace marn {

class Platform;
class frmPicture;

// The client area as the toolkit renders it, at its size in pixels, with every
// child control it shows (32-bit RGB, opaque).
QImage GrabClientArea(QWidget& clientArea);

// The picture window's whole client area: everything below its menu bar,
// without frame and title.
QImage GrabClientArea(frmPicture& form);

// A snapshot of the client area without the exit button: the button is hidden
// and the window repaints before the grab, and the button is shown again after.
QImage TakeSnapshot(QWidget& clientArea, QWidget& exitButton, Platform& platform);

// Prints the picture on one page of the current printer: landscape when it is
// wider than high, fitted to the printable area with its proportions kept, at
// the printable area's top-left corner. Returns why it failed, if it did.
PrintError PrintPictureScaled(PrinterService& printers, const QImage& picture);

} // namespace marn
