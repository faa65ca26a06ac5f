#include "import/Bilinear.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace marn::import {
namespace {

constexpr double X = std::numeric_limits<double>::quiet_NaN();

// 3 x 3 cells:  10  20  30
//               40  50  60
//               70   X  90
CellWindow Window()
{
    return CellWindow{3, 3, {10, 20, 30, 40, 50, 60, 70, X, 90}};
}

struct SampleCase {
    const char* what;
    double u;
    double v;
    double expected; // NaN for no value
};

class SampleBilinearTest : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleBilinearTest, InterpolatesTheCellsWithData)
{
    const double value = SampleBilinear(Window(), GetParam().u, GetParam().v);
    if (std::isnan(GetParam().expected))
        EXPECT_TRUE(std::isnan(value)) << GetParam().what << ": " << value;
    else
        EXPECT_DOUBLE_EQ(value, GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Points, SampleBilinearTest,
    testing::Values(SampleCase{"on a centre", 1, 1, 50}, SampleCase{"just off a centre", 1 + 1e-9, 1 - 1e-9, 50},
        SampleCase{"half way east", 0.5, 0, 15}, SampleCase{"half way south", 0, 0.5, 25},
        SampleCase{"centre of four", 0.5, 0.5, 30},
        SampleCase{"a quarter in", 0.25, 0.75, 0.1875 * 10 + 0.0625 * 20 + 0.5625 * 40 + 0.1875 * 50},
        SampleCase{"next to a hole: weights shared out", 0.4, 1.5, (40 * 0.3 + 50 * 0.2 + 70 * 0.3) / 0.8},
        SampleCase{"inside the hole", 1, 2, X}, SampleCase{"nearer the hole than a cell", 1.4, 1.6, X},
        SampleCase{"western edge of the first cell", -0.5, 0, 10}, SampleCase{"beyond the western edge", -0.5001, 0, X},
        SampleCase{"eastern edge of the last cell", 2.4999, 0, 30}, SampleCase{"on the eastern edge", 2.5, 0, X},
        SampleCase{"far away", 1e12, -1e12, X}, SampleCase{"not a number", X, 0, X}));

TEST(SampleBilinear, CopiesNonIntegerValuesExactlyOnCentres)
{
    const CellWindow window{2, 2, {123.4, -7.25, 1e-3, 8848.86}};
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col)
            EXPECT_EQ(SampleBilinear(window, col + 3e-7, row - 3e-7), window.values[row * 2 + col]);
    }
}

} // namespace
} // namespace marn::import
