#include "output/PictureOutput.h"

#include "core/SharedState.h"
#include "output/Capture.h"
#include "output/GeoTiff.h"
#include "output/InfoMessage.h"
#include "output/PrintOnCurrentPrinter.h"
#include "output/PrinterListe.h"
#include "output/frmFilename.h"
#include "picture/HeightPixels.h"
#include "picture/frmPicture.h"
#include "ui/PictureBox.h"
#include "ui/Platform.h"
#include "ui/PrinterService.h"

#include <QFile>
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

frmFilename& PictureOutput::geoTiffNameWindow()
{
    if (geoTiffName_)
        return *geoTiffName_;
    const auto write = [this](int index, const QString& nativePath) -> std::optional<QString> {
        if (geoTiffPicture_ == nullptr)
            return QStringLiteral("There is no picture to save.");
        const std::string path = QFile::encodeName(nativePath).toStdString();
        const std::string failure = index == 0
                                        ? WriteHeightGeoTiff(path, state_)
                                        : WriteColourGeoTiff(path, state_,
                                              PictureAreaRgb(state_, geoTiffPicture_->Picture1->picture()));
        if (failure.empty())
            return std::nullopt;
        return QString::fromLocal8Bit(failure.c_str());
    };
    geoTiffName_ = std::make_unique<frmFilename>(state_, platform_,
        SaveTarget{QStringLiteral("Please enter the filename for the GeoTIFF files of this picture (heights NAME.tif, "
                                  "colours NAME-rgb.tif), e.g. Europe"),
            {QStringLiteral(".tif"), QStringLiteral("-rgb.tif")}, write});
    geoTiffName_->setObjectName(QStringLiteral("frmGeoTiffName"));
    return *geoTiffName_;
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

void PictureOutput::menPictGeoTiff_Click(frmPicture& picture)
{
    state_.ReadoutEnabled = false;
    geoTiffPicture_ = &picture;
    frmFilename& window = geoTiffNameWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void PictureOutput::menInfo_Click()
{
    platform_.messageBox(InfoMessage());
}

} // namespace marn
