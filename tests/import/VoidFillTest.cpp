#include "import/VoidFill.h"

#include "import/GdalSession.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace marn::import {
namespace {

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

// A tile filled with the distance as context fills its nodes as the whole area does.
TEST_P(FillWindowTest, FillsANodeFromTheValuesWithinTheDistanceOnly)
{
    const GdalSession session;
    const double distance = GetParam().distance;
    const int margin = static_cast<int>(std::ceil(distance));
    // Data on lines a little farther apart than the distance, voids between; the
    // last lines before the inner nodes lie 3/4 of the distance away from them.
    const int spacing = static_cast<int>(1.4 * distance) + 2;
    const int inner = 2 * spacing;
    const int side = inner + 6 * margin;
    const int phase = 3 * margin - 3 * margin / 4 + spacing * margin;
    std::vector<double> area;
    for (int row = 0; row < side; ++row) {
        for (int col = 0; col < side; ++col) {
            const bool data = (row - phase) % spacing == 0 || (col - phase) % spacing == 0;
            area.push_back(data ? 100 + 3 * row + std::sin(col) * 20 : std::numeric_limits<double>::quiet_NaN());
        }
    }
    const int windowSide = inner + 2 * margin;
    std::vector<double> window;
    for (int row = 2 * margin; row < 2 * margin + windowSide; ++row)
        window.insert(
            window.end(), area.begin() + row * side + 2 * margin, area.begin() + row * side + 2 * margin + windowSide);
    const std::vector<double> before = area;
    FillVoids(area, side, side, distance, GetParam().scope);
    FillVoids(window, windowSide, windowSide, distance, GetParam().scope);

    int filled = 0;
    for (int row = 0; row < inner; ++row) {
        for (int col = 0; col < inner; ++col) {
            const std::size_t inArea = static_cast<std::size_t>(row + 3 * margin) * side + col + 3 * margin;
            const double& inWindow = window[static_cast<std::size_t>(row + margin) * windowSide + col + margin];
            EXPECT_EQ(std::memcmp(&area[inArea], &inWindow, sizeof(double)), 0) << row << " " << col;
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

} // namespace
} // namespace marn::import
