#include "core/FastHeightSampling.h"

#include "core/Geodesy.h"
#include "core/GridBounds.h"
#include "core/Processors.h"
#include "core/Single.h"
#include "core/TileBlockCache.h"
#include "core/TileLocation.h"
#include "core/TileReadErrors.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace marn {

namespace {

// How many points ahead of the one being read the nodes are fetched.
constexpr int PrefetchAhead = 4;
// How many rows the threads may run ahead of the rows stored in the grid, per thread.
constexpr int RowsAheadPerThread = 4;
constexpr int MaxThreads = 256;

// Where column i lies from the middle meridian: on it, or a distance west or east.
struct ColumnPlan {
    bool onMiddle = false;
    const BearingTrig* bearing = nullptr;
    DistanceTrig distance;
};

std::vector<ColumnPlan> PlanColumns(const PictureGrid& s, int lastCol, const BearingTrig& west, const BearingTrig& east)
{
    const double halfCols = static_cast<double>(s.PicCols) / 2;
    const double middle = static_cast<double>(Single(std::floor(static_cast<double>(s.PicCols)) / 2));
    std::vector<ColumnPlan> plans(static_cast<std::size_t>(lastCol) + 1);
    for (int i = 1; i <= lastCol; ++i) {
        ColumnPlan& plan = plans[static_cast<std::size_t>(i)];
        if (i < middle) {
            plan.bearing = &west;
            plan.distance = TrigOfDistance((halfCols - i) * s.KmPerPixel);
        } else if (i > middle) {
            plan.bearing = &east;
            plan.distance = TrigOfDistance((i - halfCols) * s.KmPerPixel);
        } else {
            plan.onMiddle = true;
        }
    }
    return plans;
}

// A point of the row being sampled: placed, then located in the data set.
struct RowPoint {
    double lat = 0.0;
    double lon = 0.0;
    std::int16_t located = ReadOk;
    TileLocation at;
};

// A sampled row waiting to be stored in the grid: the coordinates and heights
// of its columns 1..filled, laid out as the grid lays out one of its rows. With
// one thread, rows are sampled in order straight into the grid.
struct SampledRow {
    std::vector<double> coordValues;
    std::vector<std::int16_t> heightValues;
    double* coords = nullptr; // latitude, longitude of column 1, then of column 2, ...
    std::int16_t* heights = nullptr;
    int filled = 0;
    std::int16_t error = ReadOk; // the error that ended the row at column filled
    std::string failedTile;      // the logical path of the tile it arose in, if any
    std::exception_ptr failure;
    bool done = false;
};

// What every thread of one sampling shares: the plan of the grid, taken from
// the shared state before the threads start, and the tile blocks.
struct GridPlan {
    int lastCol;
    int lastRow;
    double latN;
    double lonMid;
    double latStep;
    std::string dataDrive;
    BearingTrig west = TrigOfBearing(270);
    BearingTrig east = TrigOfBearing(90);
    std::vector<ColumnPlan> columns;
    TileBlockStore tiles;

    GridPlan(const DataLocation& data, const PictureGrid& s)
        : lastCol(LastSampledColumn(s)), lastRow(LastSampledRow(s)), latN(s.LatN), lonMid(s.LonMid),
          latStep((s.LatN - s.LatS) / static_cast<double>(s.PicRows)), dataDrive(data.DataDrive),
          columns(PlanColumns(s, lastCol, west, east)), tiles(data.DataDrive, data.ProgramDir)
    {
    }
};

// One thread's tools: its view of the tile blocks and the points of its row.
class RowSampler {
public:
    RowSampler(GridPlan& plan, bool shared)
        : plan_(plan), tiles_(plan.tiles), points_(static_cast<std::size_t>(plan.lastCol) + 1), shared_(shared)
    {
    }

    // Places row j and reads its heights point by point, in the reader's
    // order, so that a read error ends the row where the reader would; the
    // nodes of the points a little ahead are fetched meanwhile.
    void sample(int j, SampledRow& out)
    {
        tiles_.startRow(j);
        placeRow(plan_.latN - (j - 1) * plan_.latStep);
        if (shared_)
            startReading();
        const int lastCol = plan_.lastCol;
        out.error = ReadOk;
        out.filled = lastCol;
        for (int i = 1; i <= lastCol; ++i) {
            const RowPoint& point = points_[static_cast<std::size_t>(i)];
            if (i + PrefetchAhead <= lastCol) {
                const RowPoint& ahead = points_[static_cast<std::size_t>(i + PrefetchAhead)];
                if (ahead.located == ReadOk)
                    tiles_.prefetch(ahead.at);
            }
            const auto at = static_cast<std::size_t>(i - 1);
            out.coords[2 * at] = point.lat;
            out.coords[2 * at + 1] = point.lon;
            std::int16_t& height = out.heights[at];
            const std::int16_t errorValue = point.located == ReadOk ? tiles_.heightAt(point.at, height) : point.located;
            if (IsNoDataHere(errorValue)) {
                height = NoData;
            } else if (errorValue != ReadOk) {
                height = 0;
                out.error = errorValue;
                out.failedTile = point.located == ReadOk ? LogicalTilePath(plan_.dataDrive, point.at.name) : "";
                out.filled = i;
                return;
            }
        }
    }

private:
    void placeRow(double rowLat)
    {
        const StartTrig start = TrigOfStart(rowLat, plan_.lonMid);
        for (std::size_t i = 1; i < points_.size(); ++i) {
            const ColumnPlan& column = plan_.columns[i];
            RowPoint& point = points_[i];
            point.lat = rowLat;
            point.lon = plan_.lonMid;
            if (!column.onMiddle)
                DestPoint(start, *column.bearing, column.distance, point.lat, point.lon);
            point.located = tiles_.locate(point.lat, point.lon, point.at);
        }
    }

    // The block rows the row needs that no thread holds yet are read first,
    // each by whichever thread comes to it first.
    void startReading()
    {
        std::uint64_t lastKey = 0;
        for (std::size_t i = 1; i < points_.size(); ++i) {
            const RowPoint& point = points_[i];
            if (point.located != ReadOk)
                continue;
            const std::uint64_t key = BlockRowKeyOf(TileKeyOf(point.at.name), point.at.blockRow);
            if (key != lastKey)
                tiles_.startReading(point.at);
            lastKey = key;
        }
    }

    GridPlan& plan_;
    TileBlockCache tiles_;
    std::vector<RowPoint> points_;
    bool shared_; // other threads sample other rows meanwhile
};

// Rows are handed out in order to the threads (the calling one among them),
// sampled into a ring of row buffers, and stored in the grid in order by the
// calling thread, which calls afterRow after each (one thread samples straight
// into the grid, in order). A row that ends with an
// error is stored as far as the reader got and ends the sampling: the rows
// after it are never stored, whatever the other threads sampled meanwhile.
class RowPipeline {
public:
    RowPipeline(const DataLocation& data, PictureGrid& grid, TileReaderState& reader, int threads)
        : s_(grid), reader_(reader), plan_(data, grid), threads_(std::clamp(threads, 1, MaxThreads))
    {
        threads_ = std::min(threads_, std::max(plan_.lastRow, 1));
        ring_.resize(static_cast<std::size_t>(threads_ * RowsAheadPerThread));
        if (threads_ == 1)
            return;
        for (SampledRow& row : ring_) {
            row.coordValues.resize(2 * static_cast<std::size_t>(plan_.lastCol));
            row.heightValues.resize(static_cast<std::size_t>(plan_.lastCol));
            row.coords = row.coordValues.data();
            row.heights = row.heightValues.data();
        }
    }

    ~RowPipeline()
    {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& worker : workers_)
            worker.join();
    }

    std::int16_t run(const std::function<void(int row)>& afterRow)
    {
        for (int t = 1; t < threads_; ++t)
            workers_.emplace_back([this] { work(); });
        RowSampler sampler(plan_, threads_ > 1);
        std::unique_lock lock(mutex_);
        while (stored_ < plan_.lastRow) {
            const int j = stored_ + 1;
            SampledRow& next = slot(j);
            if (next.done) {
                lock.unlock();
                const std::int16_t error = store(j, next);
                if (error != ReadOk)
                    return error;
                if (afterRow)
                    afterRow(j);
                lock.lock();
                next.done = false;
                stored_ = j;
                changed_.notify_all();
                continue;
            }
            if (!sampleNext(sampler, lock))
                changed_.wait(lock);
        }
        return ReadOk;
    }

    std::uint64_t reads() const { return plan_.tiles.reads(); }

private:
    SampledRow& slot(int j) { return ring_[static_cast<std::size_t>(j) % ring_.size()]; }

    void work()
    {
        RowSampler sampler(plan_, true);
        std::unique_lock lock(mutex_);
        while (!stop_ && taken_ < plan_.lastRow) {
            if (!sampleNext(sampler, lock))
                changed_.wait(lock);
        }
    }

    // Takes the next row and samples it when its buffer is free; false when
    // there is none to take now. Called and returns with the lock held.
    bool sampleNext(RowSampler& sampler, std::unique_lock<std::mutex>& lock)
    {
        const int j = taken_ + 1;
        if (stop_ || j > plan_.lastRow || j > lastToSample_ || j > stored_ + static_cast<int>(ring_.size()))
            return false;
        taken_ = j;
        SampledRow& row = slot(j);
        if (threads_ == 1 && plan_.lastCol > 0) {
            row.coords = &s_.GridCoords(0, 1, j);
            row.heights = &s_.GridHeights(1, j);
        }
        lock.unlock();
        try {
            sampler.sample(j, row);
        } catch (...) {
            row.failure = std::current_exception();
        }
        lock.lock();
        row.done = true;
        if (row.error != ReadOk || row.failure)
            lastToSample_ = std::min(lastToSample_, j);
        finished_.push_back(j);
        std::sort(finished_.begin(), finished_.end());
        int through = finishedThrough_;
        while (!finished_.empty() && finished_.front() == through + 1) {
            through = finished_.front();
            finished_.erase(finished_.begin());
        }
        finishedThrough_ = through;
        lock.unlock();
        plan_.tiles.rowsFinished(through);
        lock.lock();
        changed_.notify_all();
        return true;
    }

    // Copies a sampled row into the grid unless it was sampled there; returns its error.
    std::int16_t store(int j, const SampledRow& row)
    {
        if (row.failure)
            std::rethrow_exception(row.failure);
        if (row.error != ReadOk)
            reader_.FailedTileName = row.failedTile;
        const auto filled = static_cast<std::size_t>(row.filled);
        if (filled == 0 || row.heightValues.empty())
            return row.error;
        std::memcpy(&s_.GridCoords(0, 1, j), row.coords, 2 * filled * sizeof(double));
        std::memcpy(&s_.GridHeights(1, j), row.heights, filled * sizeof(std::int16_t));
        return row.error;
    }

    PictureGrid& s_;
    TileReaderState& reader_;
    GridPlan plan_;
    int threads_;
    std::vector<SampledRow> ring_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stop_ = false;
    int taken_ = 0;  // rows handed out
    int stored_ = 0; // rows stored in the grid
    int lastToSample_ = 1 << 30;
    int finishedThrough_ = 0; // every row up to it is sampled
    std::vector<int> finished_;
};

int ThreadsFromEnvironment()
{
    const char* text = std::getenv("MARN_THREADS");
    if (text == nullptr || *text == '\0')
        return 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1)
        return 0;
    return static_cast<int>(std::min<long>(value, MaxThreads));
}

} // namespace

int SamplingThreads()
{
    if (const int chosen = ThreadsFromEnvironment(); chosen > 0)
        return chosen;
    return UsableProcessors();
}

std::int16_t SampleGridHeightsFast(
    const DataLocation& data, TileReaderState& reader, PictureGrid& grid, const std::function<void(int row)>& afterRow)
{
    return SampleGridHeightsFast(data, reader, grid, afterRow, SamplingThreads());
}

std::int16_t SampleGridHeightsFast(const DataLocation& data, TileReaderState& reader, PictureGrid& grid,
    const std::function<void(int row)>& afterRow, int threads)
{
    std::int16_t result = ReadOk;
    std::uint64_t reads = 0;
    {
        RowPipeline pipeline(data, grid, reader, threads);
        result = pipeline.run(afterRow);
        reads = pipeline.reads();
    }
    reader.BlockReads += reads;
    return result;
}

} // namespace marn
