#include "core/TileFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>

namespace marn {

namespace {

int Duplicate(int fd)
{
    return fd < 0 ? -1 : ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

} // namespace

TileFile::~TileFile()
{
    close();
}

TileFile::TileFile(const TileFile& other) : fd_(Duplicate(other.fd_)) {}

TileFile& TileFile::operator=(const TileFile& other)
{
    if (this != &other) {
        close();
        fd_ = Duplicate(other.fd_);
    }
    return *this;
}

TileFile::TileFile(TileFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

TileFile& TileFile::operator=(TileFile&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool TileFile::open(const std::string& nativePath)
{
    close();
    int fd = -1;
    do {
        fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void TileFile::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::int64_t TileFile::length() const
{
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

bool TileFile::readAt(
    std::int64_t offset, std::uint8_t* buffer, std::size_t size, const std::function<void()>& beforeWaiting) const
{
    if (fd_ < 0 || offset < 0)
        return false;
    std::size_t done = 0;
    if (beforeWaiting) {
        // What the page cache holds comes without waiting; the rest is read below.
        iovec part{buffer, size};
        ssize_t got = -1;
        do {
            got = ::preadv2(fd_, &part, 1, static_cast<off_t>(offset), RWF_NOWAIT);
        } while (got < 0 && errno == EINTR);
        done = got > 0 ? static_cast<std::size_t>(got) : 0;
        if (done < size)
            beforeWaiting();
    }
    while (done < size) {
        const ssize_t got =
            ::pread(fd_, buffer + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

void TileFile::willNeed(std::int64_t offset, std::int64_t size) const
{
    if (fd_ >= 0)
        ::posix_fadvise(fd_, static_cast<off_t>(offset), static_cast<off_t>(size), POSIX_FADV_WILLNEED);
}

} // namespace marn
