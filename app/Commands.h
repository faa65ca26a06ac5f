#pragma once
// The subcommands of the marn tool. Each takes the arguments after its name and
// returns the process's exit status (2 for a usage error).

#include <string>
#include <vector>

namespace marn::cli {

int RunHeight(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);
int RunImport(const std::vector<std::string>& args);

} // namespace marn::cli
