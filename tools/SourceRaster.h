#pragma once
// One elevation raster that GDAL reads (GeoTIFF, .hgt, ASCII grid, NetCDF, VRT
// ...), placed on the earth in geographic WGS 84: band 1, its no-data cells
// (no-data value, mask or alpha) left out, scale and offset applied. Sources in
// another coordinate system are reprojected by GDAL's transformer.

#include "Bilinear.h"
#include "NodeGrid.h"
#include "TileEnumeration.h"

#include <memory>
#include <string>
#include <vector>

namespace marn::import {

class SourceRaster {
public:
    // Opens and checks the source; throws ImportError with a one-line reason.
    static std::unique_ptr<SourceRaster> Open(const std::string& path);
    ~SourceRaster();
    SourceRaster(const SourceRaster&) = delete;
    SourceRaster& operator=(const SourceRaster&) = delete;

    const std::string& path() const { return path_; }
    const GeoBounds& bounds() const { return bounds_; }

    // Sets every node of the grid at which the source has data to the source's
    // bilinear value there; other nodes keep their value. Throws ImportError
    // when reading fails.
    void SampleInto(const NodeGridSpec& spec, std::vector<double>& grid) const;

private:
    SourceRaster(std::string path, void* dataset);
    void ComputeBounds();
    double LongitudeShift(double west, double east) const;
    CellWindow ReadWindow(int col0, int row0, int width, int height) const;

    std::string path_;
    void* dataset_ = nullptr;     // GDALDatasetH
    void* transformer_ = nullptr; // GDAL's general image-to-WGS 84 transformer
    bool geographic_ = false;
    int width_ = 0;
    int height_ = 0;
    GeoBounds bounds_;
};

} // namespace marn::import
