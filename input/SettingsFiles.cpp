#include "input/SettingsFiles.h"

#include "core/FileReplacement.h"
#include "core/NativePath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace marn {

namespace {

std::string SystemReason(int error)
{
    return std::strerror(error);
}

// fsync, then close; the first errno of the two, or 0.
int SyncAndClose(int fd)
{
    int error = ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace

std::string SettingsFilePath(const std::string& programDir, const char* fileName)
{
    return NativePath(programDir + "\\" + fileName, programDir);
}

std::string FirstLine(std::string_view content)
{
    return std::string(content.substr(0, content.find('\r')));
}

std::optional<std::string> ReadFirstLine(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return std::nullopt;
    std::string line = FirstLine(content);
    if (line.empty())
        return std::nullopt;
    return line;
}

WriteResult WriteOverStart(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return {SystemReason(errno)};
    const int writeError = WriteAllFromStart(fd, bytes);
    const int closeError = SyncAndClose(fd);
    if (writeError != 0)
        return {SystemReason(writeError)};
    if (closeError != 0)
        return {SystemReason(closeError)};
    return {};
}

std::string WriteFailureMessage(const std::string& path, const std::string& reason)
{
    return "Error writing file '" + path + "'.\r\nReason: " + reason;
}

} // namespace marn
