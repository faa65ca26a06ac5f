#pragma once
// The first start of an installed viewer: without settings files yet it uses
// the sample data set installed with it as its data drive and a folder in the
// user's pictures folder as its picture directory, and writes both files, so
// that it opens with the input window alone.

#include <string>

namespace marn {

// The sample data set installed next to the program: <programDir>/../share/
// marn/sample-data when it holds the data directory MARN; "" otherwise (a
// build tree, or a set removed after installing).
std::string InstalledSampleData(const std::string& programDir);

// The values of the first start. An empty value writes nothing.
struct FirstStartDefaults {
    std::string dataDrive;  // a native folder that holds MARN
    std::string pictureDir; // created when missing
};

// Writes Drive.dat and Picture.pat in settingsDir from the defaults, each only
// when it is missing or empty; the picture directory only when it exists or can
// be created and can be written. A file that cannot be written stays missing,
// so its window opens as before.
void WriteFirstStartSettings(const std::string& settingsDir, const FirstStartDefaults& defaults);

} // namespace marn
