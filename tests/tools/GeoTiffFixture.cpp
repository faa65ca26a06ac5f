#include "GeoTiffFixture.h"

#include "tools/NodeGrid.h"

#include <gdal.h>
#include <ogr_srs_api.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace marn::import::test {

RasterSpec AlignedRaster(int southLatSec, int westLonSec, int stepSec, int width, int height, double value)
{
    RasterSpec spec;
    spec.stepX = stepSec / 3600.0;
    spec.stepY = stepSec / 3600.0;
    spec.west = (westLonSec - stepSec / 2.0) / 3600.0;
    spec.north = (southLatSec + (height - 1) * stepSec + stepSec / 2.0) / 3600.0;
    spec.width = width;
    spec.height = height;
    spec.values.assign(static_cast<std::size_t>(width) * height, value);
    return spec;
}

void WriteGeoTiff(const std::string& path, const RasterSpec& spec)
{
    GDALAllRegister();
    GDALDatasetH dataset =
        GDALCreate(GDALGetDriverByName("GTiff"), path.c_str(), spec.width, spec.height, 1, GDT_Float32, nullptr);
    if (dataset == nullptr)
        throw std::runtime_error("cannot create " + path);
    double geoTransform[6] = {spec.west, spec.stepX, 0.0, spec.north, 0.0, -spec.stepY};
    GDALSetGeoTransform(dataset, geoTransform);
    if (spec.epsg != 0) {
        OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
        OSRImportFromEPSG(srs, spec.epsg);
        GDALSetSpatialRef(dataset, srs);
        OSRDestroySpatialReference(srs);
    }
    GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
    if (spec.noData)
        GDALSetRasterNoDataValue(band, *spec.noData);
    std::vector<double> values = spec.values;
    const CPLErr written = GDALRasterIO(
        band, GF_Write, 0, 0, spec.width, spec.height, values.data(), spec.width, spec.height, GDT_Float64, 0, 0);
    GDALClose(dataset);
    if (written != CE_None)
        throw std::runtime_error("cannot write " + path);
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
            const std::size_t offset = static_cast<std::size_t>(blockRow * BlocksPerSide + blockCol) *
                    geometry.recordBytes +
                2 * static_cast<std::size_t>(iLat * geometry.nodesPerRow + iLon);
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
