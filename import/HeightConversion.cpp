#include "import/HeightConversion.h"

#include "core/TileFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>

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

std::optional<double> MetresPerUnit(const std::string& unit)
{
    std::string name;
    for (const char c : unit)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto first = name.find_first_not_of(" \t");
    name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(" \t") - first + 1);
    const auto isOneOf = [&name](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(), [&name](const char* n) { return name == n; });
    };
    if (isOneOf({"", "m", "metre", "metres", "meter", "meters"}))
        return 1.0;
    if (isOneOf({"ft", "foot", "feet", "international foot", "international feet"}))
        return 0.3048;
    if (isOneOf({"us survey foot", "us survey feet", "us-ft", "ftus", "us_survey_foot", "foot_us", "us foot"}))
        return 1200.0 / 3937.0;
    return std::nullopt;
}

} // namespace marn::import
