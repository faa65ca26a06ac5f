#include "core/FileReplacement.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace marn {

namespace {

// The temporaries being written, for the interrupt handler: a fixed table of
// slots, each claimed by one writer while its temporary exists.
constexpr std::size_t PendingSlots = 64;
constexpr std::size_t PathBytes = 4096;
struct PendingSlot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> set{false};
    char path[PathBytes]{};
};
std::array<PendingSlot, PendingSlots> pending;

extern "C" void RemovePendingAndReraise(int signalNumber)
{
    for (PendingSlot& slot : pending) {
        if (slot.set.load())
            ::unlink(slot.path);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// A temporary file beside the target: removed when it goes out of scope
// unless it was renamed into place or was never created by us. It is listed
// for the interrupt handler before it is created, so that no moment exists in
// which an interrupt would leave it behind.
class Temporary {
public:
    explicit Temporary(std::string path) : path_(std::move(path))
    {
        for (PendingSlot& candidate : pending) {
            bool expected = false;
            if (path_.size() < PathBytes && candidate.claimed.compare_exchange_strong(expected, true)) {
                std::memcpy(candidate.path, path_.c_str(), path_.size() + 1);
                candidate.set.store(true);
                slot_ = &candidate;
                break;
            }
        }
    }
    ~Temporary()
    {
        if (!released_)
            ::unlink(path_.c_str());
        if (slot_ != nullptr) {
            slot_->set.store(false);
            slot_->claimed.store(false);
        }
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    const std::string& path() const { return path_; }
    // The file at the path is not ours to remove (renamed into place, or not created by us).
    void release() { released_ = true; }

private:
    std::string path_;
    PendingSlot* slot_ = nullptr;
    bool released_ = false;
};

std::string TemporaryName(const std::string& path, unsigned attempt)
{
    static std::atomic<unsigned> sequence{0};
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return dir + "." + name + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(++sequence) + "-"
           + std::to_string(attempt);
}

// Writes every byte, then syncs; 0 or the errno of the failure.
int WriteAllAndSync(int fd, std::string_view bytes)
{
    const int error = WriteAllFromStart(fd, bytes);
    if (error != 0)
        return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Renames without replacing; EEXIST when the target exists, 0 when renamed.
int RenameKeepingExisting(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without the no-replace rename: a link fails where the name is taken.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

} // namespace

int WriteAllFromStart(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

ReplaceResult WriteFileWhole(const std::string& path, std::string_view bytes, ExistingFile existing)
{
    struct stat old {};
    const bool oldExists = ::stat(path.c_str(), &old) == 0;
    if (oldExists && existing == ExistingFile::Keep)
        return {};

    int fd = -1;
    std::optional<Temporary> temporary;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temporary.emplace(TemporaryName(path, attempt));
        fd = ::open(temporary->path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int openError = errno;
            temporary->release();
            if (openError != EEXIST || attempt > 100)
                return {false, std::strerror(openError)};
        }
    }
    Temporary& temp = *temporary;
    int error = WriteAllAndSync(fd, bytes);
    if (error == 0 && oldExists && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        return {false, std::strerror(error)};

    if (existing == ExistingFile::Keep) {
        error = RenameKeepingExisting(temp.path(), path);
        if (error == EEXIST)
            return {};
    } else if (::rename(temp.path().c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0)
        return {false, std::strerror(error)};
    temp.release();
    return {true, {}};
}

void RemoveTemporariesOnInterrupt()
{
    static const bool installed = [] {
        for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP})
            std::signal(signalNumber, RemovePendingAndReraise);
        return true;
    }();
    (void)installed;
}

} // namespace marn
