#pragma once
// The picture window's output commands ("Save as", "Print", "Info"). The picture
// window calls them from its menu; the output subsystem implements them, and the
// viewer connects the two.

class QImage;

namespace marn {

class frmPicture;

class PictureCommands {
public:
    virtual ~PictureCommands() = default;
    virtual void MenPictSave_Click(frmPicture& picture) = 0;
    virtual void menPictPrint_Click(frmPicture& picture) = 0;
    virtual void menInfo_Click() = 0;
    // "Print" of the profile window: the page goes the way of the picture's
    // "Print" (the printer list when more than one printer is installed).
    virtual void printProfile(const QImage& page) = 0;
    // "Export GeoTIFF…": the picture's heights and colours as georeferenced files.
    virtual void menPictGeoTiff_Click(frmPicture& /*picture*/) {}
};

} // namespace marn
