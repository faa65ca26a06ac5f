#include "core/DataDirectory.h"

#include "core/NativePath.h"
#include "core/TilePath.h"

#include <sys/stat.h>

namespace marn {

std::string DataDriveFolder(const std::string& dataDrive, const std::string& programDir)
{
    std::string folder = NativePath(DataPrefix(dataDrive), programDir);
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string MissingDataDirectoryNote(const std::string& dataDrive, const std::string& programDir)
{
    if (dataDrive.empty())
        return {};
    struct stat info {};
    const std::string marn = NativePath(DataPrefix(dataDrive) + DataDirectoryName, programDir);
    if (::stat(marn.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return {};
    return "No MARN directory in " + DataDriveFolder(dataDrive, programDir) + ".";
}

} // namespace marn
