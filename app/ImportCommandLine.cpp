#include "app/ImportCommandLine.h"

#include "app/CommandLine.h"
#include "core/Processors.h"
#include "import/ImportReport.h"
#include "import/Importer.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace marn::cli {

using import::ImportOptions;
using import::ImportResult;

namespace {

constexpr double DefaultFillDistance = 100.0;
constexpr int ProgressBarWidth = 40;
static_assert(import::MaxFillDistance == 300 && import::MaxJobs == 64, "the usage and its messages name these limits");

const char* const UsageText =
    "usage: marn import --out DIR [--fill-voids[=CELLS] | --fill-holes[=CELLS]] [--sea-level] [--force]\n"
    "                   [--jobs N] [--area S,W,N,E] [--source-crs CRS] SOURCE...\n"
    "Builds the tile files DIR/MARN/<lon>/<tile> from elevation rasters that GDAL reads\n"
    "(GeoTIFF, SRTM .hgt, ESRI and ASCII grids, NetCDF, VRT ...); later sources lie on top.\n"
    "Heights in feet are converted to metres. Tiles already in DIR are merged with: their\n"
    "missing nodes (-9999) take the sources' heights, their other heights stay. A tile file\n"
    "of the wrong length is replaced. Each tile's line is printed when the tile is written.\n"
    "  --out DIR             the data directory (the viewer's data drive)\n"
    "  --fill-voids[=CELLS]  fill nodes without data from neighbours up to CELLS nodes away\n"
    "                        (1 to 300, default 100); a tile is filled with CELLS nodes of\n"
    "                        its neighbours around it: at 300 about 2 s and 100 MB a tile\n"
    "  --fill-holes[=CELLS]  fill only holes inside the data: nodes with data within CELLS\n"
    "                        nodes along their row and column on all four sides\n"
    "                        (1 to 300, default 100); nothing beyond the data's edge\n"
    "  --sea-level           write heights below 0 as 0\n"
    "  --force               the sources' heights replace those of existing tiles\n"
    "                        wherever the sources have one\n";
// After the line of --jobs, which names the default of this process.
const char* const UsageTail =
    "  --area S,W,N,E        only the tiles with part of their area in this box (degrees;\n"
    "                        boxes on whole degrees that meet share no tile)\n"
    "  --source-crs CRS      the sources' coordinate system, for sources without one\n"
    "                        (EPSG:NNNN, or what gdalwarp -s_srs takes)\n"
    "  --help                this text\n"
    "Filling acts on the merged tile, and nodes filled in an earlier run count as heights\n"
    "in later ones: import the parts of a growing data set without --fill-voids and\n"
    "--fill-holes, then fill in a last run with --force.\n";

int DefaultJobs()
{
    return std::min(UsableProcessors(), import::MaxJobs);
}

// The usage, with the default of --jobs on this machine for this process.
std::string Usage()
{
    return UsageText
           + ("  --jobs N              build N tiles at once (1 to 64; default " + std::to_string(DefaultJobs())
               + ": the processors\n                        this process may use)\n")
           + UsageTail;
}

int UsageError(std::ostream& err, const std::string& message)
{
    return cli::UsageError(err, "import", message);
}

// The fill options into `options`; returns the problem, or "" when they are fine.
std::string ReadFill(const ParsedArgs& parsed, ImportOptions& options)
{
    if (parsed.hasSwitch("fill-voids") && parsed.hasSwitch("fill-holes"))
        return "--fill-voids and --fill-holes exclude each other";
    for (const auto& [name, scope] :
        {std::pair{"fill-voids", import::FillScope::AllVoids}, std::pair{"fill-holes", import::FillScope::Holes}}) {
        if (!parsed.hasSwitch(name))
            continue;
        const std::string text = parsed.switches.at(name);
        const auto cells = text.empty() ? std::optional<double>(DefaultFillDistance) : ParseNumber(text);
        if (!cells || *cells < 1 || *cells > import::MaxFillDistance)
            return std::string("--") + name + " needs a number of cells from 1 to 300, not '" + text + "'";
        options.fillDistance = *cells;
        options.fillScope = scope;
    }
    return "";
}

// --jobs and --area into `options`; returns the problem, or "" when they are fine.
std::string ReadJobsAndArea(const ParsedArgs& parsed, ImportOptions& options)
{
    options.jobs = DefaultJobs();
    if (const auto text = parsed.option("jobs")) {
        const auto jobs = ParseNumber(*text);
        if (!jobs || *jobs < 1 || *jobs > import::MaxJobs || std::floor(*jobs) != *jobs)
            return "--jobs needs a whole number from 1 to 64, not '" + *text + "'";
        options.jobs = static_cast<int>(*jobs);
    }
    if (const auto text = parsed.option("area")) {
        const auto box = ParseNumbers(*text, ',');
        if (!box || box->size() != 4 || !((*box)[0] >= -90 && (*box)[0] < (*box)[2] && (*box)[2] <= 90)
            || !((*box)[1] >= -180 && (*box)[1] < (*box)[3] && (*box)[3] <= 360))
            return "--area needs S,W,N,E in degrees (south < north within -90..90, west < east within -180..360), "
                   "not '"
                   + *text + "'";
        options.area = import::GeoBounds{(*box)[1], (*box)[0], (*box)[3], (*box)[2]};
    }
    return "";
}

} // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool showProgress)
{
    const ParsedArgs parsed = ParseArgs(
        args, {"out", "jobs", "area", "source-crs"}, {"fill-voids", "fill-holes", "sea-level", "force", "help"});
    if (!parsed.error.empty())
        return UsageError(err, parsed.error);
    if (parsed.hasSwitch("help")) {
        out << Usage();
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
    options.sourceCrs = parsed.option("source-crs").value_or("");
    std::string problem = ReadFill(parsed, options);
    if (problem.empty())
        problem = ReadJobsAndArea(parsed, options);
    if (!problem.empty())
        return UsageError(err, problem);

    const auto progress = [&](int done, int total) {
        if (!showProgress)
            return;
        err << '\r' << import::ProgressBarText(done, total, ProgressBarWidth) << (done == total ? "\n" : "")
            << std::flush;
    };
    // Each tile's line as soon as its file is in place, so that a failure
    // leaves the record of what was written.
    const auto tileDone = [&](const import::TileResult& tile) {
        if (showProgress)
            err << '\r' << std::string(ProgressBarWidth + 20, ' ') << '\r' << std::flush;
        out << import::TileLine(tile) << '\n' << std::flush;
    };
    try {
        const ImportResult result = import::RunImportJob(options, progress, tileDone);
        import::WriteTotals(out, result);
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
