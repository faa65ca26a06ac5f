#include "output/PrintOnCurrentPrinter.h"

#include "core/SharedState.h"
#include "output/Capture.h"
#include "ui/Platform.h"
#include "ui/PrinterService.h"

namespace marn {

void PrintOnCurrentPrinter(PrinterService& printers, Platform& platform, WindowFlags& state, const QImage& picture)
{
    const QStringList names = printers.printerNames();
    if (names.isEmpty()) {
        platform.messageBox("No printer is installed. The picture is not printed.");
    } else if (const PrintError error = PrintPictureScaled(printers, picture)) {
        platform.messageBox(
            "Error printing on " + names.value(printers.currentPrinter()) + "\r\n" + "Reason: " + *error);
    }
    state.ReadoutEnabled = true;
}

} // namespace marn
