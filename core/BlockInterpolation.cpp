#include "core/BlockInterpolation.h"

#include "core/Single.h"
#include "core/TileFormat.h"
#include "core/TileReadErrors.h"

#include <array>
#include <cmath>
#include <limits>

namespace marn {

namespace {

// seconds / 3600 for every whole second of a tile, each the quotient the
// division gives (looked up: a division costs more than the load).
double DegreesOfSeconds(int seconds)
{
    static const auto table = [] {
        std::array<double, 3601> degrees{};
        for (std::size_t k = 0; k < degrees.size(); ++k)
            degrees[k] = static_cast<double>(k) / 3600;
        return degrees;
    }();
    return table[static_cast<std::size_t>(seconds)];
}

bool FitsInt16(double value)
{
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

NodeIndex SouthWestNode(const TileLocation& at)
{
    // The node pair iLon, iLon + 1 (and iLat, iLat + 1) always lies inside the
    // block: the last index only occurs on the tile's eastern or northern edge.
    // The spacings are written out, so that the divisions are by constants.
    const int lonSeconds = at.secLon - (at.blockCol - 1) * BlockSeconds;
    const bool kind3 = at.name.kind == TileKind::Kind3;
    int iLon = kind3 ? lonSeconds / Kind3Geometry.lonStepSec : lonSeconds / Kind6Geometry.lonStepSec;
    int iLat = (at.secLat - (at.blockRow - 1) * BlockSeconds) / LatStepSec;
    const int nodes = GeometryOf(at.name.kind).nodesPerRow;
    if (iLon == nodes - 1)
        iLon = nodes - 2;
    if (iLat == RowsPerBlock - 1)
        iLat = RowsPerBlock - 2;
    return {iLon, iLat};
}

std::int16_t InterpolateInBlock(const std::int16_t* block, const TileLocation& at, std::int16_t& height)
{
    const TileGeometry& geometry = GeometryOf(at.name.kind);
    const int lonStep = geometry.lonStepSec;
    const int nodes = geometry.nodesPerRow;
    const NodeIndex south = SouthWestNode(at);
    const int iLon = south.lon;
    const int iLat = south.lat;

    auto node = [&](int lonIndex, int latIndex) { return block[latIndex * nodes + lonIndex]; };
    const std::int16_t h00 = node(iLon, iLat);
    const std::int16_t h10 = node(iLon + 1, iLat);
    const std::int16_t h01 = node(iLon, iLat + 1);
    const std::int16_t h11 = node(iLon + 1, iLat + 1);
    if (h00 == NoData || h10 == NoData || h01 == NoData || h11 == NoData)
        return ErrNoDataNode;

    // Weights from the exact fractions, not from the rounded seconds.
    const double nodeLon = DegreesOfSeconds((at.blockCol - 1) * BlockSeconds + iLon * lonStep);
    const double nodeLat = DegreesOfSeconds((at.blockRow - 1) * BlockSeconds + iLat * LatStepSec);
    const double tLon = (at.fracLon - nodeLon) * 3600 / lonStep;
    const double tLat = (at.fracLat - nodeLat) * 3600 / LatStepSec;

    // The differences are 16-bit integers: one that does not fit is an overflow.
    const int southDiff = h10 - h00;
    const int northDiff = h11 - h01;
    if (!FitsInt16(southDiff) || !FitsInt16(northDiff))
        return ErrReader;
    const float a = Single(southDiff * tLon + h00);
    const float b = Single(northDiff * tLon + h01);
    const double value =
        std::floor((static_cast<double>(b) - static_cast<double>(a)) * tLat + static_cast<double>(a) + 0.5);
    if (!FitsInt16(value))
        return ErrReader;
    height = static_cast<std::int16_t>(value);
    return ReadOk;
}

} // namespace marn
