#include "import/Importer.h"

#include "import/GdalSession.h"
#include "import/ImportError.h"
#include "import/NodeGrid.h"
#include "import/SourceRaster.h"
#include "import/TileEnumeration.h"
#include "import/TileFileWriter.h"
#include "import/VoidFill.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <unistd.h>

namespace marn::import {

namespace {

namespace fs = std::filesystem;

// Nodes sampled beyond a tile's edges so that filled voids continue across the
// edge the same way in both neighbouring tiles.
constexpr int MaxFillMargin = 100;

std::vector<std::unique_ptr<SourceRaster>> OpenSources(const std::vector<std::string>& paths)
{
    std::vector<std::unique_ptr<SourceRaster>> sources;
    for (const std::string& path : paths)
        sources.push_back(SourceRaster::Open(path));
    return sources;
}

std::vector<TileId> TilesOfSources(const std::vector<std::unique_ptr<SourceRaster>>& sources)
{
    std::set<TileId> tiles;
    for (const auto& source : sources) {
        for (const TileId& tile : TilesTouching(source->bounds()))
            tiles.insert(tile);
    }
    return {tiles.begin(), tiles.end()};
}

// A directory that will hold tiles must be one already, or be creatable in its
// nearest existing ancestor.
void CheckWritableDirectory(const fs::path& dir)
{
    fs::path existing = fs::absolute(dir);
    while (!fs::exists(existing) && existing != existing.root_path())
        existing = existing.parent_path();
    if (!fs::is_directory(existing))
        throw ImportError("cannot write into " + dir.string() + ": " + existing.string() + " is not a directory");
    if (::access(existing.c_str(), W_OK | X_OK) != 0)
        throw ImportError("cannot write into " + dir.string() + ": " + existing.string() + " is not writable");
}

void CheckOutput(const fs::path& outDir, const std::vector<TileId>& tiles)
{
    CheckWritableDirectory(outDir);
    std::set<std::string> dirs;
    for (const TileId& tile : tiles)
        dirs.insert(marn::TileDirName(NameOf(tile)));
    for (const std::string& dir : dirs)
        CheckWritableDirectory(outDir / "MARN" / dir);
}

long long CountMissing(const std::vector<double>& values)
{
    return std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
}

class TileBuilder {
public:
    TileBuilder(const ImportOptions& options, const std::vector<std::unique_ptr<SourceRaster>>& sources,
        ConversionCounts& counts)
        : options_(options), sources_(sources), counts_(counts),
          margin_(
              options.fillDistance > 0 ? std::min(MaxFillMargin, static_cast<int>(std::ceil(options.fillDistance))) : 0)
    {
    }

    TileResult build(const TileId& tile) const
    {
        TileResult result{tile};
        const fs::path path = options_.outDir / TileRelativePath(tile);
        if (!options_.force && fs::exists(path)) {
            result.outcome = TileOutcome::Kept;
            return result;
        }
        const NodeGridSpec desc = TileNodeGrid(tile, margin_);
        std::vector<double> grid(desc.size(), std::numeric_limits<double>::quiet_NaN());
        for (const auto& source : sources_)
            source->SampleInto(desc, grid);
        const long long missingBefore = CountMissing(CropToTile(grid, desc, margin_));
        if (missingBefore == static_cast<long long>(TileRows) * TileCols(KindOf(tile))) {
            result.outcome = TileOutcome::NoData;
            return result;
        }
        if (options_.fillDistance > 0 && missingBefore > 0)
            FillVoids(grid, desc.rows, desc.cols, options_.fillDistance);
        const std::vector<double> values = CropToTile(grid, desc, margin_);
        result.nodesMissing = CountMissing(values);
        result.nodesFilled = missingBefore - result.nodesMissing;

        std::vector<std::int16_t> heights(values.size());
        std::transform(values.begin(), values.end(), heights.begin(),
            [this](double value) { return ToTileHeight(value, options_.seaLevel, counts_); });
        const WriteOutcome outcome = WriteTileFile(path, PackTileFile(heights, KindOf(tile)), options_.force);
        result.outcome = outcome == WriteOutcome::Written ? TileOutcome::Written : TileOutcome::Kept;
        return result;
    }

private:
    const ImportOptions& options_;
    const std::vector<std::unique_ptr<SourceRaster>>& sources_;
    ConversionCounts& counts_;
    int margin_;
};

} // namespace

ImportResult RunImportJob(const ImportOptions& options, const ProgressFn& progress)
{
    GdalSession session;
    const auto sources = OpenSources(options.sources);
    const std::vector<TileId> tiles = TilesOfSources(sources);
    CheckOutput(options.outDir, tiles);

    ImportResult result;
    const TileBuilder builder(options, sources, result.conversions);
    const int total = static_cast<int>(tiles.size());
    progress(0, total);
    for (const TileId& tile : tiles) {
        result.tiles.push_back(builder.build(tile));
        progress(static_cast<int>(result.tiles.size()), total);
    }
    return result;
}

} // namespace marn::import
