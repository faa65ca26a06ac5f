#include "import/Importer.h"

#include "core/TileFormat.h"
#include "import/GdalSession.h"
#include "import/ImportError.h"
#include "import/NodeGrid.h"
#include "import/SourceRaster.h"
#include "import/TileEnumeration.h"
#include "import/TileFileWriter.h"
#include "import/VoidFill.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
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

Sources OpenSources(const ImportOptions& options)
{
    Sources sources;
    for (const std::string& path : options.sources)
        sources.push_back(SourceRaster::Open(path, options.sourceCrs));
    return sources;
}

// The tiles with inner nodes in a source's bounds, and the existing tiles
// whose edge nodes a source may reach: a source does not make a tile of
// which it holds only edge nodes, but it adds them to one that exists.
std::vector<TileId> TilesOfSources(const Sources& sources, const std::optional<GeoBounds>& area, const fs::path& outDir)
{
    constexpr double OneNode = LatStepSec / 3600.0;
    std::set<TileId> tiles;
    for (const auto& source : sources) {
        const GeoBounds& b = source->bounds();
        for (const TileId& tile : TilesTouching(source->bounds())) {
            if (!area || TileOverlapsArea(tile, *area))
                tiles.insert(tile);
        }
        for (const TileId& tile :
            TilesTouching({b.west - OneNode, b.south - OneNode, b.east + OneNode, b.north + OneNode})) {
            std::error_code error;
            if ((!area || TileOverlapsArea(tile, *area)) && fs::exists(outDir / TileRelativePath(tile), error))
                tiles.insert(tile);
        }
    }
    return {tiles.begin(), tiles.end()};
}

// A directory that will hold tiles must be one already, or be creatable in its
// nearest existing ancestor.
void CheckWritableDirectory(const fs::path& dir)
{
    std::error_code error;
    fs::path existing = fs::absolute(dir, error);
    if (error)
        throw ImportError("cannot write into " + dir.string() + ": " + error.message());
    fs::file_status status = fs::status(existing, error);
    while (status.type() == fs::file_type::not_found && existing != existing.root_path()) {
        existing = existing.parent_path();
        status = fs::status(existing, error);
    }
    if (status.type() == fs::file_type::unknown || (error && status.type() != fs::file_type::not_found))
        throw ImportError("cannot write into " + dir.string() + ": " + existing.string() + " cannot be looked into ("
                          + error.message() + ")");
    if (!fs::is_directory(status))
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

// The tile file already at a tile's path: its nodes when it has its kind's
// length, its length when it has another; neither when there is none.
struct ExistingTile {
    std::optional<std::vector<std::int16_t>> nodes;
    std::optional<std::uintmax_t> damagedBytes;
};

ExistingTile ReadExistingTile(const fs::path& path, TileKind kind)
{
    ExistingTile existing;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return existing;
    if (error || !fs::is_regular_file(status))
        throw ImportError("cannot read the existing tile " + path.string() + ": "
                          + (error ? error.message() : std::string("it is not a file")));
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw ImportError("cannot read the existing tile " + path.string() + ": " + std::strerror(errno));
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (static_cast<std::int64_t>(bytes.size()) != GeometryOf(kind).fileBytes)
        existing.damagedBytes = bytes.size();
    else
        existing.nodes = UnpackTileFile(bytes, kind);
    return existing;
}

// Where node `node` of a tile (row 0 south, col 0 west) lies in a grid built
// by TileNodeGrid or FillNodeGrid with `margin`.
std::size_t GridIndexOf(std::size_t node, TileKind kind, const NodeGridSpec& desc, int margin, int colStride)
{
    const auto cols = static_cast<std::size_t>(TileCols(kind));
    return (node / cols + static_cast<std::size_t>(margin)) * static_cast<std::size_t>(desc.cols)
           + static_cast<std::size_t>(margin) + node % cols * static_cast<std::size_t>(colStride);
}

// The nodes a tile shares with its eight neighbours lie on its edges. Where
// `grid` has no height on such a node, it takes the one an existing neighbour
// tile file holds there; neighbours built in this run (`building`) are left
// out, so that no tile depends on the order the tiles are built in. A source
// that only reaches a tile's edge does not make the tile (TilesTouching), so
// its heights on the edge reach a tile built later in this way.
void TakeSharedEdges(const fs::path& outDir, const TileId& tile, const std::set<TileId>& building,
    std::vector<double>& grid, const NodeGridSpec& desc, int margin, int colStride)
{
    const TileKind kind = KindOf(tile);
    const int step = GeometryOf(kind).lonStepSec;
    const int cols = TileCols(kind);
    for (int dLat = -1; dLat <= 1; ++dLat) {
        for (int dLon = -1; dLon <= 1; ++dLon) {
            const int lat = tile.latDeg + dLat;
            const int lon = (tile.lonDeg + dLon + 540) % 360 - 180;
            const TileId neighbour{lat, lon};
            if ((dLat == 0 && dLon == 0) || lat < -90 || lat > 89 || building.count(neighbour) != 0)
                continue;
            ExistingTile other;
            try {
                other = ReadExistingTile(outDir / TileRelativePath(neighbour), KindOf(neighbour));
            } catch (const ImportError&) {
                continue; // an unreadable neighbour adds nothing
            }
            if (!other.nodes)
                continue;
            const int otherStep = GeometryOf(KindOf(neighbour)).lonStepSec;
            const int otherCols = TileCols(KindOf(neighbour));
            for (int row = 0; row < TileRows; ++row) {
                const int otherRow = row - dLat * (TileRows - 1);
                if (otherRow < 0 || otherRow >= TileRows)
                    continue;
                const bool edgeRow = row == 0 || row == TileRows - 1;
                for (int col = 0; col < cols; col += edgeRow ? 1 : cols - 1) {
                    const int otherSec = step * col - dLon * 3600;
                    if (otherSec < 0 || otherSec > 3600 || otherSec % otherStep != 0)
                        continue;
                    const std::int16_t height =
                        (*other.nodes)[static_cast<std::size_t>(otherRow) * otherCols + otherSec / otherStep];
                    double& node =
                        grid[GridIndexOf(static_cast<std::size_t>(row) * cols + col, kind, desc, margin, colStride)];
                    if (height != marn::NoData && std::isnan(node))
                        node = height;
                }
            }
        }
    }
}

class TileBuilder {
public:
    TileBuilder(const ImportOptions& options, const Sources& sources, const std::set<TileId>& building,
        ConversionCounts& counts)
        : options_(options), sources_(sources), building_(building), counts_(counts),
          margin_(options.fillDistance > 0 ? static_cast<int>(std::ceil(options.fillDistance)) : 0)
    {
    }

    TileResult build(const TileId& tile) const
    {
        TileResult result{tile};
        const fs::path path = options_.outDir / TileRelativePath(tile);
        const TileKind kind = KindOf(tile);
        const ExistingTile existing = ReadExistingTile(path, kind);
        const std::vector<std::int16_t>* old = existing.nodes ? &*existing.nodes : nullptr;
        if (old != nullptr && !options_.force && std::find(old->begin(), old->end(), marn::NoData) == old->end()) {
            result.outcome = TileOutcome::Kept; // nothing missing that a source could add
            return result;
        }
        // A filled tile is built on the common fill lattice with the whole fill
        // distance as context, so its neighbours fill their shared nodes alike.
        const NodeGridSpec desc = margin_ > 0 ? FillNodeGrid(tile, margin_) : TileNodeGrid(tile, 0);
        const int colStride = GeometryOf(kind).lonStepSec / desc.lonStepSec;
        std::vector<double> grid(desc.size(), std::numeric_limits<double>::quiet_NaN());
        for (const auto& source : sources_)
            source->SampleInto(desc, grid);
        const std::vector<double> fresh = CropToTile(grid, desc, margin_, colStride);
        const long long tileNodes = static_cast<long long>(TileRows) * TileCols(kind);
        if (CountMissing(fresh) == tileNodes && !existing.damagedBytes) {
            result.outcome = old != nullptr ? TileOutcome::Kept : TileOutcome::NoData;
            return result;
        }
        // The existing heights go under the sources' (force) or over them.
        if (old != nullptr) {
            for (std::size_t node = 0; node < old->size(); ++node) {
                if ((*old)[node] != marn::NoData && (!options_.force || std::isnan(fresh[node])))
                    grid[GridIndexOf(node, kind, desc, margin_, colStride)] = (*old)[node];
            }
        }
        TakeSharedEdges(options_.outDir, tile, building_, grid, desc, margin_, colStride);
        const long long missingBefore = CountMissing(CropToTile(grid, desc, margin_, colStride));
        if (options_.fillDistance > 0 && missingBefore > 0)
            FillVoids(grid, desc.rows, desc.cols, options_.fillDistance, options_.fillScope);
        const std::vector<double> values = CropToTile(grid, desc, margin_, colStride);
        result.nodesMissing = CountMissing(values);
        result.nodesFilled = missingBefore - result.nodesMissing;

        std::vector<std::int16_t> heights(values.size());
        std::transform(values.begin(), values.end(), heights.begin(),
            [this](double value) { return ToTileHeight(value, options_.seaLevel, counts_); });
        if (old != nullptr) {
            for (std::size_t node = 0; node < heights.size(); ++node) {
                const std::int16_t before = (*old)[node];
                if (before != marn::NoData && (!options_.force || std::isnan(fresh[node])))
                    heights[node] = before; // kept exactly, whatever the sea level
                result.nodesAdded += before == marn::NoData && heights[node] != marn::NoData ? 1 : 0;
                result.nodesChanged += before != marn::NoData && heights[node] != before ? 1 : 0;
            }
            if (result.nodesAdded == 0 && result.nodesChanged == 0) {
                result.outcome = TileOutcome::Kept;
                return result;
            }
        }
        WriteTileFile(path, PackTileFile(heights, kind), true);
        result.outcome = old != nullptr          ? TileOutcome::Merged
                         : existing.damagedBytes ? TileOutcome::Replaced
                                                 : TileOutcome::Written;
        result.damagedBytes = existing.damagedBytes.value_or(0);
        return result;
    }

private:
    const ImportOptions& options_;
    const Sources& sources_;
    const std::set<TileId>& building_;
    ConversionCounts& counts_;
    int margin_;
};

// Hands the tiles out one at a time to the threads that build them, reports
// the progress and keeps the first failure; after a failure it hands out no
// more tiles.
class TileQueue {
public:
    TileQueue(int total, const ProgressFn& progress, const TileDoneFn& tileDone)
        : total_(total), progress_(progress), tileDone_(tileDone)
    {
    }

    std::optional<int> next()
    {
        const std::lock_guard lock(mutex_);
        if (failure_ || handedOut_ == total_)
            return std::nullopt;
        return handedOut_++;
    }

    void finished(const TileResult& result)
    {
        const std::lock_guard lock(mutex_);
        if (tileDone_)
            tileDone_(result);
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
    const TileDoneFn& tileDone_;
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
        const Sources own = shared != nullptr ? Sources() : OpenSources(options);
        const std::set<TileId> building(tiles.begin(), tiles.end());
        const TileBuilder builder(options, shared != nullptr ? *shared : own, building, counts);
        while (const std::optional<int> index = queue.next()) {
            TileResult& result = results[static_cast<std::size_t>(*index)];
            result = builder.build(tiles[static_cast<std::size_t>(*index)]);
            queue.finished(result);
        }
    } catch (...) {
        queue.fail(std::current_exception());
    }
}

} // namespace

ImportResult RunImportJob(const ImportOptions& options, const ProgressFn& progress, const TileDoneFn& tileDone)
{
    if (!(options.fillDistance >= 0 && options.fillDistance <= MaxFillDistance))
        throw ImportError(
            "the fill distance must lie between 0 and " + std::to_string(static_cast<int>(MaxFillDistance)));
    const GdalSession session;
    const Sources sources = OpenSources(options);
    const std::vector<TileId> tiles = TilesOfSources(sources, options.area, options.outDir);
    CheckOutput(options.outDir, tiles);

    const int total = static_cast<int>(tiles.size());
    const int jobs = std::clamp(std::min(options.jobs, total), 1, MaxJobs);
    ImportResult result;
    result.tiles.resize(tiles.size());
    std::vector<ConversionCounts> counts(static_cast<std::size_t>(jobs));
    TileQueue queue(total, progress, tileDone);
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
