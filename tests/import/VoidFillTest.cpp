#include "import/VoidFill.h"

#include "import/GdalSession.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace marn::import {
namespace {

constexpr double X = std::numeric_limits<double>::quiet_NaN();

struct WindowCase {
    const char* name;
    FillScope scope;
    double distance;
};

void PrintTo(const WindowCase& c, std::ostream* os)
{
    *os << c.name;
}

class FillWindowTest : public testing::TestWithParam<WindowCase> {};

// A tile filled with its context must fill its nodes as the whole area would.
TEST_P(FillWindowTest, FillsANodeFromTheValuesWithinTheDistanceOnly)
{
    const GdalSession session;
    const double distance = GetParam().distance;
    const int margin = static_cast<int>(std::ceil(distance));
    // Data on lines a little farther apart than the distance, voids between;
    // the last lines before the inner nodes lie 3/4 of the distance away.
    const int spacing = static_cast<int>(1.4 * distance) + 2;
    const int inner = 2 * spacing;
    const int side = inner + 6 * margin;
    const int innerStart = 3 * margin;
    std::vector<double> area(static_cast<std::size_t>(side) * side);
    for (int row = 0; row < side; ++row) {
        for (int col = 0; col < side; ++col) {
            const int phase = innerStart - 3 * margin / 4 + spacing * margin;
            const bool hole = (row - phase) % spacing != 0 && (col - phase) % spacing != 0;
            area[static_cast<std::size_t>(row) * side + col] = hole ? X : 100 + 3 * row + std::sin(col) * 20;
        }
    }
    const int windowSide = inner + 2 * margin;
    std::vector<double> window;
    for (int row = innerStart - margin; row < innerStart - margin + windowSide; ++row) {
        const auto start = area.begin() + static_cast<std::ptrdiff_t>(row) * side + innerStart - margin;
        window.insert(window.end(), start, start + windowSide);
    }
    const std::vector<double> before = area;
    FillVoids(area, side, side, distance, GetParam().scope);
    FillVoids(window, windowSide, windowSide, distance, GetParam().scope);

    int filled = 0;
    for (int row = 0; row < inner; ++row) {
        for (int col = 0; col < inner; ++col) {
            const std::size_t inArea = static_cast<std::size_t>(row + innerStart) * side + col + innerStart;
            const double fromWindow = window[static_cast<std::size_t>(row + margin) * windowSide + col + margin];
            EXPECT_EQ(std::memcmp(&area[inArea], &fromWindow, sizeof(double)), 0) << row << " " << col;
            filled += std::isnan(before[inArea]) && !std::isnan(area[inArea]) ? 1 : 0;
        }
    }
    EXPECT_GT(filled, 0);
}

INSTANTIATE_TEST_SUITE_P(Distances, FillWindowTest,
    testing::Values(WindowCase{"all_voids_within_4", FillScope::AllVoids, 4},
        WindowCase{"all_voids_within_12_5", FillScope::AllVoids, 12.5},
        WindowCase{"all_voids_within_40", FillScope::AllVoids, 40}, WindowCase{"holes_within_6", FillScope::Holes, 6},
        WindowCase{"holes_within_30", FillScope::Holes, 30}),
    [](const testing::TestParamInfo<WindowCase>& info) { return info.param.name; });

// 7 x 7 nodes: a hole at (3, 3) and a bay along row 1 open to the grid's east edge.
TEST(FillHoles, FillsOnlyNodesWithDataOnAllFourSides)
{
    const GdalSession session;
    const int hole = 3 * 7 + 3;
    const int bay[] = {1 * 7 + 4, 1 * 7 + 5, 1 * 7 + 6};
    std::vector<double> voids(49, 50.0);
    for (const int node : {hole, bay[0], bay[1], bay[2]})
        voids[node] = X;
    std::vector<double> holes = voids;
    FillVoids(holes, 7, 7, 3, FillScope::Holes);
    FillVoids(voids, 7, 7, 3, FillScope::AllVoids);
    EXPECT_EQ(holes[hole], 50.0);
    for (const int node : bay) {
        EXPECT_TRUE(std::isnan(holes[node])) << node;
        EXPECT_EQ(voids[node], 50.0) << node;
    }
}

} // namespace
} // namespace marn::import
