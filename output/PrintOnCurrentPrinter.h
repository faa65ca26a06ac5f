#pragma once
// The end of every print request: the snapshot goes to the current printer,
// a failure is reported, and the mouse readout is switched back on.

#include <QImage>

namespace marn {

struct WindowFlags;
class Platform;
class PrinterService;

// Prints the picture scaled to one page of the current printer. With no
// printer installed, or when the printer fails, a message says so (naming the
// printer and the reason). ReadoutEnabled is true afterwards in every case.
void PrintOnCurrentPrinter(PrinterService& printers, Platform& platform, WindowFlags& state, const QImage& picture);

} // namespace marn
