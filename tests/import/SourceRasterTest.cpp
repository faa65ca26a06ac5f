#include "import/SourceRaster.h"

#include "import/GdalSession.h"
#include "import/WindowReduction.h"
#include "tests/import/GeoTiffFixture.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace marn::import {
namespace {

TEST(ReductionFactor, IsOneWhenTheWindowFitsElseTheSmallestThatFits)
{
    struct Case {
        long long width, height, maxCells;
        int factor;
    };
    for (const Case c : {Case{100, 100, 10000, 1}, Case{101, 100, 10000, 2}, Case{3601, 3601, 32LL << 20, 1},
             Case{11000, 8000, 32LL << 20, 2}, Case{90, 90, 1000, 3}, Case{1, 1000, 10, 100}}) {
        const int factor = ReductionFactor(c.width, c.height, c.maxCells);
        EXPECT_EQ(factor, c.factor) << c.width << " x " << c.height;
        EXPECT_LE(static_cast<long long>(ReducedCells(static_cast<int>(c.width), factor))
                      * ReducedCells(static_cast<int>(c.height), factor),
            c.maxCells);
    }
}

TEST(AlignToFactor, WidensToWholeGroupsInsideTheRaster)
{
    struct Case {
        CellSpan span;
        int limit, factor;
        CellSpan expected;
    };
    for (const Case c :
        {Case{{10, 19}, 100, 1, {10, 19}}, Case{{10, 19}, 100, 3, {10, 21}}, Case{{10, 21}, 100, 3, {10, 21}},
            Case{{90, 99}, 100, 3, {88, 99}}, Case{{0, 99}, 100, 3, {0, 98}}, Case{{5, 6}, 7, 4, {3, 6}}}) {
        const CellSpan aligned = AlignToFactor(c.span, c.limit, c.factor);
        EXPECT_EQ(aligned.first, c.expected.first) << c.span.first << ".." << c.span.last << " by " << c.factor;
        EXPECT_EQ(aligned.last, c.expected.last) << c.span.first << ".." << c.span.last << " by " << c.factor;
        EXPECT_EQ(aligned.count() % c.factor, 0);
    }
}

// A 1" raster of 90 x 90 cells whose heights rise 10 m per cell eastwards and
// 1 m per cell southwards; the east half has no data when `halfMissing`.
class FineSourceTest : public testing::TestWithParam<long long> {
protected:
    std::string Write(bool halfMissing)
    {
        test::RasterSpec desc = test::AlignedRaster(45 * 3600 + 1800, 10 * 3600 + 1800, 1, 90, 90, 0);
        desc.noData = -32768;
        for (int row = 0; row < 90; ++row) {
            for (int col = 0; col < 90; ++col)
                desc.values[static_cast<std::size_t>(row) * 90 + col] =
                    halfMissing && col >= 45 ? -32768 : 10 * col + row;
        }
        const std::string path = dir.path() + "/fine.tif";
        test::WriteGeoTiff(path, desc);
        return path;
    }

    // Nodes every 3" from 12" inside the raster's south-west cell centre.
    static NodeGridSpec Nodes()
    {
        NodeGridSpec desc;
        desc.originLatSec = 45 * 3600 + 1800 + 12;
        desc.originLonSec = 10 * 3600 + 1800 + 12;
        desc.rows = 20;
        desc.cols = 20;
        return desc;
    }

    static double Ramp(const NodeGridSpec& desc, int row, int col)
    {
        const double cellCol = desc.lonOfCol(col) * 3600 - (10 * 3600 + 1800);
        const double cellRow = 89 - (desc.latOfRow(row) * 3600 - (45 * 3600 + 1800));
        return 10 * cellCol + cellRow;
    }

    GdalSession session;
    marn::test::TempDir dir;
};

TEST_P(FineSourceTest, KeepsALinearSurfaceWhetherReadFullyOrReduced)
{
    const auto source = SourceRaster::Open(Write(false), GetParam());
    const NodeGridSpec desc = Nodes();
    std::vector<double> grid(desc.size(), std::numeric_limits<double>::quiet_NaN());
    source->SampleInto(desc, grid);
    for (int row = 0; row < desc.rows; ++row) {
        for (int col = 0; col < desc.cols; ++col)
            EXPECT_NEAR(grid[static_cast<std::size_t>(row) * desc.cols + col], Ramp(desc, row, col), 1e-6)
                << row << " " << col;
    }
}

TEST_P(FineSourceTest, LeavesCellsWithoutDataOut)
{
    const auto source = SourceRaster::Open(Write(true), GetParam());
    const NodeGridSpec desc = Nodes();
    std::vector<double> grid(desc.size(), -1.0);
    source->SampleInto(desc, grid);
    for (int row = 0; row < desc.rows; ++row) {
        EXPECT_NEAR(grid[static_cast<std::size_t>(row) * desc.cols + 3], Ramp(desc, row, 3), 1e-6) << row;
        EXPECT_EQ(grid[static_cast<std::size_t>(row) * desc.cols + 18], -1.0) << row;
    }
    // Next to the missing half no value mixes in the no-data value.
    for (const double value : grid)
        EXPECT_TRUE(value == -1.0 || (value >= 0 && value <= 1000)) << value;
}

INSTANTIATE_TEST_SUITE_P(WindowLimits, FineSourceTest, testing::Values(DefaultMaxWindowCells, 2000LL, 400LL));

} // namespace
} // namespace marn::import
