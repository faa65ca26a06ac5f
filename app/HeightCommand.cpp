// marn height: the tile reader's answer at given points, one line per point.

#include "app/CommandLine.h"
#include "app/Commands.h"

#include "core/DataDirectory.h"
#include "core/TileReader.h"

#include <iostream>
#include <sys/stat.h>

namespace marn::cli {

namespace {

const char* const HeightUsage =
    "usage: marn height --data-drive D LAT LON [LAT LON ...]\n"
    "Prints \"<height> <errorValue>\" for each point (degrees, north and east positive),\n"
    "read from the tile files in D\\MARN. D is a drive letter (D -> /mnt/d), a drive\n"
    "and path, or a directory; a relative one lies below the current directory.\n"
    "Error values: 0 height found, 36 no tile file, 220 block not readable, 300 latitude\n"
    "outside -90..90, 400 missing node, 500 overflow or bad longitude, 600 no data drive,\n"
    "700 tile file of the wrong length. Numbers are decimal (47.5, -8, 1e-3).\n"
    "Exit status: 0 answered (whatever the error values), 1 the data folder does not\n"
    "exist or holds no MARN directory, 2 usage error.\n";

int UsageError(const std::string& reason)
{
    return marn::cli::UsageError(std::cerr, "height", reason);
}

// Why the data drive cannot hold a data set, or "" when it can: a folder that
// does not exist, or one without a MARN directory.
std::string DataDriveProblem(const std::string& drive, const std::string& currentDir)
{
    const std::string folder = DataDriveFolder(drive, currentDir);
    struct stat info {};
    if (!folder.empty() && (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)))
        return "the data folder " + folder + " does not exist";
    return MissingDataDirectoryNote(drive, currentDir);
}

} // namespace

int RunHeight(const std::vector<std::string>& args)
{
    const ParsedArgs parsed = ParseArgs(args, {"data-drive"}, {"help"});
    if (!parsed.error.empty())
        return UsageError(parsed.error);
    if (parsed.hasSwitch("help")) {
        std::cout << HeightUsage;
        return 0;
    }
    const std::optional<std::string> drive = parsed.option("data-drive");
    if (!drive)
        return UsageError("--data-drive is missing");
    if (parsed.positional.empty() || parsed.positional.size() % 2 != 0)
        return UsageError("give each point as LAT LON");

    std::vector<double> numbers;
    for (const std::string& text : parsed.positional) {
        const std::optional<double> value = ParseNumber(text);
        if (!value)
            return UsageError("'" + text + "' is not a number");
        numbers.push_back(*value);
    }

    const DataLocation data{*drive, CurrentDirectory()};
    if (const std::string problem = DataDriveProblem(data.DataDrive, data.ProgramDir); !problem.empty()) {
        std::cerr << "marn height: " << problem << '\n';
        return 1;
    }
    TileReaderState reader;
    for (std::size_t n = 0; n < numbers.size(); n += 2) {
        double lon = numbers[n + 1];
        std::int16_t height = 0;
        std::int16_t errorValue = 0;
        ReadTileHeight(data, reader, numbers[n], lon, height, errorValue);
        std::cout << height << ' ' << errorValue << '\n';
    }
    return 0;
}

} // namespace marn::cli
