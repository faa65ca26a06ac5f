#include "input/Settings.h"

#include "core/FileReplacement.h"
#include "core/SharedState.h"

namespace marn {

void LoadSettings(SharedState& state, const std::string& programDir, SettingsWindows& windows)
{
    const std::optional<std::string> pictureDir = ReadFirstLine(SettingsFilePath(programDir, PictureFileName));
    state.PictureDir = pictureDir.value_or("");
    if (!pictureDir)
        windows.showPicturePathWindow();

    const std::optional<std::string> dataDrive = ReadFirstLine(SettingsFilePath(programDir, DriveFileName));
    state.DataDrive = dataDrive.value_or("C");
    if (!dataDrive)
        windows.showDriveWindow();
}

WriteResult SaveDriveFile(const std::string& programDir, const std::string& drive)
{
    const std::string path = SettingsFilePath(programDir, DriveFileName);
    const std::optional<std::string> stored = ReadFirstLine(path);
    if (stored && stored->front() == '/')
        return {WriteFileWhole(path, drive).failure};
    return WriteOverStart(path, drive);
}

WriteResult SavePictureFile(const std::string& programDir, const std::string& directory)
{
    return {WriteFileWhole(SettingsFilePath(programDir, PictureFileName), directory).failure};
}

} // namespace marn
