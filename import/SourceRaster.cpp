#include "import/SourceRaster.h"

#include "import/GdalSession.h"
#include "import/HeightConversion.h"
#include "import/ImportError.h"
#include "import/WindowReduction.h"

#include <cpl_conv.h>
#include <cpl_string.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace marn::import {

namespace {

constexpr int EdgeSamples = 64;
constexpr double SecondsPerDegree = 3600.0;
constexpr double Missing = std::numeric_limits<double>::quiet_NaN();

// Why GDAL could not open a source: what the file system says about the path
// when it is a file name (no such file, permission denied), else GDAL's word.
// Names GDAL resolves itself (/vsizip/..., NETCDF:"f.nc":z) are left to GDAL.
std::string WhyNotOpened(const std::string& path)
{
    const std::string gdalMessage = LastGdalMessage("");
    struct stat info {};
    if (path.rfind("/vsi", 0) != 0 && ::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT && path.find(':') != std::string::npos && !gdalMessage.empty())
            return gdalMessage;
        return errno == ENOENT ? "no such file" : errno == EACCES ? "permission denied" : std::strerror(errno);
    }
    if (path.rfind("/vsi", 0) != 0 && ::access(path.c_str(), R_OK) != 0)
        return "permission denied";
    if (S_ISDIR(info.st_mode))
        return "a directory, not a raster GDAL can read";
    return "not a raster GDAL can read" + (gdalMessage.empty() ? std::string() : " (" + gdalMessage + ")");
}

GdalDataset OpenDataset(const std::string& path)
{
    CPLErrorReset();
    GdalDataset dataset(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (dataset == nullptr)
        throw ImportError("cannot read source " + path + ": " + WhyNotOpened(path));
    if (GDALGetRasterCount(dataset.get()) > 0)
        return dataset;
    // A container of several rasters (NetCDF, HDF): take its only one.
    char** subsets = GDALGetMetadata(dataset.get(), "SUBDATASETS");
    const char* first = CSLFetchNameValue(subsets, "SUBDATASET_1_NAME");
    const bool single = first != nullptr && CSLFetchNameValue(subsets, "SUBDATASET_2_NAME") == nullptr;
    const std::string name = first != nullptr ? first : "";
    dataset.reset();
    if (name.empty())
        throw ImportError("cannot read source " + path + ": it holds no raster band");
    if (!single)
        throw ImportError("cannot read source " + path + ": it holds several rasters; name one, for example " + name);
    return OpenDataset(name);
}

OGRSpatialReferenceH SourceSrs(GDALDatasetH dataset)
{
    OGRSpatialReferenceH srs = GDALGetSpatialRef(dataset);
    if (srs == nullptr && GDALGetGCPCount(dataset) > 0)
        srs = GDALGetGCPSpatialRef(dataset);
    return srs;
}

bool IsGeoreferenced(GDALDatasetH dataset)
{
    double geoTransform[6];
    return GDALGetGeoTransform(dataset, geoTransform) == CE_None || GDALGetGCPCount(dataset) > 0;
}

std::string Wgs84Wkt()
{
    const std::unique_ptr<void, decltype(&OSRDestroySpatialReference)> wgs84(
        OSRNewSpatialReference(nullptr), &OSRDestroySpatialReference);
    OSRSetWellKnownGeogCS(wgs84.get(), "WGS84");
    char* wkt = nullptr;
    OSRExportToWkt(wgs84.get(), &wkt);
    const std::unique_ptr<char, decltype(&VSIFree)> owned(wkt, &VSIFree);
    return owned != nullptr ? owned.get() : "";
}

double Overlap(double low1, double high1, double low2, double high2)
{
    return std::min(high1, high2) - std::max(low1, low2);
}

} // namespace

SourceRaster::SourceRaster(std::string path, GdalDataset dataset) : path_(std::move(path)), dataset_(std::move(dataset))
{
}

std::unique_ptr<SourceRaster> SourceRaster::Open(
    const std::string& path, const std::string& sourceCrs, long long maxWindowCells)
{
    std::unique_ptr<SourceRaster> source(new SourceRaster(path, OpenDataset(path)));
    source->maxWindowCells_ = maxWindowCells;
    GDALDatasetH dataset = source->dataset_.get();
    source->width_ = GDALGetRasterXSize(dataset);
    source->height_ = GDALGetRasterYSize(dataset);
    const char* unit = GDALGetRasterUnitType(GDALGetRasterBand(dataset, 1));
    const std::optional<double> metresPerUnit = MetresPerUnit(unit != nullptr ? unit : "");
    if (!metresPerUnit)
        throw ImportError("cannot import source " + path + ": its heights are in '" + unit
                          + "'; only metres and feet are understood");
    source->metresPerUnit_ = *metresPerUnit;
    if (!IsGeoreferenced(dataset))
        throw ImportError("cannot place source " + path + ": it has no georeferencing");
    const std::unique_ptr<void, decltype(&OSRDestroySpatialReference)> given(
        sourceCrs.empty() ? nullptr : OSRNewSpatialReference(nullptr), &OSRDestroySpatialReference);
    if (given != nullptr && OSRSetFromUserInput(given.get(), sourceCrs.c_str()) != OGRERR_NONE)
        throw ImportError("--source-crs '" + sourceCrs + "' is not a coordinate system GDAL knows");
    OGRSpatialReferenceH srs = given != nullptr ? given.get() : SourceSrs(dataset);
    if (srs == nullptr || (OSRIsGeographic(srs) == 0 && OSRIsProjected(srs) == 0))
        throw ImportError("cannot place source " + path
                          + ": its coordinate system is unknown (give one with --source-crs, e.g. EPSG:4326)");
    source->geographic_ = OSRIsGeographic(srs) != 0;
    double geoTransform[6];
    source->boundsExact_ =
        source->geographic_ && GDALGetGCPCount(dataset) == 0 && GDALGetGeoTransform(dataset, geoTransform) == CE_None;

    const std::string dstSrs = "DST_SRS=" + Wgs84Wkt();
    std::string srcSrs;
    if (given != nullptr) {
        char* wkt = nullptr;
        OSRExportToWkt(given.get(), &wkt);
        srcSrs = std::string("SRC_SRS=") + (wkt != nullptr ? wkt : "");
        VSIFree(wkt);
    }
    const char* options[] = {dstSrs.c_str(), srcSrs.empty() ? nullptr : srcSrs.c_str(), nullptr};
    CPLErrorReset();
    source->transformer_.reset(GDALCreateGenImgProjTransformer2(dataset, nullptr, const_cast<char**>(options)));
    if (source->transformer_ == nullptr)
        throw ImportError("cannot place source " + path + ": "
                          + LastGdalMessage("its coordinate system cannot be turned into WGS 84"));
    source->ComputeBounds();
    return source;
}

void SourceRaster::ComputeBounds()
{
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i <= EdgeSamples; ++i) {
        const double fx = width_ * static_cast<double>(i) / EdgeSamples;
        const double fy = height_ * static_cast<double>(i) / EdgeSamples;
        x.insert(x.end(), {fx, fx, 0.0, static_cast<double>(width_)});
        y.insert(y.end(), {0.0, static_cast<double>(height_), fy, fy});
    }
    std::vector<double> z(x.size(), 0.0);
    std::vector<int> ok(x.size(), 0);
    GDALGenImgProjTransform(
        transformer_.get(), FALSE, static_cast<int>(x.size()), x.data(), y.data(), z.data(), ok.data());
    std::vector<std::pair<double, double>> edge;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (ok[i] && std::isfinite(x[i]) && std::isfinite(y[i]))
            edge.emplace_back(x[i], y[i]);
    }
    if (edge.empty())
        throw ImportError("cannot place source " + path_ + ": none of it lies on the earth");
    // A projected source across the 180th meridian: its edges come out as
    // longitudes near +180 and near -180; continue them beyond +180 instead.
    const auto [lowest, highest] = std::minmax_element(edge.begin(), edge.end());
    const bool unwrap = !geographic_ && highest->first - lowest->first > 180.0;
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    bounds_ = {Infinity, Infinity, -Infinity, -Infinity};
    for (auto [lon, lat] : edge) {
        lon += unwrap && lon < 0 ? 360.0 : 0.0;
        bounds_ = {std::min(bounds_.west, lon), std::min(bounds_.south, lat), std::max(bounds_.east, lon),
            std::max(bounds_.north, lat)};
    }
}

double SourceRaster::LongitudeShift(double west, double east) const
{
    double best = 0.0;
    for (const double shift : {360.0, -360.0}) {
        if (Overlap(west + shift, east + shift, bounds_.west, bounds_.east)
            > Overlap(west + best, east + best, bounds_.west, bounds_.east))
            best = shift;
    }
    return best;
}

CellWindow SourceRaster::ReadWindow(const CellRange& range, int factor) const
{
    GDALRasterBandH band = GDALGetRasterBand(dataset_.get(), 1);
    const int width = range.col1 - range.col0 + 1;
    const int height = range.row1 - range.row0 + 1;
    CellWindow window{ReducedCells(width, factor), ReducedCells(height, factor), {}};
    window.values.resize(static_cast<std::size_t>(window.width) * window.height);
    GDALRasterIOExtraArg extra;
    INIT_RASTERIO_EXTRA_ARG(extra);
    extra.eResampleAlg = GRIORA_Average;
    CPLErrorReset();
    if (GDALRasterIOEx(band, GF_Read, range.col0, range.row0, width, height, window.values.data(), window.width,
            window.height, GDT_Float64, 0, 0, &extra)
        != CE_None)
        throw ImportError("cannot read source " + path_ + ": " + LastGdalMessage("read failed"));
    if ((GDALGetMaskFlags(band) & GMF_ALL_VALID) == 0) {
        std::vector<unsigned char> mask(window.values.size());
        if (GDALRasterIO(GDALGetMaskBand(band), GF_Read, range.col0, range.row0, width, height, mask.data(),
                window.width, window.height, GDT_Byte, 0, 0)
            != CE_None)
            throw ImportError("cannot read source " + path_ + ": " + LastGdalMessage("read of its mask failed"));
        for (std::size_t i = 0; i < mask.size(); ++i) {
            if (mask[i] == 0)
                window.values[i] = Missing;
        }
    }
    int hasScale = 0;
    int hasOffset = 0;
    const double scale = GDALGetRasterScale(band, &hasScale);
    const double offset = GDALGetRasterOffset(band, &hasOffset);
    if (hasScale || hasOffset || metresPerUnit_ != 1.0) {
        const double factor = (hasScale ? scale : 1.0) * metresPerUnit_;
        const double shift = (hasOffset ? offset : 0.0) * metresPerUnit_;
        for (double& value : window.values)
            value = value * factor + shift;
    }
    return window;
}

SourceRaster::PixelPositions SourceRaster::PixelPositionsOf(const NodeGridSpec& desc, double lonShift) const
{
    PixelPositions positions;
    const std::size_t count = desc.size();
    positions.x.resize(count);
    positions.y.resize(count);
    for (int row = 0; row < desc.rows; ++row) {
        const double lat = desc.latOfRow(row);
        for (int col = 0; col < desc.cols; ++col) {
            const std::size_t i = static_cast<std::size_t>(row) * desc.cols + col;
            positions.x[i] = desc.lonOfCol(col) + lonShift;
            positions.y[i] = lat;
        }
    }
    std::vector<double> z(count, 0.0);
    positions.ok.assign(count, 0);
    GDALGenImgProjTransform(transformer_.get(), TRUE, static_cast<int>(count), positions.x.data(), positions.y.data(),
        z.data(), positions.ok.data());
    for (std::size_t i = 0; i < count; ++i)
        positions.ok[i] = positions.ok[i] && std::isfinite(positions.x[i]) && std::isfinite(positions.y[i]);
    return positions;
}

// The cells around all positions, clipped to the raster; empty when none lies on it.
SourceRaster::CellRange SourceRaster::CellsAround(const PixelPositions& positions) const
{
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -minX;
    double minY = minX;
    double maxY = -minX;
    for (std::size_t i = 0; i < positions.ok.size(); ++i) {
        if (!positions.ok[i])
            continue;
        minX = std::min(minX, positions.x[i]);
        maxX = std::max(maxX, positions.x[i]);
        minY = std::min(minY, positions.y[i]);
        maxY = std::max(maxY, positions.y[i]);
    }
    if (!(minX <= maxX))
        return {};
    // Cell centres lie at half-integer pixel positions.
    CellRange range;
    range.col0 = static_cast<int>(std::max(0.0, std::floor(minX - 0.5)));
    range.col1 = static_cast<int>(std::min(width_ - 1.0, std::floor(maxX - 0.5) + 1.0));
    range.row0 = static_cast<int>(std::max(0.0, std::floor(minY - 0.5)));
    range.row1 = static_cast<int>(std::min(height_ - 1.0, std::floor(maxY - 0.5) + 1.0));
    return range;
}

// The part of the grid within two nodes of the bounds; the whole grid unless
// the bounds are exact. A sub-grid keeps its nodes' positions: it only starts
// at a later first row and column.
NodeGridSpec SourceRaster::NodesNearBounds(const NodeGridSpec& desc, double lonShift) const
{
    if (!boundsExact_)
        return desc;
    const auto nodesFrom = [](double degrees, int originSec, int stepSec, int first) {
        return (degrees * SecondsPerDegree - originSec) / stepSec - first;
    };
    const auto clip = [](double index, int count) {
        return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(count)));
    };
    const int row0 =
        clip(std::floor(nodesFrom(bounds_.south, desc.originLatSec, LatStepSec, desc.firstRow)) - 2, desc.rows);
    const int row1 =
        clip(std::ceil(nodesFrom(bounds_.north, desc.originLatSec, LatStepSec, desc.firstRow)) + 3, desc.rows);
    const int col0 =
        clip(std::floor(nodesFrom(bounds_.west - lonShift, desc.originLonSec, desc.lonStepSec, desc.firstCol)) - 2,
            desc.cols);
    const int col1 =
        clip(std::ceil(nodesFrom(bounds_.east - lonShift, desc.originLonSec, desc.lonStepSec, desc.firstCol)) + 3,
            desc.cols);
    NodeGridSpec part = desc;
    part.firstRow += row0;
    part.firstCol += col0;
    part.rows = std::max(0, row1 - row0);
    part.cols = std::max(0, col1 - col0);
    return part;
}

void SourceRaster::SampleInto(const NodeGridSpec& whole, std::vector<double>& grid) const
{
    const double west = whole.lonOfCol(0);
    const double east = whole.lonOfCol(whole.cols - 1);
    const double shift = LongitudeShift(west, east);
    if (Overlap(west + shift, east + shift, bounds_.west, bounds_.east) < 0
        || Overlap(whole.latOfRow(0), whole.latOfRow(whole.rows - 1), bounds_.south, bounds_.north) < 0)
        return;
    const NodeGridSpec desc = NodesNearBounds(whole, shift);
    if (desc.size() == 0)
        return;

    const PixelPositions positions = PixelPositionsOf(desc, shift);
    CellRange range = CellsAround(positions);
    if (range.empty())
        return;
    const int factor = ReductionFactor(range.col1 - range.col0 + 1, range.row1 - range.row0 + 1, maxWindowCells_);
    if (factor > 1) {
        // One reduced cell more on every side keeps every node between reduced cell centres.
        const CellSpan cols = AlignToFactor(
            {std::max(0, range.col0 - factor), std::min(width_ - 1, range.col1 + factor)}, width_, factor);
        const CellSpan rows = AlignToFactor(
            {std::max(0, range.row0 - factor), std::min(height_ - 1, range.row1 + factor)}, height_, factor);
        range = {cols.first, cols.last, rows.first, rows.last};
    }
    const CellWindow window = ReadWindow(range, factor);
    const double cellsPerColumn = static_cast<double>(range.col1 - range.col0 + 1) / window.width;
    const double cellsPerRow = static_cast<double>(range.row1 - range.row0 + 1) / window.height;
    for (int row = 0; row < desc.rows; ++row) {
        const std::size_t gridRow = static_cast<std::size_t>(row + desc.firstRow - whole.firstRow) * whole.cols
                                    + (desc.firstCol - whole.firstCol);
        for (int col = 0; col < desc.cols; ++col) {
            const std::size_t i = static_cast<std::size_t>(row) * desc.cols + col;
            if (!positions.ok[i])
                continue;
            const double value = SampleBilinear(window, (positions.x[i] - range.col0) / cellsPerColumn - 0.5,
                (positions.y[i] - range.row0) / cellsPerRow - 0.5);
            if (!std::isnan(value))
                grid[gridRow + col] = value;
        }
    }
}

} // namespace marn::import
