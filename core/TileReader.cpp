#include "core/TileReader.h"

#include "core/BlockInterpolation.h"
#include "core/NativePath.h"
#include "core/TileLocation.h"

#include <array>

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
    const std::int16_t* block = at.name.kind == TileKind::Kind3 ? s.Reader.BlockBuf3.data() : s.Reader.BlockBuf6.data();
    errorValue = InterpolateInBlock(block, at, height);
}

} // namespace marn
