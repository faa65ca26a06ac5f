#pragma once
// Writing one tile file so that no partial file ever carries a tile's name: the
// bytes go to a temporary file in the tile's directory, which is flushed to disk
// and then renamed into place. An interrupt (SIGINT, SIGTERM, SIGHUP) while the
// temporary file exists removes it before the process ends.

#include <filesystem>
#include <vector>

namespace marn::import {

enum class WriteOutcome { Written, Kept };

// Creates the missing directories. An existing file at `path` is kept unless
// `replace`, in which case it is replaced in one step. Throws ImportError.
WriteOutcome WriteTileFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes, bool replace);

} // namespace marn::import
