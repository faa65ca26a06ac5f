#include "import/TileFileWriter.h"

#include "core/FileReplacement.h"
#include "import/ImportError.h"

#include <string_view>

namespace marn::import {

WriteOutcome WriteTileFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes, bool replace)
{
    RemoveTemporariesOnInterrupt();
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error)
        throw ImportError("cannot create directory " + path.parent_path().string() + ": " + error.message());
    const ReplaceResult result =
        WriteFileWhole(path.string(), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
            replace ? ExistingFile::Replace : ExistingFile::Keep);
    if (!result.ok())
        throw ImportError("cannot write " + path.string() + ": " + result.failure);
    return result.written ? WriteOutcome::Written : WriteOutcome::Kept;
}

} // namespace marn::import
