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
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <unistd.h>

namespace marn::import {

namespace {

namespace fs = std::filesystem;

using Sources = std::vector<std::unique_ptr<SourceRaster>>;

Sources OpenSources(const std::vector<std::string>& paths)
{
    Sources sources;
    for (const std::string& path : paths)
        sources.push_back(SourceRaster::Open(path));
    return sources;
}

std::vector<TileId> TilesOfSources(const Sources& sources, const std::optional<GeoBounds>& area)
{
    std::set<TileId> tiles;
    for (const auto& source : sources) {
        for (const TileId& tile : TilesTouching(source->bounds())) {
            if (!area || TileOverlapsArea(tile, *area))
                tiles.insert(tile);
        }
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
        CheckWritableDirectory(outDir / marn::DataDirectoryName / dir);
}

long long CountMissing(const std::vector<double>& values)
{
    return std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
}

class TileBuilder {
public:
    TileBuilder(const ImportOptions& options, const Sources& sources, ConversionCounts& counts)
        : options_(options), sources_(sources), counts_(counts),
          margin_(options.fillDistance > 0 ? static_cast<int>(std::ceil(options.fillDistance)) : 0)
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
        // A filled tile is built on the common fill lattice with the whole fill
        // distance as context, so its neighbours fill their shared nodes alike.
        const TileKind kind = KindOf(tile);
        const NodeGridSpec desc = margin_ > 0 ? FillNodeGrid(tile, margin_) : TileNodeGrid(tile, 0);
        const int colStride = GeometryOf(kind).lonStepSec / desc.lonStepSec;
        std::vector<double> grid(desc.size(), std::numeric_limits<double>::quiet_NaN());
        for (const auto& source : sources_)
            source->SampleInto(desc, grid);
        const long long missingBefore = CountMissing(CropToTile(grid, desc, margin_, colStride));
        if (missingBefore == static_cast<long long>(TileRows) * TileCols(kind)) {
            result.outcome = TileOutcome::NoData;
            return result;
        }
        if (options_.fillDistance > 0 && missingBefore > 0)
            FillVoids(grid, desc.rows, desc.cols, options_.fillDistance, options_.fillScope);
        const std::vector<double> values = CropToTile(grid, desc, margin_, colStride);
        result.nodesMissing = CountMissing(values);
        result.nodesFilled = missingBefore - result.nodesMissing;

        std::vector<std::int16_t> heights(values.size());
        std::transform(values.begin(), values.end(), heights.begin(),
            [this](double value) { return ToTileHeight(value, options_.seaLevel, counts_); });
        const WriteOutcome outcome = WriteTileFile(path, PackTileFile(heights, kind), options_.force);
        result.outcome = outcome == WriteOutcome::Written ? TileOutcome::Written : TileOutcome::Kept;
        return result;
    }

private:
    const ImportOptions& options_;
    const Sources& sources_;
    ConversionCounts& counts_;
    int margin_;
};

// Hands the tiles out one at a time to the threads that build them, reports
// the progress and keeps the first failure; after a failure it hands out no
// more tiles.
class TileQueue {
public:
    TileQueue(int total, const ProgressFn& progress) : total_(total), progress_(progress) {}

    std::optional<int> next()
    {
        const std::lock_guard lock(mutex_);
        if (failure_ || handedOut_ == total_)
            return std::nullopt;
        return handedOut_++;
    }

    void finished()
    {
        const std::lock_guard lock(mutex_);
        progress_(++done_, total_);
    }

    void fail(std::exception_ptr failure)
    {
        const std::lock_guard lock(mutex_);
        if (!failure_)
            failure_ = failure;
    }

    void rethrowFailure() const
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    std::mutex mutex_;
    const int total_;
    const ProgressFn& progress_;
    int handedOut_ = 0;
    int done_ = 0;
    std::exception_ptr failure_;
};

// One thread's share of the import. GDAL handles are not to be used by two
// threads at once, so a thread without `shared` sources opens its own.
void BuildTiles(TileQueue& queue, const ImportOptions& options, const std::vector<TileId>& tiles, const Sources* shared,
    ConversionCounts& counts, std::vector<TileResult>& results)
{
    try {
        const GdalSession session;
        const Sources own = shared != nullptr ? Sources() : OpenSources(options.sources);
        const TileBuilder builder(options, shared != nullptr ? *shared : own, counts);
        while (const std::optional<int> index = queue.next()) {
            results[static_cast<std::size_t>(*index)] = builder.build(tiles[static_cast<std::size_t>(*index)]);
            queue.finished();
        }
    } catch (...) {
        queue.fail(std::current_exception());
    }
}

} // namespace

ImportResult RunImportJob(const ImportOptions& options, const ProgressFn& progress)
{
    if (!(options.fillDistance >= 0 && options.fillDistance <= MaxFillDistance))
        throw ImportError(
            "the fill distance must lie between 0 and " + std::to_string(static_cast<int>(MaxFillDistance)));
    const GdalSession session;
    const Sources sources = OpenSources(options.sources);
    const std::vector<TileId> tiles = TilesOfSources(sources, options.area);
    CheckOutput(options.outDir, tiles);

    const int total = static_cast<int>(tiles.size());
    const int jobs = std::clamp(std::min(options.jobs, total), 1, MaxJobs);
    ImportResult result;
    result.tiles.resize(tiles.size());
    std::vector<ConversionCounts> counts(static_cast<std::size_t>(jobs));
    TileQueue queue(total, progress);
    progress(0, total);
    {
        std::vector<std::jthread> helpers;
        for (int job = 1; job < jobs; ++job) {
            helpers.emplace_back(BuildTiles, std::ref(queue), std::cref(options), std::cref(tiles), nullptr,
                std::ref(counts[static_cast<std::size_t>(job)]), std::ref(result.tiles));
        }
        BuildTiles(queue, options, tiles, &sources, counts[0], result.tiles);
    }
    queue.rethrowFailure();
    for (const ConversionCounts& count : counts) {
        result.conversions.clampedHigh += count.clampedHigh;
        result.conversions.clampedLow += count.clampedLow;
        result.conversions.offNoData += count.offNoData;
    }
    return result;
}

} // namespace marn::import
