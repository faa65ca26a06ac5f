#pragma once
// A picture window over tile files written into a temporary data directory,
// with the recording fake platform and a chosen screen.

#include "core/SharedState.h"
#include "picture/frmPicture.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <memory>

namespace marn::test {

struct PictureWindowFixture {
    explicit PictureWindowFixture(
        ScreenMetrics screen, double centerLat = 47.5, double centerLon = 7.5, std::int16_t lengthKm = 50)
        : platform(screen)
    {
        state.DataDrive = dir.path();
        state.CenterLat = centerLat;
        state.CenterLon = centerLon;
        state.AreaLengthKm = lengthKm;
        window = std::make_unique<frmPicture>(state, platform);
    }

    TempDir dir;
    SharedState state;
    FakePlatform platform;
    std::unique_ptr<frmPicture> window;
};

// 100 m west and 1500 m east of 8E (tiles 47N 7E and 47N 8E).
inline void WriteTwoLevelTiles(const std::string& root)
{
    WriteFlatTile(root, 47, 7, 100);
    WriteFlatTile(root, 47, 8, 1500);
}

} // namespace marn::test
