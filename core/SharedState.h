#pragma once
// The state that the viewer's windows share. One instance lives for the whole
// run and is passed by reference; it is made of the parts below, each with its
// owner, and calculations take only the parts they read and write.
//
// Number types: a value takes its declared type (std::int16_t for the
// 16-bit integers, float for singles, double) at the moment it is stored
// here; every expression in between is evaluated in double.

#include "core/DataLocation.h"
#include "core/DisplayArea.h"
#include "core/PictureGrid.h"
#include "core/TileReaderState.h"

#include <cstdint>
#include <string>

namespace marn {

// Folders the settings windows keep, each the first line of its settings file.
struct FolderSettings {
    std::string PictureDir;
    std::string SelectedDrive;
    std::string SelectedDir;
};

// Flags of the picture window.
struct WindowFlags {
    bool PictureReady = false;
    bool ReadoutEnabled = false;
    std::int16_t ReadoutFontSize = 0;
};

// DisplayArea: the input window's OK and the navigation steps.
// PictureGrid: the picture window's load, the grid set-up and the sampling.
// DataLocation and FolderSettings: start-up and the settings windows.
// Reader: the tile reader.
struct SharedState : DisplayArea, PictureGrid, DataLocation, FolderSettings, WindowFlags {
    TileReaderState Reader;
};

} // namespace marn
