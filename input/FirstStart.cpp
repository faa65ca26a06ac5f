#include "input/FirstStart.h"

#include "core/DataDirectory.h"
#include "input/Settings.h"

#include <filesystem>

namespace marn {

std::string InstalledSampleData(const std::string& programDir)
{
    if (programDir.empty())
        return {};
    std::error_code failed;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(
        std::filesystem::path(programDir) / ".." / "share" / "marn" / "sample-data", failed);
    if (failed || !MissingDataDirectoryNote(folder.string(), programDir).empty())
        return {};
    return folder.string();
}

void WriteFirstStartSettings(const std::string& settingsDir, const FirstStartDefaults& defaults)
{
    if (!defaults.dataDrive.empty() && !ReadFirstLine(SettingsFilePath(settingsDir, DriveFileName)))
        SaveDriveFile(settingsDir, defaults.dataDrive);
    if (!defaults.pictureDir.empty() && !ReadFirstLine(SettingsFilePath(settingsDir, PictureFileName))) {
        std::error_code ignored; // a folder that cannot be made is refused just below
        std::filesystem::create_directories(defaults.pictureDir, ignored);
        if (PictureFolderProblem(defaults.pictureDir).empty())
            SavePictureFile(settingsDir, defaults.pictureDir);
    }
}

} // namespace marn
