#include "core/FastHeightSampling.h"

#include "core/Geodesy.h"
#include "core/GridBounds.h"
#include "core/TileBlockCache.h"
#include "core/TileReadErrors.h"

#include <cmath>
#include <vector>

namespace marn {

namespace {

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

    // Each row is placed first and then read, so that the reads of
    // neighbouring points overlap; the grid is filled point by point in the
    // reader's order, so that a read error leaves it as the reader would.
    std::vector<double> lats(static_cast<std::size_t>(lastCol) + 1);
    std::vector<double> lons(static_cast<std::size_t>(lastCol) + 1);
    std::int16_t result = ReadOk;
    for (int j = 1; j <= lastRow && result == ReadOk; ++j) {
        const double rowLat = s.LatN - (j - 1) * latStep;
        const StartTrig start = TrigOfStart(rowLat, s.LonMid);
        for (int i = 1; i <= lastCol; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const ColumnPlan& column = columns[at];
            lats[at] = rowLat;
            lons[at] = s.LonMid;
            if (!column.onMiddle)
                DestPoint(start, *column.bearing, column.distance, lats[at], lons[at]);
        }
        for (int i = 1; i <= lastCol; ++i) {
            const auto at = static_cast<std::size_t>(i);
            s.GridCoords(0, i, j) = lats[at];
            s.GridCoords(1, i, j) = lons[at];
            const std::int16_t errorValue = tiles.heightAt(lats[at], lons[at], s.GridHeights(i, j));
            if (errorValue == ErrTileNotOpened) {
                s.GridHeights(i, j) = NoData;
            } else if (errorValue != ReadOk) {
                result = errorValue;
                break;
            }
        }
        tiles.endRow();
        if (result == ReadOk && afterRow)
            afterRow(j);
    }
    s.Reader.BlockReads += tiles.reads();
    return result;
}

} // namespace marn
