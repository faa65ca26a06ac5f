#include "picture/ReadGridHeights.h"

#include "core/FastHeightSampling.h"
#include "core/NativePath.h"
#include "core/Single.h"
#include "picture/DigitPatterns.h"
#include "picture/Fortschritt.h"
#include "picture/ProgressBar.h"

#include <QFile>

#include <cmath>

namespace marn {

QString ReadErrorMessage(std::int16_t error, const std::string& tileFile)
{
    QString message = QStringLiteral("Error reading heigt data, Error value = ")
                      + QString::fromStdString(FormatPattern(error, "####0"));
    if (!tileFile.empty())
        message += QStringLiteral("\r\n") + QFile::decodeName(tileFile.c_str());
    return message;
}

QString ReadErrorMessage(std::int16_t error, const DataLocation& data, const TileReaderState& reader)
{
    const std::string& tile = reader.FailedTileName;
    return ReadErrorMessage(error, tile.empty() ? tile : NativePath(tile, data.ProgramDir));
}

bool ReadGridHeights(
    const DataLocation& data, TileReaderState& reader, PictureGrid& state, Platform& platform, Fortschritt& progress)
{
    const ProgressBarLayout bar = ComputeProgressBar(state.ScreenWidthPx, state.ScreenHeightPx);
    progress.drawScale(bar);
    platform.processEvents();

    const auto step =
        Single((static_cast<double>(bar.x1) - static_cast<double>(bar.x0)) / static_cast<double>(state.PicRows));
    const int rows = static_cast<int>(std::floor(state.PicRows));
    float done = 0.0F;
    const std::int16_t error = SampleGridHeightsFast(data, reader, state, [&](int row) {
        done = Single(static_cast<double>(done) + static_cast<double>(step));
        progress.drawBar(bar, done);
        progress.rowSampled(row, rows);
        platform.processEvents();
    });
    if (error == 0)
        return true;
    platform.messageBox(ReadErrorMessage(error, data, reader));
    platform.endProgram();
    return false;
}

} // namespace marn
