#pragma once
// The handle of the one tile file the reader keeps open: read-only raw bytes,
// read at byte offsets without moving a shared position. Copying a handle
// duplicates the operating system's descriptor, so copies of the shared state
// never close each other's file; the handle closes its file when destroyed.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace marn {

class TileFile {
public:
    TileFile() = default;
    ~TileFile();
    TileFile(const TileFile& other);
    TileFile& operator=(const TileFile& other);
    TileFile(TileFile&& other) noexcept;
    TileFile& operator=(TileFile&& other) noexcept;

    // Opens a regular file read-only, closing any file held before. False when
    // the path cannot be opened or is not a regular file (a directory, a device).
    bool open(const std::string& nativePath);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // The file's length in bytes, -1 when it cannot be told.
    std::int64_t length() const;

    // Reads exactly size bytes from offset; false on any failure or a short read.
    // beforeWaiting, when given, is called once before the read has to wait
    // for the disk (the bytes are not all in the page cache), and not at all
    // when they are.
    bool readAt(std::int64_t offset, std::uint8_t* buffer, std::size_t size,
        const std::function<void()>& beforeWaiting = {}) const;

    // Tells the operating system that size bytes from offset will be read
    // soon, so that it can start reading them from the disk; only a hint.
    void willNeed(std::int64_t offset, std::int64_t size) const;

private:
    int fd_ = -1;
};

} // namespace marn
