#pragma once
// Where the tile files are: the data drive setting and the folder a relative
// one lies below.

#include <string>

namespace marn {

struct DataLocation {
    // The first line of Drive.dat: a drive letter or a folder that holds MARN.
    std::string DataDrive;
    // The directory that holds the program, set once at start-up from the
    // platform; a DataDrive that is a relative path lies below it. Empty:
    // relative paths are taken from the current directory.
    std::string ProgramDir;
};

} // namespace marn
