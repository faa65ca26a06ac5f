#include "import/ImportReport.h"

namespace marn::import {

namespace {

const char* OutcomeText(TileOutcome outcome)
{
    switch (outcome) {
    case TileOutcome::Written:
        return "written";
    case TileOutcome::Kept:
        return "kept (exists; --force replaces it)";
    case TileOutcome::NoData:
        return "not written (no data)";
    }
    return "";
}

} // namespace

std::string ProgressBarText(int done, int total, int width)
{
    const int filled = total > 0 ? static_cast<int>(static_cast<long long>(done) * width / total) : width;
    return "[" + std::string(static_cast<std::size_t>(filled), '#')
           + std::string(static_cast<std::size_t>(width - filled), '.') + "] " + std::to_string(done) + "/"
           + std::to_string(total) + " tiles";
}

void WriteSummary(std::ostream& out, const ImportResult& result)
{
    int written = 0;
    int kept = 0;
    long long filled = 0;
    long long missing = 0;
    for (const TileResult& tile : result.tiles) {
        out << TileRelativePath(tile.tile) << "  " << OutcomeText(tile.outcome);
        if (tile.outcome == TileOutcome::Written) {
            out << ", nodes filled " << tile.nodesFilled << ", nodes missing " << tile.nodesMissing;
            ++written;
            filled += tile.nodesFilled;
            missing += tile.nodesMissing;
        }
        kept += tile.outcome == TileOutcome::Kept ? 1 : 0;
        out << '\n';
    }
    out << "tiles written " << written << ", kept " << kept << ", without data "
        << result.tiles.size() - static_cast<std::size_t>(written + kept) << "; nodes filled " << filled
        << ", nodes missing " << missing << '\n';
}

void WriteWarnings(std::ostream& err, const ConversionCounts& counts)
{
    if (counts.total() > 0) {
        err << "marn import: warning: " << counts.total() << " heights clamped (" << counts.clampedHigh
            << " above 32767, " << counts.clampedLow << " below -32768, " << counts.offNoData
            << " of -9999 written as -9998)\n";
    }
}

} // namespace marn::import
