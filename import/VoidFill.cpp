#include "import/VoidFill.h"

#include "import/FillReach.h"
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

class MemRaster {
public:
    MemRaster(int cols, int rows, GDALDataType type)
    {
        dataset_ = GDALCreate(GDALGetDriverByName("MEM"), "", cols, rows, 1, type, nullptr);
        if (dataset_ == nullptr)
            throw ImportError("cannot fill voids: " + LastGdalMessage("no memory raster"));
    }
    ~MemRaster() { GDALClose(dataset_); }
    MemRaster(const MemRaster&) = delete;
    MemRaster& operator=(const MemRaster&) = delete;
    GDALRasterBandH band() const { return GDALGetRasterBand(dataset_, 1); }

    void transfer(GDALRWFlag direction, void* data, GDALDataType type) const
    {
        const int cols = GDALGetRasterXSize(dataset_);
        const int rows = GDALGetRasterYSize(dataset_);
        if (GDALRasterIO(band(), direction, 0, 0, cols, rows, data, cols, rows, type, 0, 0) != CE_None)
            throw ImportError("cannot fill voids: " + LastGdalMessage("memory raster failed"));
    }

private:
    GDALDatasetH dataset_ = nullptr;
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
            grid[i] = std::numeric_limits<double>::quiet_NaN();
    }
}

} // namespace

void FillVoids(std::vector<double>& grid, int rows, int cols, double maxDistance)
{
    const GridRect reach = FillReach(grid, rows, cols, static_cast<int>(std::ceil(maxDistance)));
    if (reach.empty())
        return;
    std::vector<double> values = CopyRect(grid, cols, reach);
    FillWholeGrid(values, reach.rows, reach.cols, maxDistance);
    PasteRect(grid, cols, reach, values);
}

} // namespace marn::import
