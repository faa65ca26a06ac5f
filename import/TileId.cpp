#include "import/TileId.h"

#include <cstdio>

namespace marn::import {

int NameLatDegrees(const TileId& tile)
{
    return tile.latDeg >= 0 ? tile.latDeg : -tile.latDeg - 1;
}

int NameLonDegrees(const TileId& tile)
{
    return tile.lonDeg >= 0 ? tile.lonDeg : -tile.lonDeg - 1;
}

TileKind KindOf(const TileId& tile)
{
    return KindForAbsLatitude(NameLatDegrees(tile));
}

std::string TileDirName(const TileId& tile)
{
    char text[8];
    std::snprintf(text, sizeof text, "%c%03d", tile.lonDeg >= 0 ? 'E' : 'W', NameLonDegrees(tile));
    return text;
}

std::string TileFileName(const TileId& tile)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%c%02d.%c3E", TileDirName(tile).c_str(), tile.latDeg >= 0 ? 'N' : 'S',
        NameLatDegrees(tile), GeometryOf(KindOf(tile)).nameDigit);
    return text;
}

std::string TileRelativePath(const TileId& tile)
{
    return "MARN/" + TileDirName(tile) + "/" + TileFileName(tile);
}

} // namespace marn::import
