#include "output/Capture.h"

#include "output/PrintFit.h"
#include "picture/frmPicture.h"
#include "ui/Platform.h"

#include <QPixmap>
#include <QWidget>

namespace marn {

QImage GrabClientArea(QWidget& clientArea)
{
    return clientArea.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage GrabClientArea(frmPicture& form)
{
    return GrabClientArea(*form.clientArea());
}

QImage TakeSnapshot(QWidget& clientArea, QWidget& exitButton, Platform& platform)
{
    exitButton.hide();
    platform.processEvents();
    QImage snapshot = GrabClientArea(clientArea);
    exitButton.show();
    platform.processEvents();
    return snapshot;
}

PrintError PrintPictureScaled(PrinterService& printers, const QImage& picture)
{
    const PageOrientation orientation = OrientationFor(picture.width(), picture.height());
    const HiMetricSize printed = FitToPrintable(picture.width(), picture.height(), printers.printableArea(orientation));
    return printers.printPage(picture, orientation, printed);
}

} // namespace marn
