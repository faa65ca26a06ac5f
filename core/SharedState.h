#pragma once
// The state that every window and calculation module of the viewer shares.
// One instance lives for the whole run and is passed by reference.
//
// Number types: a value takes its declared type (std::int16_t for the
// 16-bit integers, float for singles, double) at the moment it is stored
// here; every expression in between is evaluated in double.

#include "core/GridArrays.h"
#include "core/PictureArea.h"
#include "core/TileFile.h"
#include "core/TileFormat.h"

#include <array>
#include <cstdint>
#include <string>

namespace marn {

// The block buffers hold the nodes of one block: first index longitude, second
// latitude, the first index varying fastest (the byte image of one record of
// the tile file).
struct TileReaderState {
    std::string OpenTileName;     // logical path of the open tile file, "" when none
    std::int16_t OpenBlockNo = 0; // block 1..144 held in the buffer, 0 when none
    std::int16_t TileFileNo = 0;  // number of the open tile file, 0 when none
    TileFile OpenFile;            // the operating system's handle behind TileFileNo
    std::array<std::int16_t, Kind3Geometry.nodesPerRow * RowsPerBlock> BlockBuf3{};
    std::array<std::int16_t, Kind6Geometry.nodesPerRow * RowsPerBlock> BlockBuf6{};
    std::uint64_t BlockReads = 0; // blocks read from tile files so far (tests, benchmarks)
    // Logical path of the tile file in which the last call failed (an error
    // other than 36 and 400, which only mean "no height here"); "" after any
    // other call, and after one that failed before naming a tile (600, 300, a
    // longitude that is not finite). Messages name the tile with it.
    std::string FailedTileName;
};

// The picture area (PicLeft .. PicRows) is written by the picture window's load.
struct SharedState : PictureArea {
    // Display area, written by the input window's OK.
    double CenterLat = 0.0;
    double CenterLon = 0.0;
    std::int16_t AreaLengthKm = 0;

    // Screen and picture geometry in pixels, written by the picture window's load.
    float ScreenWidthPx = 0.0F;
    float ScreenHeightPx = 0.0F;

    // The sampling grid, one point per pixel of the picture area.
    HeightGrid GridHeights;
    CoordGrid GridCoords;

    // Geographic frame of the area, written by the grid set-up.
    double KmPerPixel = 0.0;
    double LonMid = 0.0;
    double LatS = 0.0;
    double LatN = 0.0;
    double LatNW = 0.0;
    double LonNW = 0.0;
    double LatNE = 0.0;
    double LonNE = 0.0;
    double LatSW = 0.0;
    double LonSW = 0.0;
    double LatSE = 0.0;
    double LonSE = 0.0;

    // Settings, each the first line of its settings file.
    std::string DataDrive;
    std::string PictureDir;
    std::string SelectedDrive;
    std::string SelectedDir;
    // The directory that holds the program, set once at start-up from the
    // platform; a DataDrive that is a relative path lies below it. Empty:
    // relative paths are taken from the current directory.
    std::string ProgramDir;

    // The tile reader's cache: one open file and one block.
    TileReaderState Reader;

    // Flags of the picture window.
    bool PictureReady = false;
    bool ReadoutEnabled = false;
    std::int16_t ReadoutFontSize = 0;
};

} // namespace marn
