#pragma once
// The folder a data drive names, the one that should hold the data directory
// MARN, and the note that tells the user when it does not.

#include <string>

namespace marn {

// The native folder above MARN for a DataDrive value, without a trailing
// separator: "D" -> "/mnt/d", "E:\DATA" -> "/mnt/e/DATA", "/srv/terrain/dem"
// stays, a relative value lies below programDir. "" for an empty DataDrive.
std::string DataDriveFolder(const std::string& dataDrive, const std::string& programDir);

// "No MARN directory in <folder>." when the folder holds no directory MARN;
// "" when it does or when DataDrive is empty.
std::string MissingDataDirectoryNote(const std::string& dataDrive, const std::string& programDir);

} // namespace marn
