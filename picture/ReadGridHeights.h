#pragma once
// The height sampling under the progress window: fills GridHeights and
// GridCoords row by row, redraws the progress bar and lets pending events run
// after every row. Tile blocks are read once for the whole picture, missing
// tiles are looked for once and the rows are sampled on every processor
// (SampleGridHeightsFast), while the bar and the events still follow the rows
// in order on this thread; the heights are those of the one-file, one-block reader.

#include "core/DataLocation.h"
#include "core/PictureGrid.h"
#include "core/TileReaderState.h"
#include "ui/Platform.h"

namespace marn {

class Fortschritt;

// Returns true when every point was sampled (missing tiles and nodes become NoData).
// On any other read error it shows "Error reading heigt data, Error value = "
// with the error value and, on a second line, the tile file it arose in,
// ends the program through the platform and returns false.
bool ReadGridHeights(
    const DataLocation& data, TileReaderState& reader, PictureGrid& state, Platform& platform, Fortschritt& progress);

// The message of a read error; `tileFile` (the operating system's path of the
// tile it arose in, "" for none) becomes its second line.
QString ReadErrorMessage(std::int16_t error, const std::string& tileFile);
// The same for the last read of a reader: its failed tile, as the operating
// system names it.
QString ReadErrorMessage(std::int16_t error, const DataLocation& data, const TileReaderState& reader);

} // namespace marn
