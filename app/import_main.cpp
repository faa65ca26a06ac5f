// marn-import: the importer of the marn tool ("marn import" runs it).

#include "app/ImportCommandLine.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return marn::cli::RunImportCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
}
