#include "picture/ReadoutPoint.h"

#include <gtest/gtest.h>

#include <cmath>

namespace marn {
namespace {

// A picture area whose sampled points (i, j) have the height 100 i + j and the
// coordinates (j, i); index 0 and points beyond floor(PicCols), floor(PicRows)
// keep the 0 of the dimensioning.
SharedState StateWithGrid(float picLeft, float picRight, float picTop, float picBottom)
{
    SharedState state;
    state.PicLeft = picLeft;
    state.PicRight = picRight;
    state.PicTop = picTop;
    state.PicBottom = picBottom;
    state.PicCols = static_cast<float>(static_cast<double>(picRight) - picLeft + 1.0);
    state.PicRows = static_cast<float>(static_cast<double>(picBottom) - picTop + 1.0);
    state.GridHeights.dimension(
        static_cast<int>(std::nearbyint(state.PicCols)), static_cast<int>(std::nearbyint(state.PicRows)));
    state.GridCoords.dimension(state.GridHeights.maxCol(), state.GridHeights.maxRow());
    for (int j = 1; j <= static_cast<int>(std::floor(state.PicRows)); ++j) {
        for (int i = 1; i <= static_cast<int>(std::floor(state.PicCols)); ++i) {
            state.GridHeights(i, j) = static_cast<std::int16_t>(100 * i + j);
            state.GridCoords(0, i, j) = j;
            state.GridCoords(1, i, j) = i;
        }
    }
    return state;
}

TEST(Readout, ColumnUnderThePointerIsASampledOne)
{
    const struct {
        float picLeft, picRight, x;
        int i;
    } table[] = {{100.0F, 199.0F, 100.0F, 1}, {100.0F, 199.0F, 100.9F, 1}, {100.0F, 199.0F, 105.3F, 6},
        {100.0F, 199.0F, 199.0F, 100},
        // halves go to the even column
        {101.5F, 199.0F, 103.0F, 2}, {101.5F, 199.0F, 104.0F, 4},
        // index 0 with a fractional PicLeft is never sampled: column 1 is shown
        {101.7F, 199.0F, 101.7F, 1},
        // 201 - 100.5 + 1 = 101.5 rounds to 102, beyond floor(101.8): column 101
        // is shown
        {100.5F, 201.3F, 201.3F, 101}};
    for (const auto& c : table) {
        const SharedState state = StateWithGrid(c.picLeft, c.picRight, 50.0F, 149.0F);
        EXPECT_EQ(ReadoutGridIndex(state, c.x, 60.0F), std::make_pair(c.i, 11)) << c.picLeft << " " << c.x;
    }
    const SharedState deep = StateWithGrid(100.0F, 199.0F, 50.5F, 151.3F);
    EXPECT_EQ(ReadoutGridIndex(deep, 100.0F, 151.3F).second, 101);
    EXPECT_EQ(ReadoutGridIndex(SharedState{}, 15.0F, 15.0F), std::make_pair(0, 0));
}

TEST(Readout, LinesOfTheSampledPointUnderThePointer)
{
    SharedState state = StateWithGrid(101.7F, 199.0F, 50.0F, 149.0F);
    EXPECT_TRUE(ReadoutAt(state, 199.0F, 149.0F) && ReadoutAt(state, 101.7F, 50.0F)); // the edges are inside
    EXPECT_FALSE(ReadoutAt(state, 200.0F, 149.0F) || ReadoutAt(state, 150.0F, 49.0F));
    const auto readout = ReadoutAt(state, 120.2F, 60.0F); // column 19, row 11
    ASSERT_TRUE(readout.has_value());
    EXPECT_EQ(readout->Height, "Height = 1911 m");
    EXPECT_EQ(readout->Coordinates, "Coordinates = 11° 00' 00.0\" N  019° 00' 00.0\" E");
    state.PictureReady = true;
    EXPECT_FALSE(ReadoutActive(state));
    state.ReadoutEnabled = true;
    EXPECT_TRUE(ReadoutActive(state));
    EXPECT_EQ(ReadoutHeightText(-9999), "Height = -9999 m");
}

} // namespace
} // namespace marn
