#pragma once
// Georeferenced copies of a picture for GIS tools: the sampled heights and the
// coloured picture area as GeoTIFF files, one pixel per grid point, placed by
// ground control points in geographic WGS 84 coordinates (EPSG:4326). The grid
// points are no latitude/longitude rectangle (rows bend equatorward away from
// the middle meridian), so the files carry the positions themselves and a GIS
// warps them. Plain libtiff: writing one does not load GDAL.

#include "core/PictureGrid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace marn {

// A grid point's place in the raster (pixel and line of its pixel's centre,
// from the raster's top-left corner) and on the earth (degrees).
struct GroundControlPoint {
    double pixel = 0.0;
    double line = 0.0;
    double lon = 0.0;
    double lat = 0.0;
};

// Every `step`th sampled column and row from the first, plus the last ones.
std::vector<GroundControlPoint> GridControlPoints(const PictureGrid& s, int step = 32);

// The sampled heights: Int16, nodata -9999. "" when written, else the reason.
std::string WriteHeightGeoTiff(const std::string& path, const PictureGrid& s);

// The picture area's colours: `rgb` holds the sampled rows (north first) of
// red, green, blue bytes per grid point. "" when written, else the reason.
std::string WriteColourGeoTiff(const std::string& path, const PictureGrid& s, const std::vector<std::uint8_t>& rgb);

} // namespace marn
