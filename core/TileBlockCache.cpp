#include "core/TileBlockCache.h"

#include "core/BlockInterpolation.h"
#include "core/TileReadErrors.h"

namespace marn {

namespace {

// Block keys are never 0: block numbers start at 1.
std::uint64_t BlockKeyOf(std::uint32_t tileKey, std::int16_t blockNo)
{
    return (static_cast<std::uint64_t>(tileKey) << 8) | static_cast<std::uint64_t>(blockNo);
}

} // namespace

TileBlockCache::TileBlockCache(TileBlockStore& store) : store_(store) {}

void TileBlockCache::startRow(int gridRow)
{
    gridRow_ = gridRow;
    met_.clear();
    lastRowKey_ = 0;
    lastRow_ = nullptr;
    lastBlockKey_ = 0;
    lastNodes_ = nullptr;
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
    return LocatePoint(store_.hasDataDrive(), lat, lon, at);
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
    const BlockRow* row = metBlockRow(BlockRowKeyOf(TileKeyOf(at.name), at.blockRow));
    const std::int16_t* block = row == nullptr ? nullptr : row->wholeBlock(at.blockCol, at.name.kind);
    if (block == nullptr)
        return;
    const int nodes = GeometryOf(at.name.kind).nodesPerRow;
    const NodeIndex node = SouthWestNode(at);
    const std::int16_t* south = block + node.lat * nodes + node.lon;
    __builtin_prefetch(south);
    __builtin_prefetch(south + nodes + 1);
}

void TileBlockCache::startReading(const TileLocation& at)
{
    const std::uint32_t tileKey = TileKeyOf(at.name);
    const std::uint64_t rowKey = BlockRowKeyOf(tileKey, at.blockRow);
    if (tileKey == lastMissingTile_ || metBlockRow(rowKey) != nullptr || missing_.count(tileKey) != 0)
        return;
    const BlockRow* row = nullptr;
    const std::int16_t found = store_.blockRow(at, tileKey, gridRow_, row, false);
    if (found == ErrTileNotOpened) {
        missing_.insert(tileKey);
        lastMissingTile_ = tileKey;
    }
    if (found == ReadOk && row != nullptr) {
        met_.emplace(rowKey, row);
        lastRowKey_ = rowKey;
        lastRow_ = row;
    }
}

const TileBlockCache::BlockRow* TileBlockCache::metBlockRow(std::uint64_t rowKey)
{
    if (rowKey == lastRowKey_)
        return lastRow_;
    const auto met = met_.find(rowKey);
    if (met == met_.end())
        return nullptr;
    lastRowKey_ = rowKey;
    lastRow_ = met->second;
    return lastRow_;
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
    const BlockRow* row = metBlockRow(rowKey);
    if (row == nullptr) {
        if (missing_.count(tileKey) != 0) {
            lastMissingTile_ = tileKey;
            return ErrTileNotOpened;
        }
        const std::int16_t found = store_.blockRow(at, tileKey, gridRow_, row);
        if (found == ErrTileNotOpened) {
            missing_.insert(tileKey);
            lastMissingTile_ = tileKey;
        }
        if (found != ReadOk)
            return found;
        met_.emplace(rowKey, row);
        lastRowKey_ = rowKey;
        lastRow_ = row;
    }
    const std::int16_t read = store_.blockNodes(*row, at, nodes);
    if (read != ReadOk)
        return read;
    lastBlockKey_ = blockKey;
    lastNodes_ = nodes;
    return ReadOk;
}

} // namespace marn
