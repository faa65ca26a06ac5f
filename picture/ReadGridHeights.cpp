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

QString ReadErrorMessage(std::int16_t error, const SharedState& state)
{
    const std::string& tile = state.Reader.FailedTileName;
    return ReadErrorMessage(error, tile.empty() ? tile : NativePath(tile, state.ProgramDir));
}

bool ReadGridHeights(SharedState& state, Platform& platform, Fortschritt& progress)
{
    const ProgressBarLayout bar = ComputeProgressBar(state.ScreenWidthPx, state.ScreenHeightPx);
    progress.drawScale(bar);
    platform.processEvents();

    const auto step =
        Single((static_cast<double>(bar.x1) - static_cast<double>(bar.x0)) / static_cast<double>(state.PicRows));
    const int rows = static_cast<int>(std::floor(state.PicRows));
    float done = 0.0F;
    const std::int16_t error = SampleGridHeightsFast(state, [&](int row) {
        done = Single(static_cast<double>(done) + static_cast<double>(step));
        progress.drawBar(bar, done);
        progress.rowSampled(row, rows);
        platform.processEvents();
    });
    if (error == 0)
        return true;
    platform.messageBox(ReadErrorMessage(error, state));
    platform.endProgram();
    return false;
}

} // namespace marn
