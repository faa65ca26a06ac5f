#include "core/TileBlockCache.h"

#include "core/BlockInterpolation.h"
#include "core/BlockRecord.h"
#include "core/TilePath.h"
#include "core/TileReadErrors.h"

#include <utility>

namespace marn {

namespace {

// Every field of a tile's name packed into one number.
std::uint32_t TileKeyOf(const TileName& name)
{
    std::uint32_t key = name.latHemisphere == 'S' ? 1U : 0U;
    key = key * 128 + static_cast<std::uint32_t>(name.latDegrees);
    key = key * 2 + (name.lonHemisphere == 'W' ? 1U : 0U);
    key = key * 256 + static_cast<std::uint32_t>(name.lonDegrees);
    return key * 2 + (name.kind == TileKind::Kind6 ? 1U : 0U);
}

// Block keys are never 0: block numbers start at 1.
std::uint64_t BlockKeyOf(std::uint32_t tileKey, std::int16_t blockNo)
{
    return (static_cast<std::uint64_t>(tileKey) << 8) | static_cast<std::uint64_t>(blockNo);
}

std::uint64_t BlockRowKeyOf(std::uint32_t tileKey, int blockRow)
{
    return (static_cast<std::uint64_t>(tileKey) << 4) | static_cast<std::uint64_t>(blockRow);
}

// Values of one record and of a block row of the larger kind.
std::size_t RecordValues(TileKind kind)
{
    return static_cast<std::size_t>(GeometryOf(kind).recordBytes / 2);
}
constexpr std::size_t BlockRowValues = static_cast<std::size_t>(BlocksPerSide) * (Kind3Geometry.recordBytes / 2);

} // namespace

TileBlockCache::TileBlockCache(std::string dataDrive, std::string programDir)
    : dataDrive_(std::move(dataDrive)), programDir_(std::move(programDir)), hasDrive_(!DataPrefix(dataDrive_).empty())
{
}

std::int16_t TileBlockCache::heightAt(double lat, double lon, std::int16_t& height)
{
    TileLocation at;
    const std::int16_t located = locate(lat, lon, at);
    if (located != ReadOk) {
        height = 0;
        return located;
    }
    return heightAt(at, height);
}

std::int16_t TileBlockCache::locate(double lat, double lon, TileLocation& at) const
{
    return LocatePoint(hasDrive_, lat, lon, at);
}

std::int16_t TileBlockCache::heightAt(const TileLocation& at, std::int16_t& height)
{
    height = 0;
    const std::int16_t* nodes = nullptr;
    const std::int16_t found = findBlock(at, nodes);
    if (found != ReadOk)
        return found;
    return InterpolateInBlock(nodes, at, height);
}

void TileBlockCache::prefetch(const TileLocation& at)
{
    const BlockRow* row = heldBlockRow(BlockRowKeyOf(TileKeyOf(at.name), at.blockRow));
    if (row == nullptr)
        return;
    const int nodes = GeometryOf(at.name.kind).nodesPerRow;
    const auto column = static_cast<std::size_t>(at.blockCol - 1);
    const NodeIndex node = SouthWestNode(at);
    const std::int16_t* south =
        row->nodes.get() + column * RecordValues(at.name.kind) + static_cast<std::size_t>(node.lat * nodes + node.lon);
    __builtin_prefetch(south);
    __builtin_prefetch(south + nodes + 1);
}

TileBlockCache::BlockRow* TileBlockCache::heldBlockRow(std::uint64_t rowKey)
{
    if (rowKey == lastRowKey_)
        return lastRow_;
    const auto held = blockRows_.find(rowKey);
    if (held == blockRows_.end())
        return nullptr;
    lastRowKey_ = rowKey;
    lastRow_ = &held->second;
    return lastRow_;
}

void TileBlockCache::endRow()
{
    for (auto row = blockRows_.begin(); row != blockRows_.end();) {
        if (row->second.used) {
            row->second.used = false;
            ++row;
            continue;
        }
        spareBuffers_.push_back(std::move(row->second.nodes));
        row = blockRows_.erase(row);
    }
    std::erase_if(tiles_, [](const auto& entry) { return !entry.second.used; });
    for (auto& entry : tiles_)
        entry.second.used = false;
    lastRowKey_ = 0;
    lastRow_ = nullptr;
    lastBlockKey_ = 0;
    lastNodes_ = nullptr;
}

std::int16_t TileBlockCache::findBlock(const TileLocation& at, const std::int16_t*& nodes)
{
    const std::uint32_t tileKey = TileKeyOf(at.name);
    const std::uint64_t blockKey = BlockKeyOf(tileKey, at.blockNo);
    if (blockKey == lastBlockKey_) {
        nodes = lastNodes_;
        return ReadOk;
    }
    if (tileKey == lastMissingTile_)
        return ErrTileNotOpened;
    const std::uint64_t rowKey = BlockRowKeyOf(tileKey, at.blockRow);
    BlockRow* held = heldBlockRow(rowKey);
    if (held == nullptr) {
        if (missing_.count(tileKey) != 0) {
            lastMissingTile_ = tileKey;
            return ErrTileNotOpened;
        }
        BlockRow fresh;
        const std::int16_t read = readBlockRow(tileKey, at, fresh);
        if (read != ReadOk)
            return read;
        held = &blockRows_.emplace(rowKey, std::move(fresh)).first->second;
        lastRowKey_ = rowKey;
        lastRow_ = held;
    }
    BlockRow& row = *held;
    row.used = true;
    row.tile->used = true;
    const auto column = static_cast<std::size_t>(at.blockCol - 1);
    std::int16_t* block = row.nodes.get() + column * RecordValues(at.name.kind);
    if (!row.present[column]) {
        if (!ReadBlockRecord(row.tile->file, at.name.kind, at.blockNo, block))
            return ErrBlockRead;
        ++reads_;
        row.present[column] = true;
    }
    lastBlockKey_ = blockKey;
    lastNodes_ = block;
    nodes = block;
    return ReadOk;
}

std::int16_t TileBlockCache::readBlockRow(std::uint32_t tileKey, const TileLocation& at, BlockRow& row)
{
    Tile* tile = nullptr;
    const std::int16_t opened = openTile(tileKey, at.name, tile);
    if (opened != ReadOk)
        return opened;
    row.tile = tile;
    row.nodes = takeBuffer();
    if (ReadBlockRowRecords(tile->file, at.name.kind, at.blockRow, row.nodes.get())) {
        ++reads_;
        row.present.fill(true);
    }
    return ReadOk;
}

std::int16_t TileBlockCache::openTile(std::uint32_t tileKey, const TileName& name, Tile*& tile)
{
    auto open = tiles_.find(tileKey);
    if (open != tiles_.end()) {
        open->second.used = true;
        tile = &open->second;
        return ReadOk;
    }
    Tile fresh;
    const std::int16_t opened = OpenTileFile(fresh.file, LogicalTilePath(dataDrive_, name), programDir_, name.kind);
    if (opened == ErrTileNotOpened) {
        missing_.insert(tileKey);
        lastMissingTile_ = tileKey;
    }
    if (opened != ReadOk)
        return opened;
    tile = &tiles_.emplace(tileKey, std::move(fresh)).first->second;
    return ReadOk;
}

TileBlockCache::Nodes TileBlockCache::takeBuffer()
{
    if (spareBuffers_.empty())
        return Nodes(new std::int16_t[BlockRowValues]);
    Nodes buffer = std::move(spareBuffers_.back());
    spareBuffers_.pop_back();
    return buffer;
}

} // namespace marn
