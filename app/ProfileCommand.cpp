// marn profile: summary and CSV of the heights along a great circle.

#include "app/ProfileCommand.h"

#include "app/CommandLine.h"
#include "app/Commands.h"
#include "core/NativePath.h"
#include "core/TileReader.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>

namespace marn::cli {
namespace {

const char* const ProfileUsage =
    "usage: marn profile --data-drive D --from LAT,LON --to LAT,LON [--points N | --step-m M]\n"
    "                    [--csv FILE] [--png FILE]\n"
    "Prints the length of the great circle from one point to the other, its lowest and\n"
    "highest point and the total ascent and descent, with the heights read as the viewer\n"
    "reads them (bilinear between the data's nodes).\n"
    "  --data-drive D   the directory that holds MARN (relative to the current directory),\n"
    "                   or a drive letter as in Drive.dat (D -> /mnt/d)\n"
    "  --from, --to     the line's ends in signed degrees, e.g. --from=36.5,-84.5\n"
    "  --points N       N evenly spaced points, ends included (2..1000001)\n"
    "  --step-m M       a point at least every M metres\n"
    "                   (default: at least one point every 3 seconds of arc, about 93 m)\n"
    "  --csv FILE       distance km,latitude,longitude,height m; empty height where missing\n"
    "  --png FILE       the plot of height against distance, as the viewer's profile window\n"
    "Ascent and descent add the rises and falls between neighbouring points that both have\n"
    "a height; nothing is counted across a gap. A read error other than a missing tile or\n"
    "node ends the command with status 1.\n";

int UsageError(const std::string& reason)
{
    return cli::UsageError(std::cerr, "profile", reason);
}

std::optional<GeoPoint> ParsePoint(const std::string& text)
{
    const auto numbers = ParseNumbers(text, ',');
    if (!numbers || numbers->size() != 2)
        return std::nullopt;
    return GeoPoint{(*numbers)[0], (*numbers)[1]};
}

std::string Fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string PointText(const ProfileSample& s)
{
    return std::to_string(s.height) + " m at " + Fixed(s.distanceKm, 3) + " km (" + Fixed(s.lat, 6) + ", "
           + Fixed(s.lon, 6) + ")";
}

void PrintSummary(const std::vector<ProfileSample>& samples)
{
    const ProfileSummary summary = SummariseProfile(samples);
    std::cout << "distance: " << Fixed(summary.distanceKm, 3) << " km\n";
    if (summary.lowest && summary.highest) {
        std::cout << "lowest: " << PointText(samples[*summary.lowest]) << '\n';
        std::cout << "highest: " << PointText(samples[*summary.highest]) << '\n';
    } else {
        std::cout << "lowest: none\nhighest: none\n";
    }
    std::cout << "ascent: " << summary.ascentM << " m\n";
    std::cout << "descent: " << summary.descentM << " m\n";
    std::cout << "points: " << samples.size() << ", missing: " << summary.missing << '\n';
}

} // namespace

int RunProfile(const std::vector<std::string>& args, ProfilePngWriter png)
{
    const ParsedArgs parsed = ParseArgs(args, {"data-drive", "from", "to", "points", "step-m", "csv", "png"}, {"help"});
    if (!parsed.error.empty())
        return UsageError(parsed.error);
    if (parsed.hasSwitch("help")) {
        std::cout << ProfileUsage;
        return 0;
    }
    if (!parsed.positional.empty())
        return UsageError("unexpected argument '" + parsed.positional.front() + "'");
    for (const char* name : {"data-drive", "from", "to"}) {
        if (!parsed.option(name) || parsed.option(name)->empty())
            return UsageError(std::string("missing --") + name);
    }
    const std::optional<GeoPoint> from = ParsePoint(*parsed.option("from"));
    const std::optional<GeoPoint> to = ParsePoint(*parsed.option("to"));
    if (!from || !to)
        return UsageError("--from and --to need LAT,LON in degrees");
    std::string problem;
    const std::optional<ProfileLine> line = MakeProfileLine(*from, *to, problem);
    if (!line)
        return UsageError(problem);

    if (parsed.option("points") && parsed.option("step-m"))
        return UsageError("give --points or --step-m, not both");
    int intervals = ProfileIntervals(line->distanceKm);
    if (const auto points = parsed.option("points")) {
        const std::optional<double> n = ParseNumber(*points);
        if (!n || std::floor(*n) != *n || *n < 2 || *n > MaxProfilePoints)
            return UsageError("--points needs a whole number from 2 to " + std::to_string(MaxProfilePoints));
        intervals = static_cast<int>(*n) - 1;
    }
    if (const auto step = parsed.option("step-m")) {
        const std::optional<double> m = ParseNumber(*step);
        if (!m || !(*m > 0))
            return UsageError("--step-m needs a positive number of metres");
        const double needed = std::ceil(line->distanceKm * 1000.0 / *m);
        if (needed > MaxProfilePoints - 1)
            return UsageError("--step-m gives more than " + std::to_string(MaxProfilePoints) + " points");
        intervals = std::max(1, static_cast<int>(needed));
    }
    const std::optional<std::string> pngPath = parsed.option("png");
    if (pngPath && png == nullptr)
        return RunHelper("marn-profile", args);

    const DataLocation data{*parsed.option("data-drive"), CurrentDirectory()};
    TileReaderState reader;
    std::vector<ProfileSample> samples = ProfilePositions(*line, intervals);
    if (const std::int16_t error = ReadProfileHeights(data, reader, samples); error != ReadOk) {
        std::cerr << "marn profile: Error reading heigt data, Error value = " << error << '\n';
        if (!reader.FailedTileName.empty())
            std::cerr << NativePath(reader.FailedTileName, data.ProgramDir) << '\n';
        return 1;
    }
    PrintSummary(samples);

    bool ok = true;
    if (const auto csv = parsed.option("csv")) {
        std::ofstream file(*csv, std::ios::binary | std::ios::trunc);
        file << ProfileCsv(samples);
        file.close();
        if (!file) {
            std::cerr << "marn profile: cannot write " << *csv << '\n';
            ok = false;
        }
    }
    if (pngPath) {
        std::string error;
        if (!png(*pngPath, *line, samples, error)) {
            std::cerr << "marn profile: cannot write " << *pngPath << ": " << error << '\n';
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

} // namespace marn::cli
