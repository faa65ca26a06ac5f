#pragma once
// One elevation raster that GDAL reads (GeoTIFF, .hgt, ASCII grid, NetCDF, VRT
// ...), placed on the earth in geographic WGS 84: band 1, its no-data cells
// (no-data value, mask or alpha) left out, scale and offset applied. Sources in
// another coordinate system are reprojected by GDAL's transformer.

#include "import/Bilinear.h"
#include "import/GdalHandles.h"
#include "import/NodeGrid.h"
#include "import/TileEnumeration.h"
#include "import/WindowReduction.h"

#include <memory>
#include <string>
#include <vector>

namespace marn::import {

class SourceRaster {
public:
    // Opens and checks the source; throws ImportError with a one-line reason.
    // sourceCrs, when not empty, is the source's coordinate system in any form
    // GDAL takes from a user ("EPSG:32632", WKT, PROJ), used in place of the
    // one the source carries, if any. Heights in feet are converted to metres;
    // a band in any other unit is refused. The cells read for one grid are at
    // most maxWindowCells: a finer source is read at a coarser resolution, each
    // cell the average of the cells it covers.
    static std::unique_ptr<SourceRaster> Open(
        const std::string& path, const std::string& sourceCrs = {}, long long maxWindowCells = DefaultMaxWindowCells);

    const std::string& path() const { return path_; }
    const GeoBounds& bounds() const { return bounds_; }

    // Sets every node of the grid at which the source has data to the source's
    // bilinear value there; other nodes keep their value. Throws ImportError
    // when reading fails.
    void SampleInto(const NodeGridSpec& desc, std::vector<double>& grid) const;

private:
    // Positions of nodes in the raster's pixel space (0 at the raster's edge).
    struct PixelPositions {
        std::vector<double> x;
        std::vector<double> y;
        std::vector<int> ok;
    };
    struct CellRange {
        int col0 = 0;
        int col1 = -1;
        int row0 = 0;
        int row1 = -1;
        bool empty() const { return col0 > col1 || row0 > row1; }
    };

    SourceRaster(std::string path, GdalDataset dataset);
    PixelPositions PixelPositionsOf(const NodeGridSpec& desc, double lonShift) const;
    CellRange CellsAround(const PixelPositions& positions) const;
    NodeGridSpec NodesNearBounds(const NodeGridSpec& desc, double lonShift) const;
    void ComputeBounds();
    double LongitudeShift(double west, double east) const;
    CellWindow ReadWindow(const CellRange& range, int factor) const;

    std::string path_;
    GdalDataset dataset_;
    GdalTransformer transformer_; // GDAL's general image-to-WGS 84 transformer
    bool geographic_ = false;
    // Geographic with a geotransform: its bounds hold every cell exactly, so
    // nodes well outside them need not be placed on the raster.
    bool boundsExact_ = false;
    int width_ = 0;
    int height_ = 0;
    GeoBounds bounds_;
    long long maxWindowCells_ = DefaultMaxWindowCells;
    double metresPerUnit_ = 1.0;
};

} // namespace marn::import
