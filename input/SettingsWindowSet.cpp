#include "input/SettingsWindowSet.h"

#include "input/frmDrive.h"
#include "input/frmPicturePath.h"

namespace marn {

namespace {

void ShowInFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

SettingsWindowSet::SettingsWindowSet(SharedState& state, Platform& platform) : state_(state), platform_(platform) {}

SettingsWindowSet::~SettingsWindowSet() = default;

void SettingsWindowSet::showPicturePathWindow()
{
    if (!picturePath_)
        picturePath_ = std::make_unique<frmPicturePath>(state_, platform_);
    ShowInFront(*picturePath_);
}

void SettingsWindowSet::showDriveWindow()
{
    if (!drive_)
        drive_ = std::make_unique<frmDrive>(state_, platform_);
    ShowInFront(*drive_);
}

} // namespace marn
