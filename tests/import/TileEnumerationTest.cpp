#include "import/TileEnumeration.h"

#include <gtest/gtest.h>

#include <tuple>

namespace marn::import {
namespace {

struct EnumerationCase {
    const char* what;
    GeoBounds bounds;
    std::vector<TileId> tiles;
};

class TilesTouchingTest : public testing::TestWithParam<EnumerationCase> {};

TEST_P(TilesTouchingTest, ListsTheTilesWithInnerNodesInTheBounds)
{
    EXPECT_EQ(TilesTouching(GetParam().bounds), GetParam().tiles) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Bounds, TilesTouchingTest,
    testing::Values(EnumerationCase{"inside one tile", {-84.41375, 36.44625, -84.07792, 36.73292}, {{36, -85}}},
        EnumerationCase{"crossing 50 north", {5.74, 49.44, 6.53, 50.19}, {{49, 5}, {49, 6}, {50, 5}, {50, 6}}},
        EnumerationCase{"exactly one degree", {7.0, 48.0, 8.0, 49.0}, {{48, 7}}},
        EnumerationCase{"half a 3-second cell beyond the degree", {6.99958, 47.99958, 8.00042, 49.00042}, {{48, 7}}},
        EnumerationCase{"a sliver of 0.07 seconds over the edge", {-126.0, 48.0054, -121.99998, 48.9},
            {{48, -126}, {48, -125}, {48, -124}, {48, -123}}},
        EnumerationCase{
            "reaching the first inner node", {-123.5, 48.2, -121.99916, 48.3}, {{48, -124}, {48, -123}, {48, -122}}},
        EnumerationCase{"between two 3-second nodes", {10.0001, 45.0001, 10.0008, 45.0008}, {}},
        EnumerationCase{"on a 3-second node", {10.0001, 45.0001, 10.0009, 45.0009}, {{45, 10}}},
        EnumerationCase{"3-second node but no 6-second node", {10.0001, 55.0001, 10.0009, 55.0009}, {}},
        EnumerationCase{"on a 6-second node", {10.0001, 55.0001, 10.0017, 55.0009}, {{55, 10}}},
        EnumerationCase{"longitudes 0..360", {358.5, -1.5, 360.5, -0.5},
            {{-2, -2}, {-2, -1}, {-2, 0}, {-1, -2}, {-1, -1}, {-1, 0}}},
        EnumerationCase{"empty", {7.0, 48.0, 7.0, 49.0}, {}},
        EnumerationCase{"beyond the pole", {0.2, 89.5, 0.8, 95.0}, {{89, 0}}}));

TEST(TilesTouching, CoversEveryLongitudeOnceForAWholeBand)
{
    const std::vector<TileId> tiles = TilesTouching({-200.0, 10.2, 200.0, 10.8});
    ASSERT_EQ(tiles.size(), 360U);
    EXPECT_EQ(tiles.front(), (TileId{10, -180}));
    EXPECT_EQ(tiles.back(), (TileId{10, 179}));
}

TEST(TileOverlapsArea, HoldsForTilesWithPartOfTheirAreaInTheBox)
{
    const std::tuple<TileId, GeoBounds, bool> cases[] = {{{45, 10}, {10, 45, 11, 46}, true},
        {{45, 10}, {11, 45, 12, 46}, false}, {{45, 10}, {9, 44, 10, 45}, false},
        {{45, 10}, {10.9, 45.9, 10.95, 45.95}, true}, {{-1, -180}, {170, -5, 190, 5}, true},
        {{-1, 179}, {170, -5, 190, 5}, true}, {{-1, -170}, {170, -5, 190, 5}, false}};
    for (const auto& [tile, area, overlaps] : cases)
        EXPECT_EQ(TileOverlapsArea(tile, area), overlaps) << TileRelativePath(tile) << " west " << area.west;
}

TEST(NormalisedLonDeg, BringsEdgesIntoMinus180To179)
{
    const std::pair<int, int> cases[] = {{0, 0}, {179, 179}, {180, -180}, {359, -1}, {-181, 179}, {-540, -180}};
    for (const auto& [lon, expected] : cases)
        EXPECT_EQ(NormalisedLonDeg(lon), expected) << lon;
}

} // namespace
} // namespace marn::import
