#include "tests/import/GeoTiffFixture.h"

#include "import/NodeGrid.h"

#include <gdal.h>
#include <ogr_srs_api.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace marn::import::test {

RasterSpec AlignedRaster(int southLatSec, int westLonSec, int stepSec, int width, int height, double value)
{
    RasterSpec desc;
    desc.stepX = stepSec / 3600.0;
    desc.stepY = stepSec / 3600.0;
    desc.west = (westLonSec - stepSec / 2.0) / 3600.0;
    desc.north = (southLatSec + (height - 1) * stepSec + stepSec / 2.0) / 3600.0;
    desc.width = width;
    desc.height = height;
    desc.values.assign(static_cast<std::size_t>(width) * height, value);
    return desc;
}

void WriteGeoTiff(const std::string& path, const RasterSpec& desc)
{
    GDALAllRegister();
    GDALDatasetH dataset =
        GDALCreate(GDALGetDriverByName("GTiff"), path.c_str(), desc.width, desc.height, 1, GDT_Float32, nullptr);
    if (dataset == nullptr)
        throw std::runtime_error("cannot create " + path);
    double geoTransform[6] = {desc.west, desc.stepX, 0.0, desc.north, 0.0, -desc.stepY};
    GDALSetGeoTransform(dataset, geoTransform);
    if (desc.epsg != 0) {
        OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
        OSRImportFromEPSG(srs, desc.epsg);
        GDALSetSpatialRef(dataset, srs);
        OSRDestroySpatialReference(srs);
    }
    GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
    if (desc.noData)
        GDALSetRasterNoDataValue(band, *desc.noData);
    if (!desc.unit.empty())
        GDALSetRasterUnitType(band, desc.unit.c_str());
    std::vector<double> values = desc.values;
    const CPLErr written = GDALRasterIO(
        band, GF_Write, 0, 0, desc.width, desc.height, values.data(), desc.width, desc.height, GDT_Float64, 0, 0);
    GDALClose(dataset);
    if (written != CE_None)
        throw std::runtime_error("cannot write " + path);
}

RasterSpec PartOf(const RasterSpec& desc, int firstCol, int cols, int firstRow, int rows)
{
    RasterSpec part = desc;
    part.west = desc.west + firstCol * desc.stepX;
    part.north = desc.north - firstRow * desc.stepY;
    part.width = cols;
    part.height = rows;
    part.values.clear();
    for (int row = firstRow; row < firstRow + rows; ++row) {
        const auto start = desc.values.begin() + static_cast<std::ptrdiff_t>(row) * desc.width + firstCol;
        part.values.insert(part.values.end(), start, start + cols);
    }
    return part;
}

std::vector<std::int16_t> StoredNodes(const std::string& dataRoot, const TileId& tile)
{
    std::ifstream file(dataRoot + "/" + TileRelativePath(tile), std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const TileKind kind = KindOf(tile);
    const TileGeometry& geometry = GeometryOf(kind);
    if (static_cast<std::int64_t>(bytes.size()) != geometry.fileBytes)
        throw std::runtime_error("tile file " + TileRelativePath(tile) + " has the wrong length");
    const int cols = TileCols(kind);
    const int blockCols = geometry.nodesPerRow - 1;
    std::vector<std::int16_t> nodes(static_cast<std::size_t>(TileRows) * cols);
    for (int row = 0; row < TileRows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const int blockRow = std::min(row / 100, BlocksPerSide - 1);
            const int blockCol = std::min(col / blockCols, BlocksPerSide - 1);
            const int iLat = row - blockRow * 100;
            const int iLon = col - blockCol * blockCols;
            const std::size_t offset =
                static_cast<std::size_t>(blockRow * BlocksPerSide + blockCol) * geometry.recordBytes
                + 2 * static_cast<std::size_t>(iLat * geometry.nodesPerRow + iLon);
            nodes[static_cast<std::size_t>(row) * cols + col] =
                static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
        }
    }
    return nodes;
}

std::int16_t StoredNode(const std::string& dataRoot, const TileId& tile, int row, int col)
{
    return StoredNodes(dataRoot, tile)[static_cast<std::size_t>(row) * TileCols(KindOf(tile)) + col];
}

} // namespace marn::import::test
