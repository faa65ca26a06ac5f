#pragma once
// What an import shows: the progress bar and the closing summary.

#include "import/Importer.h"

#include <ostream>
#include <string>

namespace marn::import {

// "[##########..........]  3/8 tiles" with `width` characters between the brackets.
std::string ProgressBarText(int done, int total, int width);

// The line of one tile: what became of it, with its filled and missing nodes.
std::string TileLine(const TileResult& tile);

// The totals of the whole import.
void WriteTotals(std::ostream& out, const ImportResult& result);

// The warning that counts clamped heights; nothing when none was clamped.
void WriteWarnings(std::ostream& err, const ConversionCounts& counts);

} // namespace marn::import
