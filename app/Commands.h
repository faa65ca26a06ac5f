#pragma once
// The subcommands of the marn tool. Each takes the arguments after its name and
// returns the process's exit status (2 for a usage error).

#include <string>
#include <vector>

namespace marn::cli {

int RunHeight(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);

// Runs the command's own executable (marn-render, marn-import) in place of
// this process with the arguments; returns only when it cannot be started.
// The commands that need the window toolkit or GDAL live in executables of
// their own, so that "marn height" loads neither.
int RunHelper(const std::string& executable, const std::vector<std::string>& args);

} // namespace marn::cli
