#pragma once
// Turning interpolated heights into the 16-bit values of a tile file.

#include <cstdint>
#include <optional>
#include <string>

namespace marn::import {

struct ConversionCounts {
    long long clampedHigh = 0; // above 32767, written as 32767
    long long clampedLow = 0;  // below -32768, written as -32768
    long long offNoData = 0;   // a real height of -9999, written as -9998

    long long total() const { return clampedHigh + clampedLow + offNoData; }
};

// NaN (no data) becomes NoData. Otherwise the height is rounded half up; with
// `seaLevel` negative heights become 0 first. Heights outside the 16-bit range
// are clamped, and a real height that would read as NoData becomes -9998; each
// such change is counted.
std::int16_t ToTileHeight(double height, bool seaLevel, ConversionCounts& counts);

// Metres per unit of a band's height unit as GDAL reports it ("m", "metre",
// "ft", "foot", "US survey foot", ...; case and surrounding blanks do not
// matter): 1 for metres and for an empty unit, 0.3048 for the international
// foot, 1200/3937 for the US survey foot; nullopt for any other unit.
std::optional<double> MetresPerUnit(const std::string& unit);

} // namespace marn::import
