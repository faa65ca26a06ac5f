#include "import/ImportReport.h"

namespace marn::import {

std::string ProgressBarText(int done, int total, int width)
{
    const int filled = total > 0 ? static_cast<int>(static_cast<long long>(done) * width / total) : width;
    return "[" + std::string(static_cast<std::size_t>(filled), '#')
           + std::string(static_cast<std::size_t>(width - filled), '.') + "] " + std::to_string(done) + "/"
           + std::to_string(total) + " tiles";
}

std::string TileLine(const TileResult& tile)
{
    std::string line = TileRelativePath(tile.tile) + "  ";
    const std::string nodes =
        ", nodes filled " + std::to_string(tile.nodesFilled) + ", nodes missing " + std::to_string(tile.nodesMissing);
    switch (tile.outcome) {
    case TileOutcome::Written:
        return line + "written" + nodes;
    case TileOutcome::Merged:
        return line + "merged (" + std::to_string(tile.nodesAdded) + " nodes added, "
               + std::to_string(tile.nodesChanged) + " changed)" + nodes;
    case TileOutcome::Replaced:
        return line + "replaced (the file had " + std::to_string(tile.damagedBytes) + " bytes, the wrong length)"
               + nodes;
    case TileOutcome::Kept:
        return line + "kept (nothing to add)";
    case TileOutcome::NoData:
        return line + "not written (no data)";
    }
    return line;
}

void WriteTotals(std::ostream& out, const ImportResult& result)
{
    int counts[5] = {};
    long long filled = 0;
    long long missing = 0;
    for (const TileResult& tile : result.tiles) {
        ++counts[static_cast<int>(tile.outcome)];
        const bool written = tile.outcome != TileOutcome::Kept && tile.outcome != TileOutcome::NoData;
        filled += written ? tile.nodesFilled : 0;
        missing += written ? tile.nodesMissing : 0;
    }
    out << "tiles written " << counts[static_cast<int>(TileOutcome::Written)] << ", merged "
        << counts[static_cast<int>(TileOutcome::Merged)] << ", replaced "
        << counts[static_cast<int>(TileOutcome::Replaced)] << ", kept " << counts[static_cast<int>(TileOutcome::Kept)]
        << ", without data " << counts[static_cast<int>(TileOutcome::NoData)] << "; nodes filled " << filled
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
