#pragma once
// The two settings that outlive a run, the data drive (Drive.dat) and the
// picture directory (Picture.pat): loading both into the shared state, and
// storing each one.

#include "input/SettingsFiles.h"

#include <string>

namespace marn {

struct SharedState;

// The windows that edit the settings, shown when a settings file is missing.
class SettingsWindows {
public:
    virtual ~SettingsWindows() = default;
    virtual void showPicturePathWindow() = 0;
    virtual void showDriveWindow() = 0;
};

// PictureDir := the first line of Picture.pat, or "" and the picture-directory
// window shown; then DataDrive := the first line of Drive.dat, or "C" and the
// drive window shown (second, so it lies on top). No message in either case.
void LoadSettings(SharedState& state, const std::string& programDir, SettingsWindows& windows);

// Writes the drive window's text into Drive.dat over the start of the file, so a
// hand-made "E:\DATA" keeps its path and gets the new letter. A file whose first
// line is a native absolute path ("/data/terrain") has no drive letter to
// replace and is replaced whole instead.
WriteResult SaveDriveFile(const std::string& programDir, const std::string& drive);

// Picture.pat := exactly the directory path, replacing the whole file.
WriteResult SavePictureFile(const std::string& programDir, const std::string& directory);

} // namespace marn
