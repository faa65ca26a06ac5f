#include "app/ImportCommandLine.h"

#include "app/CommandLine.h"
#include "import/ImportReport.h"
#include "import/Importer.h"

#include <exception>

namespace marn::cli {

using import::ImportOptions;
using import::ImportResult;

namespace {

constexpr double DefaultFillDistance = 100.0;
constexpr int ProgressBarWidth = 40;

const char* const UsageText =
    "usage: marn import --out DIR [--fill-voids[=CELLS]] [--sea-level] [--force] SOURCE...\n"
    "Builds the tile files DIR/MARN/<lon>/<tile> from elevation rasters that GDAL reads\n"
    "(GeoTIFF, SRTM .hgt, ESRI and ASCII grids, NetCDF, VRT ...); later sources lie on top.\n"
    "  --out DIR             the data directory (the viewer's data drive)\n"
    "  --fill-voids[=CELLS]  fill nodes without data from neighbours up to CELLS nodes away\n"
    "                        (default 100)\n"
    "  --sea-level           write heights below 0 as 0\n"
    "  --force               replace existing tile files\n";

int UsageError(std::ostream& err, const std::string& message)
{
    err << "marn import: " << message << '\n' << UsageText;
    return 2;
}

} // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool showProgress)
{
    const ParsedArgs parsed = ParseArgs(args, {"out"}, {"fill-voids", "sea-level", "force", "help"});
    if (!parsed.error.empty())
        return UsageError(err, parsed.error);
    if (parsed.hasSwitch("help")) {
        out << UsageText;
        return 0;
    }
    const auto outDir = parsed.option("out");
    if (!outDir || outDir->empty())
        return UsageError(err, "--out DIR is missing");
    if (parsed.positional.empty())
        return UsageError(err, "no SOURCE given");

    ImportOptions options;
    options.outDir = *outDir;
    options.sources = parsed.positional;
    options.seaLevel = parsed.hasSwitch("sea-level");
    options.force = parsed.hasSwitch("force");
    if (parsed.hasSwitch("fill-voids")) {
        const std::string text = parsed.switches.at("fill-voids");
        const auto cells = text.empty() ? std::optional<double>(DefaultFillDistance) : ParseNumber(text);
        if (!cells || *cells <= 0 || *cells > 10000)
            return UsageError(err, "--fill-voids needs a number of cells from 1 to 10000, not '" + text + "'");
        options.fillDistance = *cells;
    }

    const auto progress = [&](int done, int total) {
        if (!showProgress)
            return;
        err << '\r' << import::ProgressBarText(done, total, ProgressBarWidth) << (done == total ? "\n" : "")
            << std::flush;
    };
    try {
        const ImportResult result = import::RunImportJob(options, progress);
        import::WriteSummary(out, result);
        import::WriteWarnings(err, result.conversions);
    } catch (const std::exception& error) {
        if (showProgress)
            err << '\n';
        err << "marn import: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace marn::cli
