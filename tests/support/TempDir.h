#pragma once
// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes out of scope.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace marn::test {

class TempDir {
public:
    TempDir() : path_((std::filesystem::temp_directory_path() / "marn-test-XXXXXX").string())
    {
        if (::mkdtemp(path_.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary directory");
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(
            path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace marn::test
