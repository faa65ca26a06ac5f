#include "core/FastHeightSampling.h"

#include "core/Geodesy.h"
#include "core/GridBounds.h"
#include "core/TileBlockCache.h"
#include "core/TileLocation.h"
#include "core/TileReadErrors.h"

#include <cmath>
#include <vector>

namespace marn {

namespace {

// How many points ahead of the one being read the nodes are fetched.
constexpr int PrefetchAhead = 4;

// Where column i lies from the middle meridian: on it, or a distance west or east.
struct ColumnPlan {
    bool onMiddle = false;
    const BearingTrig* bearing = nullptr;
    DistanceTrig distance;
};

std::vector<ColumnPlan> PlanColumns(const SharedState& s, int lastCol, const BearingTrig& west, const BearingTrig& east)
{
    const double halfCols = static_cast<double>(s.PicCols) / 2;
    const float middle = static_cast<float>(std::floor(static_cast<double>(s.PicCols)) / 2);
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

void PlaceRow(const std::vector<ColumnPlan>& columns, double rowLat, double lonMid, const TileBlockCache& tiles,
    std::vector<RowPoint>& points)
{
    const StartTrig start = TrigOfStart(rowLat, lonMid);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const ColumnPlan& column = columns[i];
        RowPoint& point = points[i];
        point.lat = rowLat;
        point.lon = lonMid;
        if (!column.onMiddle)
            DestPoint(start, *column.bearing, column.distance, point.lat, point.lon);
        point.located = tiles.locate(point.lat, point.lon, point.at);
    }
}

// Stores the placed points of row j and their heights point by point, in the
// reader's order, so that a read error leaves the grid as the reader would;
// the nodes of the points a little ahead are fetched meanwhile. Returns 0 or
// the first error other than 36 and 400.
std::int16_t ReadRow(const std::vector<RowPoint>& points, int j, TileBlockCache& tiles, SharedState& s)
{
    const int lastCol = static_cast<int>(points.size()) - 1;
    for (int i = 1; i <= lastCol; ++i) {
        const RowPoint& point = points[static_cast<std::size_t>(i)];
        if (i + PrefetchAhead <= lastCol) {
            const RowPoint& ahead = points[static_cast<std::size_t>(i + PrefetchAhead)];
            if (ahead.located == ReadOk)
                tiles.prefetch(ahead.at);
        }
        s.GridCoords(0, i, j) = point.lat;
        s.GridCoords(1, i, j) = point.lon;
        std::int16_t& height = s.GridHeights(i, j);
        height = 0;
        const std::int16_t errorValue = point.located == ReadOk ? tiles.heightAt(point.at, height) : point.located;
        if (IsNoDataHere(errorValue))
            height = NoData;
        else if (errorValue != ReadOk)
            return errorValue;
    }
    return ReadOk;
}

} // namespace

std::int16_t SampleGridHeightsFast(SharedState& s, const std::function<void(int row)>& afterRow)
{
    const int lastCol = LastSampledColumn(s);
    const int lastRow = LastSampledRow(s);
    const BearingTrig west = TrigOfBearing(270);
    const BearingTrig east = TrigOfBearing(90);
    const std::vector<ColumnPlan> columns = PlanColumns(s, lastCol, west, east);
    const double latStep = (s.LatN - s.LatS) / static_cast<double>(s.PicRows);
    TileBlockCache tiles(s.DataDrive, s.ProgramDir);

    // Each row is placed and located first and then read, so that the reads
    // of neighbouring points overlap.
    std::vector<RowPoint> points(static_cast<std::size_t>(lastCol) + 1);
    std::int16_t result = ReadOk;
    for (int j = 1; j <= lastRow && result == ReadOk; ++j) {
        PlaceRow(columns, s.LatN - (j - 1) * latStep, s.LonMid, tiles, points);
        result = ReadRow(points, j, tiles, s);
        tiles.endRow();
        if (result == ReadOk && afterRow)
            afterRow(j);
    }
    s.Reader.BlockReads += tiles.reads();
    return result;
}

} // namespace marn
