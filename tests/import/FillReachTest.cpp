#include "import/FillReach.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace marn::import {
namespace {

constexpr double X = std::numeric_limits<double>::quiet_NaN();

// 6 rows x 8 columns without values except where `values` lists them.
std::vector<double> Grid(const std::vector<std::pair<int, int>>& values)
{
    std::vector<double> grid(48, X);
    for (const auto& [row, col] : values)
        grid[static_cast<std::size_t>(row) * 8 + col] = 10 * row + col;
    return grid;
}

struct ReachCase {
    std::vector<std::pair<int, int>> values;
    int distance;
    GridRect expected;
};

class FillReachTest : public testing::TestWithParam<ReachCase> {};

TEST_P(FillReachTest, WidensTheValuesBoundingBoxWithinTheGrid)
{
    const GridRect rect = FillReach(Grid(GetParam().values), 6, 8, GetParam().distance);
    EXPECT_EQ(rect.row0, GetParam().expected.row0);
    EXPECT_EQ(rect.col0, GetParam().expected.col0);
    EXPECT_EQ(rect.rows, GetParam().expected.rows);
    EXPECT_EQ(rect.cols, GetParam().expected.cols);
}

INSTANTIATE_TEST_SUITE_P(Grids, FillReachTest,
    testing::Values(ReachCase{{}, 3, {0, 0, 0, 0}}, ReachCase{{{2, 3}}, 0, {2, 3, 1, 1}},
        ReachCase{{{2, 3}}, 1, {1, 2, 3, 3}}, ReachCase{{{2, 3}, {3, 5}}, 1, {1, 2, 4, 5}},
        ReachCase{{{0, 0}}, 2, {0, 0, 3, 3}}, ReachCase{{{5, 7}}, 2, {3, 5, 3, 3}},
        ReachCase{{{2, 3}}, 100, {0, 0, 6, 8}}));

TEST(FillReach, IsEmptyOnlyWithoutValues)
{
    EXPECT_TRUE(FillReach(Grid({}), 6, 8, 10).empty());
    EXPECT_FALSE(FillReach(Grid({{4, 4}}), 6, 8, 0).empty());
}

TEST(CopyAndPasteRect, MoveExactlyTheRectanglesValues)
{
    std::vector<double> grid(48);
    for (std::size_t i = 0; i < grid.size(); ++i)
        grid[i] = static_cast<double>(i);
    const GridRect rect{1, 2, 3, 4};
    std::vector<double> values = CopyRect(grid, 8, rect);
    ASSERT_EQ(values.size(), 12U);
    EXPECT_EQ(values.front(), 10);
    EXPECT_EQ(values.back(), 3 * 8 + 5);
    for (double& value : values)
        value = -value;
    PasteRect(grid, 8, rect, values);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 8; ++col) {
            const bool inside = row >= 1 && row < 4 && col >= 2 && col < 6;
            const double index = row * 8 + col;
            EXPECT_EQ(grid[static_cast<std::size_t>(index)], inside ? -index : index) << row << " " << col;
        }
    }
}

} // namespace
} // namespace marn::import
