#pragma once
// The two settings that outlive a run, the data drive (Drive.dat) and the
// picture directory (Picture.pat): where their files live, loading both into
// the shared state, and storing each one.

#include "input/SettingsFiles.h"

#include <string>

namespace marn {

struct SharedState;
class Platform;

// The folder that holds Drive.dat and Picture.pat: the program directory when a
// file can be created there (a build tree), otherwise configHome/marn-viewer
// (an installed viewer), which is created when missing. An empty configHome
// leaves the program directory.
std::string SettingsDirectory(const std::string& programDir, const std::string& configHome);

// The same for the platform's program directory and configuration folder.
std::string SettingsDirectory(const Platform& platform);

// The windows that edit the settings, shown when a settings file is missing.
class SettingsWindows {
public:
    virtual ~SettingsWindows() = default;
    virtual void showPicturePathWindow() = 0;
    virtual void showDriveWindow() = 0;
};

// PictureDir := the first line of Picture.pat, or "" and the picture-directory
// window shown (shown too when the stored folder cannot take pictures); then DataDrive := the first line of Drive.dat, or "C" and the
// drive window shown (second, so it lies on top). No message in either case.
// settingsDir is the folder that SettingsDirectory chose, as for the functions below.
void LoadSettings(SharedState& state, const std::string& settingsDir, SettingsWindows& windows);

// Writes the drive window's text into Drive.dat over the start of the file, so a
// hand-made "E:\DATA" keeps its path and gets the new letter. When the stored
// or the new value is a native path ("/data/terrain") there is no drive letter
// to replace: the file is replaced whole and holds exactly the new value.
WriteResult SaveDriveFile(const std::string& settingsDir, const std::string& drive);

// "" when pictures can be saved into the native folder `dir` (a directory this
// process may create files in), otherwise the system's reason why not.
std::string PictureFolderProblem(const std::string& dir);

// The message when a folder is refused as the picture directory.
std::string UnwritablePictureFolderMessage(const std::string& dir, const std::string& reason);

// Picture.pat := exactly the directory path, replacing the whole file.
WriteResult SavePictureFile(const std::string& settingsDir, const std::string& directory);

} // namespace marn
