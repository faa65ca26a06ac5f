#include "import/TileFileWriter.h"

#include "import/ImportError.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace marn::import {

namespace {

// The temporary file being written, for the interrupt handler (empty when none).
char pendingTemp[4096];
std::atomic<bool> pendingSet{false};

extern "C" void RemovePendingTempAndReraise(int signalNumber)
{
    if (pendingSet.load())
        ::unlink(pendingTemp);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void InstallInterruptHandlers()
{
    static const bool installed = [] {
        for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP})
            std::signal(signalNumber, RemovePendingTempAndReraise);
        return true;
    }();
    (void)installed;
}

std::string SystemError(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

class PendingTemp {
public:
    explicit PendingTemp(const std::filesystem::path& path) : path_(path)
    {
        std::snprintf(pendingTemp, sizeof pendingTemp, "%s", path_.c_str());
        pendingSet.store(true);
    }
    ~PendingTemp()
    {
        pendingSet.store(false);
        if (!committed_)
            ::unlink(path_.c_str());
    }
    PendingTemp(const PendingTemp&) = delete;
    PendingTemp& operator=(const PendingTemp&) = delete;
    void commit() { committed_ = true; }

private:
    std::filesystem::path path_;
    bool committed_ = false;
};

void WriteAll(int fd, const std::vector<unsigned char>& bytes, const std::filesystem::path& path)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw ImportError(SystemError("cannot write", path));
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0)
        throw ImportError(SystemError("cannot write", path));
}

// Renames without replacing; false when the target exists.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        throw ImportError(SystemError("cannot rename into", to));
    if (std::filesystem::exists(to))
        return false;
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw ImportError(SystemError("cannot rename into", to));
    return true;
}

} // namespace

WriteOutcome WriteTileFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes, bool replace)
{
    InstallInterruptHandlers();
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error)
        throw ImportError("cannot create directory " + path.parent_path().string() + ": " + error.message());
    if (!replace && std::filesystem::exists(path))
        return WriteOutcome::Kept;

    static int sequence = 0;
    const std::filesystem::path temp =
        path.parent_path()
        / ("." + path.filename().string() + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(++sequence));
    PendingTemp pending(temp);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw ImportError(SystemError("cannot create", temp));
    try {
        WriteAll(fd, bytes, temp);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        throw ImportError(SystemError("cannot write", temp));

    if (replace) {
        if (std::rename(temp.c_str(), path.c_str()) != 0)
            throw ImportError(SystemError("cannot rename into", path));
        pending.commit();
        return WriteOutcome::Written;
    }
    if (!RenameNoReplace(temp, path))
        return WriteOutcome::Kept;
    pending.commit();
    return WriteOutcome::Written;
}

} // namespace marn::import
