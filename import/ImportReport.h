#pragma once
// What an import shows: the progress bar and the closing summary.

#include "import/Importer.h"

#include <ostream>
#include <string>

namespace marn::import {

// "[##########..........]  3/8 tiles" with `width` characters between the brackets.
std::string ProgressBarText(int done, int total, int width);

// One line per tile (written, kept or without data, with filled and missing
// nodes) and the totals.
void WriteSummary(std::ostream& out, const ImportResult& result);

// The warning that counts clamped heights; nothing when none was clamped.
void WriteWarnings(std::ostream& err, const ConversionCounts& counts);

} // namespace marn::import
