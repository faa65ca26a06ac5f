#include "core/TileBlockStore.h"

#include "core/BlockRecord.h"
#include "core/TilePath.h"
#include "core/TileReadErrors.h"
#include "core/ZeroedMemory.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace marn {

namespace {

// Values of one record, and of a block row of the larger kind.
std::size_t RecordValues(TileKind kind)
{
    return static_cast<std::size_t>(GeometryOf(kind).recordBytes / 2);
}
constexpr std::size_t BlockRowValues = static_cast<std::size_t>(BlocksPerSide) * (Kind3Geometry.recordBytes / 2);
// Block row buffers come eight at a time in one 2 MB chunk (one huge page).
constexpr std::size_t BuffersPerChunk = 8;
constexpr std::size_t ChunkBytes = std::size_t{2} << 20;
static_assert(BuffersPerChunk * BlockRowValues * sizeof(std::int16_t) <= ChunkBytes);

std::int64_t BlockRowBytes(TileKind kind)
{
    return static_cast<std::int64_t>(BlocksPerSide) * GeometryOf(kind).recordBytes;
}

} // namespace

std::uint32_t TileKeyOf(const TileName& name)
{
    std::uint32_t key = name.latHemisphere == 'S' ? 1U : 0U;
    key = key * 128 + static_cast<std::uint32_t>(name.latDegrees);
    key = key * 2 + (name.lonHemisphere == 'W' ? 1U : 0U);
    key = key * 256 + static_cast<std::uint32_t>(name.lonDegrees);
    return key * 2 + (name.kind == TileKind::Kind6 ? 1U : 0U);
}

std::uint64_t BlockRowKeyOf(std::uint32_t tileKey, int blockRow)
{
    return (static_cast<std::uint64_t>(tileKey) << 4) | static_cast<std::uint64_t>(blockRow);
}

const std::int16_t* TileBlockStore::BlockRow::wholeBlock(int col, TileKind kind) const
{
    if (!whole_)
        return nullptr;
    return nodes_ + static_cast<std::size_t>(col - 1) * RecordValues(kind);
}

TileBlockStore::TileBlockStore(std::string dataDrive, std::string programDir)
    : dataDrive_(std::move(dataDrive)), programDir_(std::move(programDir)), hasDrive_(!DataPrefix(dataDrive_).empty())
{
}

TileBlockStore::~TileBlockStore()
{
    for (void* chunk : chunks_)
        FreeZeroed(chunk, ChunkBytes);
}

std::int16_t TileBlockStore::blockRow(
    const TileLocation& at, std::uint32_t tileKey, int gridRow, const BlockRow*& row, bool waitForOthers)
{
    const std::uint64_t key = BlockRowKeyOf(tileKey, at.blockRow);
    std::unique_lock lock(mutex_);
    const auto held = blockRows_.find(key);
    if (held != blockRows_.end()) {
        BlockRow& found = held->second;
        found.lastGridRow_ = std::max(found.lastGridRow_, gridRow);
        if (!found.ready_ && !waitForOthers) {
            row = nullptr;
            return ReadOk;
        }
        readDone_.wait(lock, [&found] { return found.ready_; });
        row = &found;
        return ReadOk;
    }
    if (missing_.count(tileKey) != 0)
        return ErrTileNotOpened;
    std::int16_t error = ReadOk;
    Tile* tile = openTile(tileKey, at.name, error);
    if (tile == nullptr)
        return error;

    // Read without holding the lock: other threads go on with the block rows
    // they have, and wait for this one only when they need it too. Neither the
    // block row nor its tile goes away before grid row gridRow is finished.
    std::int16_t* buffer = takeBuffer();
    BlockRow& fresh = blockRows_[key];
    fresh.tileKey_ = tileKey;
    fresh.lastGridRow_ = gridRow;
    fresh.nodes_ = buffer;
    ++tile->heldRows;
    lock.unlock();
    const bool whole = ReadBlockRowRecords(
        tile->file, at.name.kind, at.blockRow, fresh.nodes_, [&] { announceNextSouth(at, tile->file); });
    lock.lock();
    fresh.whole_ = whole;
    if (whole) {
        ++reads_;
        fresh.present_.fill(true);
    }
    fresh.ready_ = true;
    readDone_.notify_all();
    row = &fresh;
    return ReadOk;
}

std::int16_t TileBlockStore::blockNodes(const BlockRow& row, const TileLocation& at, const std::int16_t*& nodes)
{
    const std::size_t column = static_cast<std::size_t>(at.blockCol - 1);
    std::int16_t* block = row.nodes_ + column * RecordValues(at.name.kind);
    if (row.whole_) {
        nodes = block;
        return ReadOk;
    }
    const std::lock_guard lock(mutex_);
    if (!row.present_[column]) {
        if (!ReadBlockRecord(tiles_.at(row.tileKey_).file, at.name.kind, at.blockNo, block))
            return ErrBlockRead;
        ++reads_;
        row.present_[column] = true;
    }
    nodes = block;
    return ReadOk;
}

void TileBlockStore::rowsFinished(int gridRow)
{
    const std::lock_guard lock(mutex_);
    if (gridRow <= finishedRows_)
        return;
    finishedRows_ = gridRow;
    for (auto held = blockRows_.begin(); held != blockRows_.end();) {
        BlockRow& row = held->second;
        if (!row.ready_ || row.lastGridRow_ >= gridRow) {
            ++held;
            continue;
        }
        spareBuffers_.push_back(row.nodes_);
        const auto tile = tiles_.find(row.tileKey_);
        if (--tile->second.heldRows == 0)
            tiles_.erase(tile);
        held = blockRows_.erase(held);
    }
}

std::uint64_t TileBlockStore::reads() const
{
    const std::lock_guard lock(mutex_);
    return reads_;
}

TileBlockStore::Tile* TileBlockStore::openTile(std::uint32_t tileKey, const TileName& name, std::int16_t& error)
{
    const auto open = tiles_.find(tileKey);
    if (open != tiles_.end())
        return &open->second;
    Tile fresh;
    error = OpenTileFile(fresh.file, LogicalTilePath(dataDrive_, name), programDir_, name.kind);
    if (error == ErrTileNotOpened)
        missing_.insert(tileKey);
    if (error != ReadOk)
        return nullptr;
    return &tiles_.emplace(tileKey, std::move(fresh)).first->second;
}

void TileBlockStore::announceNextSouth(const TileLocation& at, const TileFile& file) const
{
    if (at.blockRow > 1) {
        const TileKind kind = at.name.kind;
        file.willNeed((at.blockRow - 2) * BlockRowBytes(kind), BlockRowBytes(kind));
        return;
    }
    const int southLat = CornerLatOf(at.name) - 1;
    if (southLat < -90)
        return;
    // The northern block row of the tile to the south; a tile that is not
    // there is left to the sampling to find.
    const TileLocation south = LocateTile(southLat + 0.99, CornerLonOf(at.name) + 0.5);
    try {
        TileFile next;
        if (OpenTileFile(next, LogicalTilePath(dataDrive_, south.name), programDir_, south.name.kind) == ReadOk)
            next.willNeed((south.blockRow - 1) * BlockRowBytes(south.name.kind), BlockRowBytes(south.name.kind));
    } catch (const std::exception&) {
        // Only a hint: the block row being read, which other threads may wait for, comes first.
    }
}

std::int16_t* TileBlockStore::takeBuffer()
{
    if (spareBuffers_.empty()) {
        chunks_.reserve(chunks_.size() + 1);
        spareBuffers_.reserve(BuffersPerChunk);
        auto* chunk = static_cast<std::int16_t*>(AllocateZeroed(ChunkBytes));
        chunks_.push_back(chunk);
        for (std::size_t k = BuffersPerChunk; k > 0; --k)
            spareBuffers_.push_back(chunk + (k - 1) * BlockRowValues);
    }
    std::int16_t* buffer = spareBuffers_.back();
    spareBuffers_.pop_back();
    return buffer;
}

} // namespace marn
