#pragma once
// The single drive window and picture-directory window of the run, each
// created the first time it is shown and afterwards only shown and hidden.

#include "input/Settings.h"

#include <memory>

namespace marn {

class Platform;
class frmDrive;
class frmPicturePath;

class SettingsWindowSet : public SettingsWindows {
public:
    SettingsWindowSet(SharedState& state, Platform& platform);
    ~SettingsWindowSet() override;

    // Shows the window modeless and brings it to the front.
    void showPicturePathWindow() override;
    void showDriveWindow() override;

    // The windows created so far; nullptr before the first showing.
    frmDrive* driveWindow() const { return drive_.get(); }
    frmPicturePath* picturePathWindow() const { return picturePath_.get(); }

private:
    SharedState& state_;
    Platform& platform_;
    std::unique_ptr<frmDrive> drive_;
    std::unique_ptr<frmPicturePath> picturePath_;
};

} // namespace marn
