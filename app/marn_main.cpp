// marn: the viewer's command-line tool (heights, headless rendering, import).

#include "app/Commands.h"
#include "app/ProfileCommand.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::cerr << "usage: marn <command> [options]\n"
                 "commands:\n"
                 "  height   print the height at points of a tile data set\n"
                 "  render   draw the height picture of an area without a screen\n"
                 "  profile  heights, ascent and descent along a great circle\n"
                 "  import   build a tile data set from elevation rasters\n"
                 "Run 'marn <command> --help' for the options of a command.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "height")
        return marn::cli::RunHeight(args);
    if (command == "render")
        return marn::cli::RunHelper("marn-render", args);
    if (command == "profile")
        return marn::cli::RunProfile(args);
    if (command == "import")
        return marn::cli::RunHelper("marn-import", args);
    if (command == "--help" || command == "-h") {
        Usage();
        return 0;
    }
    std::cerr << "marn: unknown command '" << command << "'\n";
    return Usage();
}
