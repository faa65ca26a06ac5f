#pragma once
// The tile blocks of one picture's sampling, shared by the threads that sample
// its rows. Blocks are read a block row at a time (the 12 blocks of a tile
// that share a latitude band lie one after another in the file, so they come
// with one read), each block row once, and kept while rows of the grid still
// use them; tiles without a file are remembered as missing for the whole
// picture. Each thread looks blocks up through a TileBlockCache of its own,
// which asks the store only for the first block of each block row that a grid
// row meets.
//
// When a block row is not in the page cache, the next one south in the same
// tile (or the northern block row of the tile to the south) is announced to
// the operating system before waiting for it, so that on a cold page cache the
// disk reads ahead of the sampling, which walks the grid from north to south.

#include "core/TileFile.h"
#include "core/TileLocation.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace marn {

// Every field of a tile's name packed into one number, and the key of one of
// its block rows (1..12), never 0.
std::uint32_t TileKeyOf(const TileName& name);
std::uint64_t BlockRowKeyOf(std::uint32_t tileKey, int blockRow);

class TileBlockStore {
public:
    // dataDrive and programDir as in the shared state (DataDrive, ProgramDir).
    TileBlockStore(std::string dataDrive, std::string programDir);
    TileBlockStore(const TileBlockStore&) = delete;
    TileBlockStore& operator=(const TileBlockStore&) = delete;
    ~TileBlockStore();

    bool hasDataDrive() const { return hasDrive_; }

    // The 12 blocks of one block row of a tile.
    class BlockRow {
    public:
        // The nodes of block column col (1..12), latitude row by row, or
        // nullptr when the block row could not be read whole (blockNodes then
        // reads its blocks one by one).
        const std::int16_t* wholeBlock(int col, TileKind kind) const;

    private:
        friend class TileBlockStore;
        std::int16_t* nodes_ = nullptr;
        std::uint32_t tileKey_ = 0;
        bool whole_ = false;
        bool ready_ = false;
        mutable std::array<bool, BlocksPerSide> present_{}; // blocks read one by one, under the store's lock
        int lastGridRow_ = 0;                               // the last grid row that asked for it
    };

    // The block row that holds a located point, for grid row gridRow (1, 2, ...
    // from north to south): read when the store does not hold it, waited for
    // while another thread reads it (unless waitForOthers is false: row is
    // then nullptr). Returns 0, 36 for a tile without a file (remembered for
    // the whole picture) or 700 for a tile of the wrong length. The block row
    // stays valid until grid row gridRow is finished.
    std::int16_t blockRow(
        const TileLocation& at, std::uint32_t tileKey, int gridRow, const BlockRow*& row, bool waitForOthers = true);

    // The nodes of the located point's block in the block row blockRow gave
    // for it: 0, or 220 when the block cannot be read whole.
    std::int16_t blockNodes(const BlockRow& row, const TileLocation& at, const std::int16_t*& nodes);

    // Every grid row up to gridRow is finished: forgets the block rows that
    // no grid row from gridRow on has asked for, and closes the tiles of which
    // no block row is held any more. A lower gridRow than before does nothing.
    void rowsFinished(int gridRow);

    // Reads from tile files so far: one per block row, or one per block where
    // a block row could not be read whole.
    std::uint64_t reads() const;

private:
    struct Tile {
        TileFile file;
        int heldRows = 0;
    };
    Tile* openTile(std::uint32_t tileKey, const TileName& name, std::int16_t& error);
    void announceNextSouth(const TileLocation& at, const TileFile& file) const;
    std::int16_t* takeBuffer();

    const std::string dataDrive_;
    const std::string programDir_;
    const bool hasDrive_;
    mutable std::mutex mutex_;
    std::condition_variable readDone_;
    std::unordered_map<std::uint64_t, BlockRow> blockRows_;
    std::unordered_map<std::uint32_t, Tile> tiles_;
    std::unordered_set<std::uint32_t> missing_;
    std::vector<void*> chunks_;               // each holds the buffers of several block rows
    std::vector<std::int16_t*> spareBuffers_; // buffers not holding a block row, reused
    int finishedRows_ = 0;
    std::uint64_t reads_ = 0;
};

} // namespace marn
