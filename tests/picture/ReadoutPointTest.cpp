#include "picture/ReadoutPoint.h"

#include "picture/LatLonFormat.h"

#include <gtest/gtest.h>

#include <cmath>

namespace marn {
namespace {

// A picture area with a sampled grid: every sampled point (i, j) has the height
// 100 i + j and the coordinates (j, i); the unsampled index 0 and anything
// beyond floor(PicCols), floor(PicRows) keep the 0 of the dimensioning.
SharedState StateWithGrid(float picLeft, float picRight, float picTop, float picBottom)
{
    SharedState state;
    state.PicLeft = picLeft;
    state.PicRight = picRight;
    state.PicTop = picTop;
    state.PicBottom = picBottom;
    state.PicCols = static_cast<float>(static_cast<double>(picRight) - picLeft + 1.0);
    state.PicRows = static_cast<float>(static_cast<double>(picBottom) - picTop + 1.0);
    const int cols = static_cast<int>(std::nearbyint(state.PicCols));
    const int rows = static_cast<int>(std::nearbyint(state.PicRows));
    state.GridHeights.dimension(cols, rows);
    state.GridCoords.dimension(cols, rows);
    for (int j = 1; j <= static_cast<int>(std::floor(state.PicRows)); ++j) {
        for (int i = 1; i <= static_cast<int>(std::floor(state.PicCols)); ++i) {
            state.GridHeights(i, j) = static_cast<std::int16_t>(100 * i + j);
            state.GridCoords(0, i, j) = j;
            state.GridCoords(1, i, j) = i;
        }
    }
    return state;
}

// ---- flags and inside test ----

TEST(Readout, RunsOnlyWithBothFlags)
{
    SharedState state;
    EXPECT_FALSE(ReadoutActive(state));
    state.PictureReady = true;
    EXPECT_FALSE(ReadoutActive(state));
    state.ReadoutEnabled = true;
    EXPECT_TRUE(ReadoutActive(state));
    state.PictureReady = false;
    EXPECT_FALSE(ReadoutActive(state));
}

struct InsideCase {
    float x;
    float y;
    bool inside;
};

class InsideTable : public ::testing::TestWithParam<InsideCase> {};

TEST_P(InsideTable, EdgesCountAsInside)
{
    const SharedState state = StateWithGrid(68.024F, 706.56F, 55.768F, 635.32F);
    const InsideCase& c = GetParam();
    EXPECT_EQ(ReadoutInside(state, c.x, c.y), c.inside) << c.x << ", " << c.y;
    EXPECT_EQ(ReadoutAt(state, c.x, c.y).has_value(), c.inside) << c.x << ", " << c.y;
}

INSTANTIATE_TEST_SUITE_P(Pointer, InsideTable,
    ::testing::Values(InsideCase{68.024F, 300.0F, true}, InsideCase{706.56F, 300.0F, true},
        InsideCase{400.0F, 55.768F, true}, InsideCase{400.0F, 635.32F, true}, InsideCase{67.024F, 300.0F, false},
        InsideCase{707.56F, 300.0F, false}, InsideCase{400.0F, 54.768F, false}, InsideCase{400.0F, 636.32F, false},
        InsideCase{68.0F, 55.0F, false}));

// ---- grid index ----

struct IndexCase {
    float picLeft;
    float picRight;
    float x;
    int i;
};

class IndexTable : public ::testing::TestWithParam<IndexCase> {};

TEST_P(IndexTable, ColumnUnderThePointer)
{
    const IndexCase& c = GetParam();
    const SharedState state = StateWithGrid(c.picLeft, c.picRight, 50.0F, 149.0F);
    EXPECT_EQ(ReadoutGridIndex(state, c.x, 60.0F), std::make_pair(c.i, 11)) << c.picLeft << " " << c.x;
}

INSTANTIATE_TEST_SUITE_P(Columns, IndexTable,
    ::testing::Values(IndexCase{100.0F, 199.0F, 100.0F, 1}, IndexCase{100.0F, 199.0F, 100.9F, 1},
        IndexCase{100.0F, 199.0F, 105.3F, 6}, IndexCase{100.0F, 199.0F, 199.0F, 100},
        // halves go to the even column
        IndexCase{101.5F, 199.0F, 103.0F, 2}, IndexCase{101.5F, 199.0F, 104.0F, 4},
        // index 0 with a fractional PicLeft is never sampled: column 1 is shown
        IndexCase{101.7F, 199.0F, 101.7F, 1},
        // 201 - 100.5 + 1 = 101.5 rounds to 102, beyond floor(101.8): column 101 is shown
        IndexCase{100.5F, 201.3F, 201.3F, 101}));

TEST(ReadoutIndex, RowsAreHeldToTheSampledRowsToo)
{
    const SharedState state = StateWithGrid(100.0F, 199.0F, 50.7F, 149.0F);
    EXPECT_EQ(ReadoutGridIndex(state, 100.0F, 50.7F).second, 1);
    const SharedState deep = StateWithGrid(100.0F, 199.0F, 50.5F, 151.3F);
    EXPECT_EQ(ReadoutGridIndex(deep, 100.0F, 151.3F).second, static_cast<int>(std::floor(deep.PicRows)));
}

TEST(ReadoutIndex, NoSampledPointGivesNoIndex)
{
    SharedState state;
    state.PicLeft = 10.0F;
    state.PicRight = 20.0F;
    state.PicTop = 10.0F;
    state.PicBottom = 20.0F;
    EXPECT_EQ(ReadoutGridIndex(state, 15.0F, 15.0F), std::make_pair(0, 0));
    EXPECT_FALSE(ReadoutAt(state, 15.0F, 15.0F).has_value());
}

// ---- texts ----

TEST(ReadoutText, Height)
{
    EXPECT_EQ(ReadoutHeightText(1234), "Height = 1234 m");
    EXPECT_EQ(ReadoutHeightText(-9999), "Height = -9999 m");
    EXPECT_EQ(ReadoutHeightText(0), "Height = 0 m");
}

TEST(ReadoutText, Coordinates)
{
    EXPECT_EQ(ReadoutCoordinatesText(47.5125, -7.25), "Coordinates = " + FormatLatLon(47.5125, -7.25));
}

TEST(ReadoutText, LinesOfTheSampledPointUnderThePointer)
{
    const SharedState state = StateWithGrid(101.7F, 199.0F, 50.0F, 149.0F);
    // the pointer on the fractional left edge shows column 1, never the empty column 0
    const auto edge = ReadoutAt(state, 101.7F, 52.0F);
    ASSERT_TRUE(edge.has_value());
    EXPECT_EQ(edge->Height, "Height = 103 m");
    EXPECT_EQ(edge->Coordinates, ReadoutCoordinatesText(3.0, 1.0));

    const auto inner = ReadoutAt(state, 120.2F, 60.0F);
    ASSERT_TRUE(inner.has_value());
    EXPECT_EQ(inner->Height, "Height = " + std::to_string(100 * 19 + 11) + " m");
    EXPECT_EQ(inner->Coordinates, ReadoutCoordinatesText(11.0, 19.0));
}

} // namespace
} // namespace marn
