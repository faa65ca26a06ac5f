#pragma once
// The picture window's output commands: "Save as" writes a snapshot of the
// window as a bitmap file, "Print" prints one on a page, "Info" shows the
// version message. The file-name and printer windows are created on first use.

#include "picture/PictureCommands.h"

#include <QImage>

#include <memory>

namespace marn {

struct SharedState;
class Platform;
class PrinterService;
class PictureBox;
class frmFilename;
class PrinterListe;

class PictureOutput : public PictureCommands {
public:
    PictureOutput(SharedState& state, Platform& platform, PrinterService& printers);
    ~PictureOutput() override;

    void MenPictSave_Click(frmPicture& picture) override;
    void menPictPrint_Click(frmPicture& picture) override;
    void menInfo_Click() override;
    void printProfile(const QImage& page) override;
    // Asks for a name and writes NAME.tif (heights) and NAME-rgb.tif (colours)
    // of the picture on screen into the picture directory.
    void menPictGeoTiff_Click(frmPicture& picture) override;

    frmFilename& filenameWindow();
    frmFilename& geoTiffNameWindow();
    PrinterListe& printerWindow();

private:
    // Readout off, then the window without its exit button into Picture2.
    void takeSnapshot(frmPicture& picture);
    QImage snapshot() const;

    SharedState& state_;
    Platform& platform_;
    PrinterService& printers_;
    PictureBox* snapshotBox_ = nullptr;
    QImage profilePage_; // the profile page to print, in place of the snapshot; null otherwise
    std::unique_ptr<frmFilename> filename_;
    std::unique_ptr<frmFilename> geoTiffName_;
    frmPicture* geoTiffPicture_ = nullptr;
    std::unique_ptr<PrinterListe> printerList_;
};

} // namespace marn
