#pragma once
// The logical path of a tile file: the data prefix built from DataDrive,
// followed by "MARN\E000\E000N00.33E" with the longitude field, the latitude
// hemisphere and degrees and the kind digit filled in, for example
// D:\MARN\E007\E007N47.33E. NativePath turns it into an operating-system path.

#include "core/TileFormat.h"

#include <string>

namespace marn {

// The data directory below the data drive that holds the tile files.
inline constexpr const char* DataDirectoryName = "MARN";

// The fields of a tile file's name.
struct TileName {
    char lonHemisphere = 'E'; // 'E' or 'W'
    int lonDegrees = 0;       // 0..180, written with three digits
    char latHemisphere = 'N'; // 'N' or 'S'
    int latDegrees = 0;       // 0..90, written with two digits
    TileKind kind = TileKind::Kind3;
};

// The name of the tile whose south-west corner lies at whole degrees
// (cornerLat, cornerLon): a tile is named after its edge nearer the equator and
// nearer the zero meridian, so the corner (-8, -8) names W007 S07 while (7, 7)
// names E007 N07. cornerLon is taken modulo 360 (-8 and 352 name the same
// tile). The name's latitude degrees choose the kind: 6" from 50 on.
TileName TileNameOfCorner(int cornerLat, int cornerLon);

// The south-west corner of a named tile in whole degrees (longitude 0..359):
// the inverse of TileNameOfCorner.
int CornerLatOf(const TileName& name);
int CornerLonOf(const TileName& name);

// "E007" or "W084": the tile's directory and the start of its file name.
std::string TileDirName(const TileName& name);

// "E007N47.33E"
std::string TileFileName(const TileName& name);

// "MARN", the directory and the file name joined by `separator`.
std::string TileRelativePath(const TileName& name, char separator);

// DataDrive made into the prefix of every data path: a single character gets
// ":" (drive letter D -> "D:"), then a "\" is appended unless it is the last
// character already. "" for an empty DataDrive (no prefix can be built).
std::string DataPrefix(const std::string& dataDrive);

// The full logical path of the tile; "" for an empty DataDrive.
std::string LogicalTilePath(const std::string& dataDrive, const TileName& name);

} // namespace marn
