#include "output/PictureOutput.h"

#include "core/SharedState.h"
#include "output/Capture.h"
#include "output/InfoMessage.h"
#include "output/PrintOnCurrentPrinter.h"
#include "output/PrinterListe.h"
#include "output/frmFilename.h"
#include "picture/frmPicture.h"
#include "ui/PictureBox.h"
#include "ui/Platform.h"
#include "ui/PrinterService.h"

#include <QPushButton>

namespace marn {

PictureOutput::PictureOutput(SharedState& state, Platform& platform, PrinterService& printers)
    : state_(state), platform_(platform), printers_(printers)
{
}

PictureOutput::~PictureOutput() = default;

frmFilename& PictureOutput::filenameWindow()
{
    if (!filename_)
        filename_ = std::make_unique<frmFilename>(state_, platform_, [this] { return snapshot(); });
    return *filename_;
}

PrinterListe& PictureOutput::printerWindow()
{
    if (!printerList_)
        printerList_ = std::make_unique<PrinterListe>(state_, platform_, printers_, [this] { return snapshot(); });
    return *printerList_;
}

QImage PictureOutput::snapshot() const
{
    if (!profilePage_.isNull())
        return profilePage_;
    return snapshotBox_ != nullptr ? snapshotBox_->picture() : QImage();
}

void PictureOutput::takeSnapshot(frmPicture& picture)
{
    state_.ReadoutEnabled = false;
    profilePage_ = QImage();
    snapshotBox_ = picture.Picture2;
    picture.Picture2->setPicture(TakeSnapshot(*picture.clientArea(), *picture.Command1, platform_));
}

void PictureOutput::MenPictSave_Click(frmPicture& picture)
{
    takeSnapshot(picture);
    frmFilename& window = filenameWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void PictureOutput::menPictPrint_Click(frmPicture& picture)
{
    takeSnapshot(picture);
    const QStringList names = printers_.printerNames();
    if (names.size() > 1) {
        printerWindow().ShowPrinters(names);
        return;
    }
    PrintOnCurrentPrinter(printers_, platform_, state_, snapshot());
}

void PictureOutput::printProfile(const QImage& page)
{
    profilePage_ = page;
    const QStringList names = printers_.printerNames();
    if (names.size() > 1) {
        printerWindow().ShowPrinters(names);
        return;
    }
    PrintOnCurrentPrinter(printers_, platform_, state_, snapshot());
}

void PictureOutput::menInfo_Click()
{
    platform_.messageBox(InfoMessage());
}

} // namespace marn
