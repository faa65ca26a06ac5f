#pragma once
// Tile blocks for the sampling of one picture. The blocks are read a block row
// at a time (the 12 blocks of a tile that share a latitude band lie one after
// another in the file, so they come with one read) and kept while the
// following rows of the grid still use them; tiles without a file are
// remembered as missing for the whole picture. Answers are those of
// ReadTileHeight bit for bit (the same location, the same bilinear step), but
// the reader's shared cache is left alone.

#include "core/SharedState.h"
#include "core/TileFile.h"
#include "core/TileLocation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace marn {

class TileBlockCache {
public:
    // dataDrive and programDir as in the shared state (DataDrive, ProgramDir).
    TileBlockCache(std::string dataDrive, std::string programDir);

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

    // Asks the processor to fetch the nodes around a located point whose
    // block is held already, so that a later heightAt finds them in its
    // cache; does nothing else.
    void prefetch(const TileLocation& at);

    // Forgets the block rows and closes the tiles that were not used since
    // the previous call. Called after each row of the grid.
    void endRow();

    // Reads from tile files so far: one per block row, or one per block where
    // a block row could not be read whole.
    std::uint64_t reads() const { return reads_; }

private:
    using Nodes = std::unique_ptr<std::int16_t[]>;
    static constexpr std::uint32_t NoTileKey = 0xFFFFFFFFU;
    // A tile stays open while a row of the grid uses one of its block rows.
    struct Tile {
        TileFile file;
        bool used = true;
    };
    // The 12 blocks of one block row of a tile, block column 1 first. When
    // the row cannot be read whole, its blocks are read one by one as they
    // are needed, so a block that cannot be read fails where the reader fails.
    struct BlockRow {
        Nodes nodes;
        Tile* tile = nullptr;
        std::array<bool, BlocksPerSide> present{};
        bool used = true;
    };

    std::int16_t findBlock(const TileLocation& at, const std::int16_t*& nodes);
    BlockRow* heldBlockRow(std::uint64_t rowKey);
    std::int16_t readBlockRow(std::uint32_t tileKey, const TileLocation& at, BlockRow& row);
    std::int16_t openTile(std::uint32_t tileKey, const TileName& name, Tile*& tile);
    Nodes takeBuffer();

    std::string dataDrive_;
    std::string programDir_;
    bool hasDrive_;
    std::unordered_map<std::uint64_t, BlockRow> blockRows_;
    std::unordered_map<std::uint32_t, Tile> tiles_;
    std::unordered_set<std::uint32_t> missing_;
    std::vector<Nodes> spareBuffers_;           // buffers of forgotten block rows, reused
    std::uint32_t lastMissingTile_ = NoTileKey; // the tile last found missing
    std::uint64_t lastRowKey_ = 0;              // block row keys are never 0
    BlockRow* lastRow_ = nullptr;
    std::uint64_t lastBlockKey_ = 0;
    const std::int16_t* lastNodes_ = nullptr;
    std::uint64_t reads_ = 0;
};

} // namespace marn
