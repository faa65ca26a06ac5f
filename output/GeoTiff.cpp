#include "output/GeoTiff.h"

#include "core/GridBounds.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>

// libgeotiff's headers name the GeoTIFF tags, keys and codes; the library
// itself is not linked (it loads PROJ, libcurl and more into every process
// that starts, which is slower by tens of milliseconds): the two tags written
// here are registered with libtiff below.
#include <geotiff/geokeys.h>
#include <geotiff/geovalues.h>
#include <geotiff/xtiffio.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

namespace marn {
namespace {

constexpr ttag_t GdalNoDataTag = 42113; // the nodata value as text, as GIS tools read it

TIFFExtendProc ParentExtender = nullptr;

void AddGeoTags(TIFF* tiff)
{
    static const TIFFFieldInfo fields[] = {
        {TIFFTAG_GEOTIEPOINTS, -1, -1, TIFF_DOUBLE, FIELD_CUSTOM, 1, 1, const_cast<char*>("GeoTiePoints")},
        {TIFFTAG_GEOKEYDIRECTORY, -1, -1, TIFF_SHORT, FIELD_CUSTOM, 1, 1, const_cast<char*>("GeoKeyDirectory")},
        {GdalNoDataTag, -1, -1, TIFF_ASCII, FIELD_CUSTOM, 1, 0, const_cast<char*>("GDALNoDataValue")},
    };
    TIFFMergeFieldInfo(tiff, fields, sizeof fields / sizeof fields[0]);
    if (ParentExtender != nullptr)
        ParentExtender(tiff);
}

// libtiff reports through a process-wide handler; the last message of this
// thread becomes the reason of a failed write.
thread_local std::string LastTiffError;

void KeepTiffError(const char* module, const char* format, va_list args)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    LastTiffError = module != nullptr && *module != '\0' ? std::string(module) + ": " + text : text;
}

void SetUpLibTiff()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ParentExtender = TIFFSetTagExtender(AddGeoTags);
        TIFFSetErrorHandler(KeepTiffError);
        TIFFSetWarningHandler(nullptr);
    });
}

struct RasterLayout {
    int cols = 0;
    int rows = 0;
    int samples = 1; // 1 height or 3 colour bytes per pixel
    int bitsPerSample = 16;
    bool signedSamples = true;
};

// Writes the georeferenced raster to a temporary file beside `path` and
// renames it into place, so a failure leaves an older file as it was.
std::string WriteGeoTiff(const std::string& path, const PictureGrid& s, const RasterLayout& layout,
    const std::function<const void*(int row)>& rowBytes, const char* noData)
{
    if (layout.cols < 1 || layout.rows < 1)
        return "there is no sampled grid to write";
    SetUpLibTiff();
    const std::filesystem::path target(path);
    std::string temporary = (target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path()).string()
                            + "/." + target.filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return std::strerror(errno);
    const mode_t mask = ::umask(0); // a new file as any other: read for all unless the umask says not
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);

    LastTiffError.clear();
    TIFF* tiff = TIFFOpen(temporary.c_str(), "w");
    if (tiff == nullptr) {
        ::unlink(temporary.c_str());
        return LastTiffError.empty() ? std::string(std::strerror(errno)) : LastTiffError;
    }
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(layout.cols));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(layout.rows));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(layout.samples));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(layout.bitsPerSample));
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT,
        static_cast<std::uint16_t>(layout.signedSamples ? SAMPLEFORMAT_INT : SAMPLEFORMAT_UINT));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC,
        static_cast<std::uint16_t>(layout.samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, static_cast<std::uint16_t>(PLANARCONFIG_CONTIG));
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, static_cast<std::uint16_t>(COMPRESSION_ADOBE_DEFLATE));
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, static_cast<std::uint16_t>(PREDICTOR_HORIZONTAL));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (noData != nullptr)
        TIFFSetField(tiff, GdalNoDataTag, noData);

    std::vector<double> tiepoints;
    for (const GroundControlPoint& p : GridControlPoints(s))
        tiepoints.insert(tiepoints.end(), {p.pixel, p.line, 0.0, p.lon, p.lat, 0.0});
    TIFFSetField(tiff, TIFFTAG_GEOTIEPOINTS, static_cast<std::uint32_t>(tiepoints.size()), tiepoints.data());
    // Key directory version 1.1.0 with four keys, each a SHORT held in place:
    // geographic coordinates, a pixel covers an area, WGS 84, in degrees.
    const std::uint16_t keys[] = {1, 1, 0, 4, GTModelTypeGeoKey, 0, 1, ModelTypeGeographic, GTRasterTypeGeoKey, 0, 1,
        RasterPixelIsArea, GeographicTypeGeoKey, 0, 1, GCS_WGS_84, GeogAngularUnitsGeoKey, 0, 1, Angular_Degree};
    TIFFSetField(tiff, TIFFTAG_GEOKEYDIRECTORY, static_cast<std::uint32_t>(sizeof keys / sizeof keys[0]), keys);

    // libtiff encodes a scanline in place (the predictor overwrites it), so
    // each row goes through a copy and the caller's data stay as they are.
    std::vector<std::uint8_t> scanline(
        static_cast<std::size_t>(layout.cols) * static_cast<std::size_t>(layout.samples * layout.bitsPerSample / 8));
    bool ok = true;
    for (int row = 0; row < layout.rows && ok; ++row) {
        std::memcpy(scanline.data(), rowBytes(row), scanline.size());
        ok = TIFFWriteScanline(tiff, scanline.data(), static_cast<std::uint32_t>(row), 0) == 1;
    }
    ok = ok && TIFFFlush(tiff) == 1;
    TIFFClose(tiff);
    std::error_code renamed;
    if (ok)
        std::filesystem::rename(temporary, target, renamed);
    if (!ok || renamed) {
        ::unlink(temporary.c_str());
        if (renamed)
            return renamed.message();
        return LastTiffError.empty() ? std::string("the file could not be written") : LastTiffError;
    }
    return {};
}

} // namespace

std::vector<GroundControlPoint> GridControlPoints(const PictureGrid& s, int step)
{
    const int cols = LastSampledColumn(s);
    const int rows = LastSampledRow(s);
    const auto indices = [step](int last) {
        std::vector<int> chosen;
        for (int k = 1; k <= last; k += step)
            chosen.push_back(k);
        if (!chosen.empty() && chosen.back() != last)
            chosen.push_back(last);
        return chosen;
    };
    std::vector<GroundControlPoint> points;
    for (const int j : indices(rows)) {
        for (const int i : indices(cols))
            points.push_back({i - 0.5, j - 0.5, s.GridCoords(1, i, j), s.GridCoords(0, i, j)});
    }
    return points;
}

std::string WriteHeightGeoTiff(const std::string& path, const PictureGrid& s)
{
    const RasterLayout layout{LastSampledColumn(s), LastSampledRow(s), 1, 16, true};
    return WriteGeoTiff(
        path, s, layout, [&s](int row) -> const void* { return s.GridHeights.row(row + 1) + 1; }, "-9999");
}

std::string WriteColourGeoTiff(const std::string& path, const PictureGrid& s, const std::vector<std::uint8_t>& rgb)
{
    const RasterLayout layout{LastSampledColumn(s), LastSampledRow(s), 3, 8, false};
    const std::size_t rowBytes = static_cast<std::size_t>(layout.cols) * 3;
    if (rgb.size() != rowBytes * static_cast<std::size_t>(std::max(layout.rows, 0)))
        return "the colour picture does not match the grid";
    return WriteGeoTiff(
        path, s, layout, [&](int row) -> const void* { return rgb.data() + rowBytes * static_cast<std::size_t>(row); },
        nullptr);
}

} // namespace marn
