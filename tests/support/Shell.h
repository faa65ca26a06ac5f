#pragma once
// Runs a command line through the shell as a separate process.

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <utility>

namespace marn::test {

// Standard output and exit status of a shell command line (-1 when it did not end normally).
inline std::pair<std::string, int> Shell(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        out += buffer;
    const int status = pipe == nullptr ? -1 : ::pclose(pipe);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

} // namespace marn::test
