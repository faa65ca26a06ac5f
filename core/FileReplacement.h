#pragma once
// Writing a whole file so that no reader ever sees it half written and a
// failure leaves the old file as it was: the bytes go to a temporary file in
// the same directory, are written with every error checked and synced to disk,
// and the temporary then takes the file's name in one rename. Settings files,
// saved pictures and imported tiles are all written this way.

#include <cstddef>
#include <string>
#include <string_view>

namespace marn {

enum class ExistingFile {
    Replace, // an existing file is replaced in one step; it keeps its permissions
    Keep,    // an existing file is left as it is and nothing is written
};

struct ReplaceResult {
    bool written = false; // false with an empty failure: the existing file was kept
    std::string failure;  // the system's description of what went wrong, "" when nothing did
    bool ok() const { return failure.empty(); }
};

// Writes `bytes` as the file at the native `path` (its directory must exist).
// On failure no temporary file stays behind and an old file is untouched.
ReplaceResult WriteFileWhole(
    const std::string& path, std::string_view bytes, ExistingFile existing = ExistingFile::Replace);

// Writes every byte of `bytes` to the descriptor from its offset 0 onwards
// (whatever its file position), again where a signal interrupts. Returns 0, or
// the errno of the failure: EIO when the system writes nothing without saying why.
int WriteAllFromStart(int fd, std::string_view bytes);

// From the first call on, an interrupt (SIGINT, SIGTERM, SIGHUP) removes the
// temporary files being written at that moment, by any thread, before the
// process ends with the signal.
void RemoveTemporariesOnInterrupt();

} // namespace marn
