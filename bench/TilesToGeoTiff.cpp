// marn_tiles_to_geotiff DATA_DRIVE OUT_DIR SOUTH WEST NORTH EAST
//
// Writes every tile of a data set that overlaps the box (degrees, longitudes
// -180..180) as a GeoTIFF of its nodes, so that GDAL's own tools can sample the
// same heights for a side-by-side timing (bench/whole-process.sh): 16-bit
// heights, NoData -9999, WGS 84 longitude/latitude, one pixel per node centred
// on it, the northern row first. Prints the files written, one per line.

#include "core/BlockRecord.h"
#include "core/TileFormat.h"
#include "core/TileLocation.h"
#include "core/TilePath.h"
#include "core/TileReadErrors.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace marn;

// The nodes of one tile, the northern row first, each row from west to east.
struct TileNodes {
    int cols = 0;
    int rows = 0;
    std::vector<std::int16_t> heights;
};

bool ReadTile(const TileFile& file, TileKind kind, TileNodes& tile)
{
    const TileGeometry& g = GeometryOf(kind);
    const int perBlock = g.nodesPerRow - 1;
    tile.cols = BlocksPerSide * perBlock + 1;
    tile.rows = BlocksPerSide * (RowsPerBlock - 1) + 1;
    tile.heights.assign(static_cast<std::size_t>(tile.cols) * static_cast<std::size_t>(tile.rows), NoData);
    std::vector<std::int16_t> block(static_cast<std::size_t>(g.recordBytes / 2));
    for (int blockNo = 1; blockNo <= BlockCount; ++blockNo) {
        if (!ReadBlockRecord(file, kind, static_cast<std::int16_t>(blockNo), block.data()))
            return false;
        const int blockRow = (blockNo - 1) / BlocksPerSide;
        const int blockCol = (blockNo - 1) % BlocksPerSide;
        for (int latRow = 0; latRow < RowsPerBlock; ++latRow) {
            const int fromNorth = tile.rows - 1 - (blockRow * (RowsPerBlock - 1) + latRow);
            for (int lonIndex = 0; lonIndex < g.nodesPerRow; ++lonIndex) {
                const int col = blockCol * perBlock + lonIndex;
                tile.heights[static_cast<std::size_t>(fromNorth) * static_cast<std::size_t>(tile.cols)
                             + static_cast<std::size_t>(col)] =
                    block[static_cast<std::size_t>(latRow * g.nodesPerRow + lonIndex)];
            }
        }
    }
    return true;
}

bool WriteGeoTiff(const std::string& path, const TileNodes& tile, int southLat, int westLon, const char* wkt)
{
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    GDALDatasetH out = GDALCreate(driver, path.c_str(), tile.cols, tile.rows, 1, GDT_Int16, nullptr);
    if (out == nullptr)
        return false;
    const double lonStep = 1.0 / (tile.cols - 1);
    const double latStep = 1.0 / (tile.rows - 1);
    double transform[6] = {westLon - lonStep / 2, lonStep, 0, southLat + 1 + latStep / 2, 0, -latStep};
    GDALSetGeoTransform(out, transform);
    GDALSetProjection(out, wkt);
    GDALRasterBandH band = GDALGetRasterBand(out, 1);
    GDALSetRasterNoDataValue(band, NoData);
    const CPLErr written = GDALRasterIO(band, GF_Write, 0, 0, tile.cols, tile.rows,
        const_cast<std::int16_t*>(tile.heights.data()), tile.cols, tile.rows, GDT_Int16, 0, 0);
    GDALClose(out);
    return written == CE_None;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s DATA_DRIVE OUT_DIR SOUTH WEST NORTH EAST\n", argv[0]);
        return 2;
    }
    const std::string dataDrive = argv[1];
    const std::string outDir = argv[2];
    const double box[4] = {std::atof(argv[3]), std::atof(argv[4]), std::atof(argv[5]), std::atof(argv[6])};
    GDALAllRegister();
    OGRSpatialReferenceH wgs84 = OSRNewSpatialReference(nullptr);
    OSRSetWellKnownGeogCS(wgs84, "WGS84");
    char* wkt = nullptr;
    OSRExportToWkt(wgs84, &wkt);

    int failures = 0;
    for (int lat = static_cast<int>(std::floor(box[0])); lat <= static_cast<int>(std::floor(box[2])); ++lat) {
        for (int lon = static_cast<int>(std::floor(box[1])); lon <= static_cast<int>(std::floor(box[3])); ++lon) {
            double normalised = lon + 0.5;
            NormaliseLongitude(normalised);
            const TileLocation at = LocateTile(lat + 0.5, normalised);
            TileFile file;
            if (OpenTileFile(file, LogicalTilePath(dataDrive, at.name), "", at.name.kind) != ReadOk)
                continue;
            TileNodes tile;
            char name[32];
            std::snprintf(name, sizeof name, "%c%02d%c%03d.tif", lat < 0 ? 'S' : 'N', std::abs(lat),
                lon < 0 ? 'W' : 'E', std::abs(lon));
            const std::string path = outDir + "/" + name;
            if (!ReadTile(file, at.name.kind, tile) || !WriteGeoTiff(path, tile, lat, lon, wkt)) {
                std::fprintf(stderr, "cannot convert the tile at %d, %d\n", lat, lon);
                ++failures;
                continue;
            }
            std::printf("%s\n", path.c_str());
        }
    }
    CPLFree(wkt);
    OSRDestroySpatialReference(wgs84);
    return failures == 0 ? 0 : 1;
}
