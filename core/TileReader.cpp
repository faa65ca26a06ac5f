#include "core/TileReader.h"

#include "core/NativePath.h"
#include "core/TileLocation.h"

#include <array>
#include <cmath>
#include <limits>

namespace marn {

namespace {

void CloseTile(TileReaderState& r)
{
    r.OpenFile.close();
    r.OpenTileName.clear();
    r.OpenBlockNo = 0;
    r.TileFileNo = 0;
}

std::int16_t OpenTile(SharedState& s, const std::string& path, const TileGeometry& geometry)
{
    TileReaderState& r = s.Reader;
    r.TileFileNo = 1; // the only file the reader ever has open
    if (!r.OpenFile.open(NativePath(path, s.ProgramDir))) {
        CloseTile(r);
        return ErrTileNotOpened;
    }
    if (r.OpenFile.length() != geometry.fileBytes) {
        CloseTile(r);
        return ErrFileLength;
    }
    r.OpenTileName = path;
    return ReadOk;
}

template <std::size_t N>
void DecodeLittleEndian(const std::uint8_t* bytes, std::array<std::int16_t, N>& values)
{
    for (std::size_t n = 0; n < N; ++n) {
        const auto word = static_cast<std::uint16_t>(bytes[2 * n] | (bytes[2 * n + 1] << 8));
        values[n] = static_cast<std::int16_t>(word);
    }
}

std::int16_t ReadBlock(TileReaderState& r, TileKind kind, std::int16_t blockNo)
{
    const TileGeometry& geometry = GeometryOf(kind);
    std::array<std::uint8_t, Kind3Geometry.recordBytes> bytes;
    const std::int64_t offset = static_cast<std::int64_t>(blockNo - 1) * geometry.recordBytes;
    if (!r.OpenFile.readAt(offset, bytes.data(), static_cast<std::size_t>(geometry.recordBytes))) {
        r.OpenBlockNo = 0;
        return ErrBlockRead;
    }
    if (kind == TileKind::Kind3)
        DecodeLittleEndian(bytes.data(), r.BlockBuf3);
    else
        DecodeLittleEndian(bytes.data(), r.BlockBuf6);
    ++r.BlockReads;
    r.OpenBlockNo = blockNo;
    return ReadOk;
}

// Makes the block of the point the buffered one, opening its file if needed.
std::int16_t BringBlock(SharedState& s, const std::string& path, const TileLocation& at)
{
    TileReaderState& r = s.Reader;
    if (r.OpenTileName == path && r.OpenBlockNo == at.blockNo)
        return ReadOk;
    if (r.OpenTileName != path) {
        CloseTile(r);
        const std::int16_t opened = OpenTile(s, path, GeometryOf(at.name.kind));
        if (opened != ReadOk)
            return opened;
    }
    return ReadBlock(r, at.name.kind, at.blockNo);
}

bool FitsInt16(double value)
{
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// Bilinear interpolation in the buffered block.
std::int16_t Interpolate(const TileReaderState& r, const TileLocation& at, std::int16_t& height)
{
    const TileKind kind = at.name.kind;
    const TileGeometry& geometry = GeometryOf(kind);
    const int lonStep = geometry.lonStepSec;
    const int nodes = geometry.nodesPerRow;
    const int lastNode = nodes - 1;
    int iLon = (at.secLon - (at.blockCol - 1) * BlockSeconds) / lonStep;
    int iLat = (at.secLat - (at.blockRow - 1) * BlockSeconds) / LatStepSec;
    if (iLon == lastNode)
        iLon = lastNode - 1;
    if (iLat == RowsPerBlock - 1)
        iLat = RowsPerBlock - 2;

    const std::int16_t* block = kind == TileKind::Kind3 ? r.BlockBuf3.data() : r.BlockBuf6.data();
    auto node = [&](int lonIndex, int latIndex) { return block[latIndex * nodes + lonIndex]; };
    const std::int16_t h00 = node(iLon, iLat);
    const std::int16_t h10 = node(iLon + 1, iLat);
    const std::int16_t h01 = node(iLon, iLat + 1);
    const std::int16_t h11 = node(iLon + 1, iLat + 1);
    if (h00 == NoData || h10 == NoData || h01 == NoData || h11 == NoData)
        return ErrNoDataNode;

    const double nodeLon = static_cast<double>((at.blockCol - 1) * BlockSeconds + iLon * lonStep) / 3600;
    const double nodeLat = static_cast<double>((at.blockRow - 1) * BlockSeconds + iLat * LatStepSec) / 3600;
    const double tLon = (at.fracLon - nodeLon) * 3600 / lonStep;
    const double tLat = (at.fracLat - nodeLat) * 3600 / LatStepSec;

    // The differences are 16-bit integers: one that does not fit is an overflow.
    const int southDiff = h10 - h00;
    const int northDiff = h11 - h01;
    if (!FitsInt16(southDiff) || !FitsInt16(northDiff))
        return ErrReader;
    const float a = static_cast<float>(southDiff * tLon + h00);
    const float b = static_cast<float>(northDiff * tLon + h01);
    const double value = std::floor((static_cast<double>(b) - static_cast<double>(a)) * tLat + static_cast<double>(a) + 0.5);
    if (!FitsInt16(value))
        return ErrReader;
    height = static_cast<std::int16_t>(value);
    return ReadOk;
}

} // namespace

void ReadTileHeight(SharedState& s, double lat, double& lon, std::int16_t& height, std::int16_t& errorValue)
{
    height = 0;
    errorValue = ReadOk;
    if (DataPrefix(s.DataDrive).empty()) {
        errorValue = ErrNoDataDrive;
        return;
    }
    if (!(lat >= -90.0 && lat <= 90.0)) {
        errorValue = ErrLatitude;
        return;
    }
    if (!NormaliseLongitude(lon)) {
        errorValue = ErrReader;
        return;
    }
    const TileLocation at = LocateTile(lat, lon);
    const std::string path = LogicalTilePath(s.DataDrive, at.name);
    errorValue = BringBlock(s, path, at);
    if (errorValue != ReadOk)
        return;
    errorValue = Interpolate(s.Reader, at, height);
}

} // namespace marn
