#include "import/VoidFill.h"

#include "import/FillReach.h"
#include "import/GdalHandles.h"
#include "import/GdalSession.h"
#include "import/ImportError.h"

#include <gdal.h>
#include <gdal_alg.h>

#include <cmath>
#include <limits>

namespace marn::import {

namespace {

// Marks nodes the fill did not reach; no interpolated height comes near it.
constexpr double Unfilled = -1e30;
constexpr double Missing = std::numeric_limits<double>::quiet_NaN();

class MemRaster {
public:
    MemRaster(int cols, int rows, GDALDataType type)
        : dataset_(GDALCreate(GDALGetDriverByName("MEM"), "", cols, rows, 1, type, nullptr))
    {
        if (dataset_ == nullptr)
            throw ImportError("cannot fill voids: " + LastGdalMessage("no memory raster"));
    }
    GDALRasterBandH band() const { return GDALGetRasterBand(dataset_.get(), 1); }

    void transfer(GDALRWFlag direction, void* data, GDALDataType type) const
    {
        const int cols = GDALGetRasterXSize(dataset_.get());
        const int rows = GDALGetRasterYSize(dataset_.get());
        if (GDALRasterIO(band(), direction, 0, 0, cols, rows, data, cols, rows, type, 0, 0) != CE_None)
            throw ImportError("cannot fill voids: " + LastGdalMessage("memory raster failed"));
    }

private:
    GdalDataset dataset_;
};

void FillWholeGrid(std::vector<double>& grid, int rows, int cols, double maxDistance)
{
    std::vector<unsigned char> valid(grid.size());
    bool anyMissing = false;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        valid[i] = std::isnan(grid[i]) ? 0 : 255;
        anyMissing = anyMissing || valid[i] == 0;
        if (valid[i] == 0)
            grid[i] = Unfilled;
    }
    if (!anyMissing)
        return;
    MemRaster heights(cols, rows, GDT_Float64);
    MemRaster mask(cols, rows, GDT_Byte);
    heights.transfer(GF_Write, grid.data(), GDT_Float64);
    mask.transfer(GF_Write, valid.data(), GDT_Byte);
    const char* options[] = {"TEMP_FILE_DRIVER=MEM", nullptr};
    if (GDALFillNodata(heights.band(), mask.band(), maxDistance, 0, 0, const_cast<char**>(options), nullptr, nullptr)
        != CE_None)
        throw ImportError("cannot fill voids: " + LastGdalMessage("fill failed"));
    heights.transfer(GF_Read, grid.data(), GDT_Float64);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (valid[i] == 0 && grid[i] <= Unfilled)
            grid[i] = Missing;
    }
}

// Per node, whether a value lies within `reach` nodes along its row and its
// column on all four sides (valid nodes count as enclosed).
std::vector<bool> EnclosedNodes(const std::vector<double>& grid, int rows, int cols, int reach)
{
    const auto at = [cols](int row, int col) { return static_cast<std::size_t>(row) * cols + col; };
    std::vector<unsigned char> sides(grid.size(), 0);
    // The last valid node seen along a sweep, or none when it lies more than `reach` back.
    const auto sweep = [&](int count, int step, auto index) {
        int sinceValid = reach + 1;
        for (int i = 0, pos = step > 0 ? 0 : count - 1; i < count; ++i, pos += step) {
            const std::size_t node = index(pos);
            sinceValid = std::isnan(grid[node]) ? sinceValid + 1 : 0;
            sides[node] += sinceValid <= reach ? 1 : 0;
        }
    };
    for (int row = 0; row < rows; ++row) {
        for (const int step : {1, -1})
            sweep(cols, step, [&](int col) { return at(row, col); });
    }
    for (int col = 0; col < cols; ++col) {
        for (const int step : {1, -1})
            sweep(rows, step, [&](int row) { return at(row, col); });
    }
    std::vector<bool> enclosed(grid.size());
    for (std::size_t i = 0; i < grid.size(); ++i)
        enclosed[i] = sides[i] == 4;
    return enclosed;
}

} // namespace

void FillVoids(std::vector<double>& grid, int rows, int cols, double maxDistance, FillScope scope)
{
    const int reach = static_cast<int>(std::ceil(maxDistance));
    const GridRect rect = FillReach(grid, rows, cols, reach);
    if (rect.empty())
        return;
    std::vector<double> values = CopyRect(grid, cols, rect);
    const std::vector<bool> enclosed = scope == FillScope::Holes
                                           ? EnclosedNodes(values, rect.rows, rect.cols, static_cast<int>(maxDistance))
                                           : std::vector<bool>(values.size(), true);
    FillWholeGrid(values, rect.rows, rect.cols, maxDistance);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!enclosed[i])
            values[i] = Missing;
    }
    PasteRect(grid, cols, rect, values);
}

} // namespace marn::import
