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

} // namespace

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
    const std::string lonField = name.lonHemisphere + Digits(name.lonDegrees, 3);
    return prefix + DataDirectoryName + "\\" + lonField + "\\" + lonField + name.latHemisphere
           + Digits(name.latDegrees, 2) + "." + GeometryOf(name.kind).nameDigit + "3E";
}

} // namespace marn
