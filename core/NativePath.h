#pragma once
// The one mapping from the viewer's logical paths to the paths of the
// operating system. Logical paths are written the way the settings files and
// the tile reader build them: a drive letter with colon ("D:\MARN\E007\..."),
// a rooted path ("\Europe.bmp"), or any text with backslashes as separators.
// Every part of the viewer that opens a file passes its path through here.

#include <string>

namespace marn {

// Maps a logical path to a native one.
//   On Windows the path is returned unchanged.
//   Elsewhere backslashes become '/' and runs of separators collapse to one;
//   then:
//     "X:..." (a letter and a colon) -> "/mnt/x/..." (letter in lower case),
//        so "D:\Pictures\Europe.bmp" -> "/mnt/d/Pictures/Europe.bmp";
//     a path starting with a separator stays rooted: "\Europe.bmp" ->
//        "/Europe.bmp", "/srv/terrain\MARN" -> "/srv/terrain/MARN";
//     anything else is relative to programDir (the directory that holds the
//        program): "data\MARN" -> programDir + "/data/MARN". With an empty
//        programDir it stays relative to the current directory.
std::string NativePath(const std::string& logicalPath, const std::string& programDir);

// Whether a settings value is a native absolute path ("/srv/terrain/dem")
// rather than a drive letter or a Windows-style path ("D", "E:\DATA").
// Native values are shown and joined with '/' only.
bool IsNativePath(const std::string& path);

} // namespace marn
