// The commands of marn that run in executables of their own.

#include "app/Commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <unistd.h>

namespace marn::cli {

namespace {

namespace fs = std::filesystem;

// Beside this executable (the build tree), or in ../libexec/marn (an installation).
fs::path HelperPath(const std::string& executable)
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return executable;
    const fs::path beside = self.parent_path() / executable;
    if (fs::exists(beside))
        return beside;
    return self.parent_path().parent_path() / "libexec" / "marn" / executable;
}

} // namespace

int RunHelper(const std::string& executable, const std::vector<std::string>& args)
{
    const fs::path helper = HelperPath(executable);
    std::vector<std::string> words{executable};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(helper.c_str(), argv.data());
    std::cerr << "marn: cannot run " << helper.string() << ": " << std::strerror(errno) << '\n';
    return 1;
}

} // namespace marn::cli
