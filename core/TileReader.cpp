#include "core/TileReader.h"

#include "core/BlockInterpolation.h"
#include "core/BlockRecord.h"
#include "core/TileLocation.h"

namespace marn {

namespace {

void CloseTile(TileReaderState& r)
{
    r.OpenFile.close();
    r.OpenTileName.clear();
    r.OpenBlockNo = 0;
    r.TileFileNo = 0;
}

std::int16_t OpenTile(const DataLocation& data, TileReaderState& r, const std::string& path, TileKind kind)
{
    r.TileFileNo = 1; // the only file the reader ever has open
    const std::int16_t opened = OpenTileFile(r.OpenFile, path, data.ProgramDir, kind);
    if (opened != ReadOk) {
        CloseTile(r);
        return opened;
    }
    r.OpenTileName = path;
    return ReadOk;
}

std::int16_t ReadBlock(TileReaderState& r, TileKind kind, std::int16_t blockNo)
{
    std::int16_t* nodes = kind == TileKind::Kind3 ? r.BlockBuf3.data() : r.BlockBuf6.data();
    if (!ReadBlockRecord(r.OpenFile, kind, blockNo, nodes)) {
        r.OpenBlockNo = 0;
        return ErrBlockRead;
    }
    ++r.BlockReads;
    r.OpenBlockNo = blockNo;
    return ReadOk;
}

// Makes the block of the point the buffered one, opening its file if needed.
std::int16_t BringBlock(const DataLocation& data, TileReaderState& r, const std::string& path, const TileLocation& at)
{
    if (r.OpenTileName == path && r.OpenBlockNo == at.blockNo)
        return ReadOk;
    if (r.OpenTileName != path) {
        CloseTile(r);
        const std::int16_t opened = OpenTile(data, r, path, at.name.kind);
        if (opened != ReadOk)
            return opened;
    }
    return ReadBlock(r, at.name.kind, at.blockNo);
}

} // namespace

void ReadTileHeight(const DataLocation& data, TileReaderState& reader, double lat, double& lon, std::int16_t& height,
    std::int16_t& errorValue)
{
    height = 0;
    reader.FailedTileName.clear();
    TileLocation at;
    errorValue = LocatePoint(!DataPrefix(data.DataDrive).empty(), lat, lon, at);
    if (errorValue != ReadOk)
        return;
    const std::string path = LogicalTilePath(data.DataDrive, at.name);
    errorValue = BringBlock(data, reader, path, at);
    if (errorValue == ReadOk) {
        const std::int16_t* block = at.name.kind == TileKind::Kind3 ? reader.BlockBuf3.data() : reader.BlockBuf6.data();
        errorValue = InterpolateInBlock(block, at, height);
    }
    if (errorValue != ReadOk && !IsNoDataHere(errorValue))
        reader.FailedTileName = path;
}

} // namespace marn
