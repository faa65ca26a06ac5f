// marn_drop_page_cache PATH...
//
// Drops the files (directories: every file below them) from the operating
// system's page cache with posix_fadvise(POSIX_FADV_DONTNEED), so that the
// next read of them comes from the disk; needs no privileges. For timings on a
// cold page cache (bench/whole-process.sh).

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

bool Drop(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool dropped = ::fdatasync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return dropped;
}

} // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH...\n", argv[0]);
        return 2;
    }
    int failures = 0;
    long files = 0;
    for (int a = 1; a < argc; ++a) {
        std::error_code error;
        if (fs::is_directory(argv[a], error)) {
            for (const auto& entry : fs::recursive_directory_iterator(argv[a], error)) {
                if (entry.is_regular_file(error)) {
                    failures += Drop(entry.path()) ? 0 : 1;
                    ++files;
                }
            }
        } else {
            failures += Drop(argv[a]) ? 0 : 1;
            ++files;
        }
        if (error) {
            std::fprintf(stderr, "%s: %s\n", argv[a], error.message().c_str());
            ++failures;
        }
    }
    if (failures != 0)
        std::fprintf(stderr, "%d of %ld files could not be dropped\n", failures, files);
    return failures == 0 ? 0 : 1;
}
