#include "import/ImportReport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace marn::import {
namespace {

TEST(ProgressBarText, FillsInProportionToTilesDone)
{
    const std::pair<std::pair<int, int>, std::string> cases[] = {
        {{0, 8}, "[........] 0/8 tiles"},
        {{3, 8}, "[###.....] 3/8 tiles"},
        {{8, 8}, "[########] 8/8 tiles"},
        {{0, 0}, "[########] 0/0 tiles"},
        {{1, 3}, "[##......] 1/3 tiles"},
    };
    for (const auto& [progress, expected] : cases)
        EXPECT_EQ(ProgressBarText(progress.first, progress.second, 8), expected);
}

TEST(WriteSummary, ListsEveryTileAndTheTotals)
{
    ImportResult result;
    result.tiles = {{{36, -85}, TileOutcome::Written, 12, 340}, {{50, 6}, TileOutcome::Kept, 0, 0},
        {{49, 6}, TileOutcome::NoData, 0, 0}, {{48, -123}, TileOutcome::Written, 3, 0}};
    std::ostringstream out;
    WriteSummary(out, result);
    EXPECT_EQ(out.str(),
        "MARN/W084/W084N36.33E  written, nodes filled 12, nodes missing 340\n"
        "MARN/E006/E006N50.63E  kept (exists; --force replaces it)\n"
        "MARN/E006/E006N49.33E  not written (no data)\n"
        "MARN/W122/W122N48.33E  written, nodes filled 3, nodes missing 0\n"
        "tiles written 2, kept 1, without data 1; nodes filled 15, nodes missing 340\n");
}

TEST(WriteWarnings, CountsClampedHeightsOnlyWhenThereAreAny)
{
    std::ostringstream none;
    WriteWarnings(none, {});
    EXPECT_EQ(none.str(), "");
    std::ostringstream some;
    WriteWarnings(some, {2, 1, 4});
    EXPECT_EQ(some.str(),
        "marn import: warning: 7 heights clamped (2 above 32767, 1 below -32768, 4 of -9999 written as -9998)\n");
}

} // namespace
} // namespace marn::import
