#pragma once
// One sampling thread's view of the tile blocks of a picture: answers are
// those of ReadTileHeight bit for bit (the same location, the same bilinear
// step), but the blocks come from a TileBlockStore shared with the other
// threads, and the reader's shared cache is left alone. The cache remembers
// the block rows the grid row being sampled has met, so that the store is
// asked once per block row and grid row.

#include "core/TileBlockStore.h"
#include "core/TileLocation.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace marn {

class TileBlockCache {
public:
    explicit TileBlockCache(TileBlockStore& store);

    // Starts grid row gridRow (1, 2, ... from north to south; the first row
    // is 1 without a call): the block rows met so far are forgotten here, and
    // the store keeps them only while a row asks for them.
    void startRow(int gridRow);

    // The height at (lat, lon) degrees with the error value ReadTileHeight
    // would give: 0, 36 (also for every later point of a tile found missing
    // once), 220, 300, 400, 500, 600 or 700. height is 0 unless it is 0.
    std::int16_t heightAt(double lat, double lon, std::int16_t& height);

    // heightAt in two steps, for callers that place a row of points before
    // reading them: locate gives the point's place in the data set, or the
    // error that ends the question before any file is looked at (600, 300,
    // 500); heightAt then reads the located point.
    std::int16_t locate(double lat, double lon, TileLocation& at) const;
    std::int16_t heightAt(const TileLocation& at, std::int16_t& height);

    // Has the store read the block row of a located point for this grid row
    // unless it holds it or another thread is reading it; does not wait, and
    // leaves every error to heightAt. Threads that call it for the points of
    // their row before reading them share the reading of new block rows
    // instead of waiting for each other.
    void startReading(const TileLocation& at);

    // Asks the processor to fetch the nodes around a located point whose
    // block row this grid row has met already, so that a later heightAt finds
    // them in its cache; does nothing else.
    void prefetch(const TileLocation& at);

private:
    using BlockRow = TileBlockStore::BlockRow;
    static constexpr std::uint32_t NoTileKey = 0xFFFFFFFFU;

    std::int16_t findBlock(const TileLocation& at, const std::int16_t*& nodes);
    const BlockRow* metBlockRow(std::uint64_t rowKey);

    TileBlockStore& store_;
    int gridRow_ = 1;
    std::unordered_map<std::uint64_t, const BlockRow*> met_; // block rows of this grid row
    std::unordered_set<std::uint32_t> missing_;              // tiles found missing
    std::uint32_t lastMissingTile_ = NoTileKey;
    std::uint64_t lastRowKey_ = 0; // block row keys are never 0
    const BlockRow* lastRow_ = nullptr;
    std::uint64_t lastBlockKey_ = 0;
    const std::int16_t* lastNodes_ = nullptr;
};

} // namespace marn
