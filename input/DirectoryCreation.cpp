#include "input/DirectoryCreation.h"

#include "core/NativePath.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace marn {

std::string JoinDirectory(const std::string& parent, const std::string& name)
{
    return NativePath(parent + "\\" + name, parent);
}

std::string CreateOneDirectory(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) != 0)
        return std::strerror(errno);
    return {};
}

std::string DirectoryCreatedMessage(const std::string& path)
{
    return "Directory '" + path + "' is created.";
}

std::string DirectoryFailedMessage(const std::string& path, const std::string& reason)
{
    return "Error creating directory '" + path + "'.\r\nReason: " + reason;
}

} // namespace marn
