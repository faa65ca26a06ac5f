#pragma once
// A whole import: opens and checks every source and the output directory before
// anything is written, then builds each tile the sources touch from all sources
// (later ones on top), fills voids, applies sea level and writes the tile file.
//
// A tile that exists already is merged with: its missing nodes (-9999) take the
// sources' heights, its other heights stay, unless `force`, in which case the
// sources' heights win wherever they have one. Filling acts on the merged
// nodes; nodes filled in an earlier run count as heights. A tile file of the
// wrong length is replaced as if it were not there.
// Tiles are independent of one another, so several are built at once, each
// thread with its own handles of the sources; a tile's bytes do not depend on
// how many are built at once.

#include "import/HeightConversion.h"
#include "import/TileEnumeration.h"
#include "import/TileId.h"
#include "import/VoidFill.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace marn::import {

// The farthest void filling reaches, in nodes (3" of latitude each: 15').
// A tile is filled with this many nodes of context on every side, so memory
// and time per tile grow with its square.
inline constexpr double MaxFillDistance = 300.0;

// The most tiles built at once.
inline constexpr int MaxJobs = 64;

struct ImportOptions {
    std::filesystem::path outDir;
    std::vector<std::string> sources;
    double fillDistance = 0.0; // nodes to search for void filling, up to MaxFillDistance; 0 for none
    bool seaLevel = false;
    bool force = false;
    FillScope fillScope = FillScope::AllVoids;
    int jobs = 1;                                 // tiles built at once, 1..MaxJobs
    std::optional<GeoBounds> area = std::nullopt; // only the tiles with part of their area in it
    std::string sourceCrs = {};                   // overrides the sources' coordinate system when not empty
};

enum class TileOutcome {
    Written,  // a new tile
    Merged,   // an existing tile, with heights added (or, with force, changed)
    Kept,     // an existing tile the sources change nothing in
    Replaced, // a tile file of the wrong length, written anew
    NoData,   // no source has a height in the tile
};

struct TileResult {
    TileId tile;
    TileOutcome outcome = TileOutcome::Written;
    long long nodesFilled = 0;
    long long nodesMissing = 0;      // -9999 nodes written
    long long nodesAdded = 0;        // Merged: nodes that were missing and now have a height
    long long nodesChanged = 0;      // Merged: heights replaced (only with force)
    std::uintmax_t damagedBytes = 0; // Replaced: the length of the file replaced
};

struct ImportResult {
    std::vector<TileResult> tiles; // in the order of their tiles, south to north, west to east
    ConversionCounts conversions;
};

// Called before the first tile and after each one with (tiles done, total),
// from one thread at a time.
using ProgressFn = std::function<void(int, int)>;

// Called with each tile's result as soon as the tile is complete (its file
// in place), before the progress; from one thread at a time.
using TileDoneFn = std::function<void(const TileResult&)>;

// Throws ImportError; when it does so before the first tile, nothing is
// written. A failure in one tile stops the others after the tile each is
// building; every tile written until then is complete.
ImportResult RunImportJob(const ImportOptions& options, const ProgressFn& progress, const TileDoneFn& tileDone = {});

} // namespace marn::import
