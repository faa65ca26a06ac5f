#pragma once
// The two one-line settings files next to the program, Drive.dat and
// Picture.pat: their names, how their first line is read and how they are
// written. Plain file operations; no window is involved.

#include <optional>
#include <string>
#include <string_view>

namespace marn {

inline constexpr const char* DriveFileName = "Drive.dat";
inline constexpr const char* PictureFileName = "Picture.pat";

// The full name of a settings file: the program directory, a separator, the
// name, as a native path.
std::string SettingsFilePath(const std::string& programDir, const char* fileName);

// Every byte up to the first carriage return, or the whole content when there is
// none. A carriage return and the line feed after it end the line as one pair.
std::string FirstLine(std::string_view content);

// The first line of a plain file. nullopt when the file is missing, is not a
// plain file, cannot be read, or its first line is empty.
std::optional<std::string> ReadFirstLine(const std::string& path);

// The outcome of writing a file: empty when it worked, otherwise the system's
// description of the failure.
struct WriteResult {
    std::string failure;
    bool ok() const { return failure.empty(); }
};

// Writes the bytes at the start of the file without shortening it; creates the
// file when it is missing.
WriteResult WriteOverStart(const std::string& path, std::string_view bytes);

// The message shown when a settings file could not be written.
std::string WriteFailureMessage(const std::string& path, const std::string& reason);

} // namespace marn
