#include "import/HeightConversion.h"

#include "core/TileFormat.h"

#include <cmath>

namespace marn::import {

std::int16_t ToTileHeight(double height, bool seaLevel, ConversionCounts& counts)
{
    if (std::isnan(height))
        return NoData;
    if (seaLevel && height < 0.0)
        height = 0.0;
    const double rounded = std::floor(height + 0.5);
    if (rounded > 32767.0) {
        ++counts.clampedHigh;
        return 32767;
    }
    if (rounded < -32768.0) {
        ++counts.clampedLow;
        return -32768;
    }
    if (rounded == NoData) {
        ++counts.offNoData;
        return NoData + 1;
    }
    return static_cast<std::int16_t>(rounded);
}

} // namespace marn::import
