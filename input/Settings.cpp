#include "input/Settings.h"

#include "core/FileReplacement.h"
#include "core/NativePath.h"
#include "core/SharedState.h"
#include "ui/Platform.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace marn {

namespace {

// Whether a new file can be made in the folder: a directory this process may
// write into (on a file system mounted for writing).
bool CanCreateFilesIn(const std::string& dir)
{
    struct stat info {};
    return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::string SettingsDirectory(const std::string& programDir, const std::string& configHome)
{
    if (configHome.empty() || CanCreateFilesIn(programDir.empty() ? "." : programDir))
        return programDir;
    const std::string folder = (std::filesystem::path(configHome) / "marn-viewer").string();
    std::error_code ignored; // a folder that cannot be made shows up as a failed write
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string SettingsDirectory(const Platform& platform)
{
    return SettingsDirectory(
        QFile::encodeName(platform.programDir()).toStdString(), QFile::encodeName(platform.configHome()).toStdString());
}

void LoadSettings(SharedState& state, const std::string& settingsDir, SettingsWindows& windows)
{
    const std::optional<std::string> pictureDir = ReadFirstLine(SettingsFilePath(settingsDir, PictureFileName));
    state.PictureDir = pictureDir.value_or("");
    if (!pictureDir || !PictureFolderProblem(NativePath(*pictureDir, state.ProgramDir)).empty())
        windows.showPicturePathWindow();

    const std::optional<std::string> dataDrive = ReadFirstLine(SettingsFilePath(settingsDir, DriveFileName));
    state.DataDrive = dataDrive.value_or("C");
    if (!dataDrive)
        windows.showDriveWindow();
}

WriteResult SaveDriveFile(const std::string& settingsDir, const std::string& drive)
{
    const std::string path = SettingsFilePath(settingsDir, DriveFileName);
    const std::optional<std::string> stored = ReadFirstLine(path);
    if (IsNativePath(drive) || (stored && IsNativePath(*stored)))
        return {WriteFileWhole(path, drive).failure};
    return WriteOverStart(path, drive);
}

std::string PictureFolderProblem(const std::string& dir)
{
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0)
        return std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return std::strerror(ENOTDIR);
    if (::access(dir.c_str(), W_OK | X_OK) != 0)
        return std::strerror(errno);
    return {};
}

std::string UnwritablePictureFolderMessage(const std::string& dir, const std::string& reason)
{
    return "Pictures cannot be saved in '" + dir + "'.\r\nReason: " + reason;
}

WriteResult SavePictureFile(const std::string& settingsDir, const std::string& directory)
{
    return {WriteFileWhole(SettingsFilePath(settingsDir, PictureFileName), directory).failure};
}

} // namespace marn
