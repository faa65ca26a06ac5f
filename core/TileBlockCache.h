#pragma once
// Tile blocks for the sampling of one picture. Each block a row of the grid
// needs is read from its tile file once and kept while the following rows
// still use it; tiles without a file are remembered as missing for the whole
// picture. Answers are those of ReadTileHeight bit for bit (the same location,
// the same bilinear step), but the reader's shared cache is left alone.

#include "core/SharedState.h"
#include "core/TileFile.h"
#include "core/TileLocation.h"

#include <cstdint>
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

    // Forgets the blocks and closes the tiles that were not used since the
    // previous call. Called after each row of the grid.
    void endRow();

    // Blocks read from tile files so far.
    std::uint64_t blockReads() const { return blockReads_; }

private:
    struct Block {
        std::vector<std::int16_t> nodes;
        bool used = true;
    };
    struct Tile {
        TileFile file;
        bool used = true;
    };

    std::int16_t findBlock(const TileLocation& at, const std::int16_t*& nodes);
    std::int16_t openTile(std::uint32_t tileKey, const TileName& name, Tile*& tile);

    std::string dataDrive_;
    std::string programDir_;
    bool noDrive_;
    std::unordered_map<std::uint64_t, Block> blocks_;
    std::unordered_map<std::uint32_t, Tile> tiles_;
    std::unordered_set<std::uint32_t> missing_;
    std::uint64_t lastBlockKey_ = 0;
    const std::int16_t* lastNodes_ = nullptr;
    std::uint64_t blockReads_ = 0;
};

} // namespace marn
