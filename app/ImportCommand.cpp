#include "Commands.h"

#include "tools/ImportCommandLine.h"

#include <iostream>
#include <unistd.h>

namespace marn::cli {

int RunImport(const std::vector<std::string>& args)
{
    return marn::import::RunImportCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
}

} // namespace marn::cli
