#include "core/TilePath.h"

#include <cstdio>

namespace marn {

namespace {

// The number with leading zeros to the given width.
std::string Digits(int value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

constexpr int Turn = 360;

// The file name of the tile whose directory name is `dir`.
std::string FileNameIn(const std::string& dir, const TileName& name)
{
    return dir + name.latHemisphere + Digits(name.latDegrees, 2) + "." + GeometryOf(name.kind).nameDigit + "3E";
}

} // namespace

TileName TileNameOfCorner(int cornerLat, int cornerLon)
{
    TileName name;
    name.latHemisphere = cornerLat >= 0 ? 'N' : 'S';
    name.latDegrees = cornerLat >= 0 ? cornerLat : -cornerLat - 1;
    const int lon = (cornerLon % Turn + Turn) % Turn;
    name.lonHemisphere = lon < Turn / 2 ? 'E' : 'W';
    name.lonDegrees = lon < Turn / 2 ? lon : Turn - lon - 1;
    name.kind = KindForAbsLatitude(name.latDegrees);
    return name;
}

int CornerLatOf(const TileName& name)
{
    return name.latHemisphere == 'N' ? name.latDegrees : -name.latDegrees - 1;
}

int CornerLonOf(const TileName& name)
{
    return name.lonHemisphere == 'E' ? name.lonDegrees : Turn - name.lonDegrees - 1;
}

std::string TileDirName(const TileName& name)
{
    return name.lonHemisphere + Digits(name.lonDegrees, 3);
}

std::string TileFileName(const TileName& name)
{
    return FileNameIn(TileDirName(name), name);
}

std::string TileRelativePath(const TileName& name, char separator)
{
    const std::string dir = TileDirName(name);
    return DataDirectoryName + std::string(1, separator) + dir + separator + FileNameIn(dir, name);
}

std::string DataPrefix(const std::string& dataDrive)
{
    if (dataDrive.empty())
        return {};
    std::string prefix = dataDrive;
    if (prefix.size() == 1)
        prefix += ':';
    if (prefix.back() != '\\')
        prefix += '\\';
    return prefix;
}

std::string LogicalTilePath(const std::string& dataDrive, const TileName& name)
{
    const std::string prefix = DataPrefix(dataDrive);
    if (prefix.empty())
        return {};
    return prefix + TileRelativePath(name, '\\');
}

} // namespace marn
