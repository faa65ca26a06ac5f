#pragma once
// What the user typed into the drive window: a drive letter, a folder, or
// something that cannot be stored.

#include <string>

namespace marn {

// One letter ("D") or a Windows-style drive and path ("E:\DATA"): the values
// the drive window treats as a drive letter (typed over, upper case, written
// over the start of Drive.dat).
bool IsDriveLetterValue(const std::string& text);

enum class DriveEntryKind { Empty, Letter, Folder, Relative };

struct DriveEntry {
    DriveEntryKind kind = DriveEntryKind::Empty;
    std::string value; // what Drive.dat gets: the text, "~" expanded
};

// "/srv/terrain" is a folder; "~" and "~/terrain" are folders below `home`;
// a letter value is a letter; anything else (a relative path, "~user") is
// refused, since it would depend on where the viewer happens to be started.
DriveEntry ReadDriveEntry(const std::string& text, const std::string& home);

// The message for a Relative entry.
std::string RelativeDriveEntryMessage(const std::string& text);

} // namespace marn
