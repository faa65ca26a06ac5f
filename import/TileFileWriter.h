#pragma once
// Writing one tile file so that no partial file ever carries a tile's name
// (see core/FileReplacement.h). An interrupt while a tile is being written
// removes its temporary file before the process ends.

#include <filesystem>
#include <vector>

namespace marn::import {

enum class WriteOutcome { Written, Kept };

// Creates the missing directories. An existing file at `path` is kept unless
// `replace`, in which case it is replaced in one step. Throws ImportError.
WriteOutcome WriteTileFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes, bool replace);

} // namespace marn::import
