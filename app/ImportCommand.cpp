// marn import: runs the importer, the executable marn-import next to this one,
// in place of this process. The importer needs GDAL and its many libraries;
// keeping it in its own executable spares the other commands loading them.

#include "app/Commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <unistd.h>

namespace marn::cli {

int RunImport(const std::vector<std::string>& args)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path importer =
        (error ? std::filesystem::path("marn-import") : self.parent_path() / "marn-import");
    std::vector<std::string> words{"marn-import"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(importer.c_str(), argv.data());
    std::cerr << "marn import: cannot run " << importer.string() << ": " << std::strerror(errno) << '\n';
    return 1;
}

} // namespace marn::cli
