// marn: the viewer's command-line tool (heights, headless rendering, import).

#include "app/CommandLine.h"
#include "app/Commands.h"
#include "app/ProfileCommand.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const UsageText =
    "usage: marn <command> [options]\n"
    "   or: marn help [<command>]\n"
    "   or: marn --version\n\n"
    "commands:\n"
    "  height   print the height at points of a tile data set\n"
    "  render   draw the height picture of an area without a screen\n"
    "  profile  heights, ascent and descent along a great circle\n"
    "  import   build a tile data set from elevation rasters, or add to one\n"
    "  help     print this text, or the options of a command\n"
    "Run 'marn <command> --help' for the options of a command.\n"
    "Exit status: 0 done, 1 failed (with a message), 2 usage error.\n";

// The commands that run in executables of their own, and those executables.
const char* HelperOf(const std::string& command)
{
    if (command == "render")
        return "marn-render";
    if (command == "import")
        return "marn-import";
    return nullptr;
}

int Help(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cout << UsageText;
        return 0;
    }
    if (args.size() > 1)
        return marn::cli::UsageError(std::cerr, "help", "give at most one command");
    if (args[0] == "height")
        return marn::cli::RunHeight({"--help"});
    if (args[0] == "profile")
        return marn::cli::RunProfile({"--help"});
    if (args[0] == "help") {
        std::cout << UsageText;
        return 0;
    }
    if (const char* helper = HelperOf(args[0]))
        return marn::cli::RunHelper(helper, {"--help"});
    return marn::cli::UsageError(std::cerr, "help", "unknown command '" + args[0] + "'");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return marn::cli::UsageError(std::cerr, "", "no command given");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "height")
        return marn::cli::RunHeight(args);
    if (command == "profile")
        return marn::cli::RunProfile(args);
    if (const char* helper = HelperOf(command))
        return marn::cli::RunHelper(helper, args);
    if (command == "help")
        return Help(args);
    if (command == "--help" || command == "-h")
        return Help({});
    if (command == "--version") {
        std::cout << "marn " << marn::cli::Version() << '\n';
        return 0;
    }
    return marn::cli::UsageError(std::cerr, "", "unknown command '" + command + "'");
}
