#pragma once
// A whole import: opens and checks every source and the output directory before
// anything is written, then builds each tile the sources touch from all sources
// (later ones on top), fills voids, applies sea level and writes the tile file.

#include "import/HeightConversion.h"
#include "import/TileId.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace marn::import {

struct ImportOptions {
    std::filesystem::path outDir;
    std::vector<std::string> sources;
    double fillDistance = 0.0; // nodes to search for void filling; 0 for none
    bool seaLevel = false;
    bool force = false;
};

enum class TileOutcome { Written, Kept, NoData };

struct TileResult {
    TileId tile;
    TileOutcome outcome = TileOutcome::Written;
    long long nodesFilled = 0;
    long long nodesMissing = 0; // -9999 nodes written
};

struct ImportResult {
    std::vector<TileResult> tiles;
    ConversionCounts conversions;
};

// Called before the first tile and after each one with (tiles done, total).
using ProgressFn = std::function<void(int, int)>;

// Throws ImportError; when it does so before the first tile, nothing is written.
ImportResult RunImportJob(const ImportOptions& options, const ProgressFn& progress);

} // namespace marn::import
