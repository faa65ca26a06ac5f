// Runs the marn tool's profile command as a separate process.

#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"
#include "tests/support/TileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace marn {
namespace {

// "marn <arguments>", its standard error left out.
std::pair<std::string, int> Marn(const std::string& arguments)
{
    return test::Shell(std::string(MARN_EXE) + " " + arguments + " 2>/dev/null");
}

std::vector<std::vector<std::string>> CsvRows(const std::string& path)
{
    std::ifstream file(path);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(file, line);) {
        std::vector<std::string> fields;
        std::stringstream stream(line);
        for (std::string field; std::getline(stream, field, ',');)
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

// Nodes on 7.5E rising 20 m a row (3") from 200 m at 47N to 1400 m at
// 47.05N, then falling 10 m a row to 800 m at 47.1N: summaries worked by hand.
TEST(ProfileCommand, PrintsTheSummaryAndWritesTheCsv)
{
    test::TempDir dir;
    test::WriteTile(dir.path(), 47, 7, [](double lat, double) {
        const int row = static_cast<int>(std::lround((lat - 47.0) * 1200.0));
        return static_cast<std::int16_t>(row <= 60 ? 200 + 20 * row : 1400 - 10 * (row - 60));
    });
    const std::string drive = "profile --data-drive " + dir.path() + " ";
    const std::string csv = dir.path() + "/p.csv";
    const struct {
        std::string arguments, out;
        int status;
    } cases[] = {
        {drive + "--from 47,7.5 --to 47.1,7.5",
            "distance: 11.120 km\nlowest: 200 m at 0.000 km (47.000000, 7.500000)\n"
            "highest: 1400 m at 5.560 km (47.050000, 7.500000)\nascent: 1200 m\ndescent: 600 m\n"
            "points: 121, missing: 0\n",
            0},
        {drive + "--from=47.1,7.5 --to=47,7.5 --points 3 --csv " + csv,
            "distance: 11.120 km\nlowest: 200 m at 11.120 km (47.000000, 7.500000)\n"
            "highest: 1400 m at 5.560 km (47.050000, 7.500000)\nascent: 600 m\ndescent: 1200 m\n"
            "points: 3, missing: 0\n",
            0},
        {drive + "--from 47,7.5 --to 47.2,7.5 --step-m 5600",
            "distance: 22.240 km\nlowest: -400 m at 22.240 km (47.200000, 7.500000)\n"
            "highest: 1400 m at 5.560 km (47.050000, 7.500000)\nascent: 1200 m\ndescent: 1800 m\n"
            "points: 5, missing: 0\n",
            0},
        {drive + "--from 47,7.5", "", 2},
        {drive + "--from 47,7.5 --to 47.1", "", 2},
        {drive + "--from 47,7.5 --to 47,7.5", "", 2},
        {drive + "--from 47,7.5 --to 47.1,7.5 --points 1", "", 2},
        {drive + "--from 47,7.5 --to 47.1,7.5 --points 4 --step-m 100", "", 2},
        {drive + "--from 47,7.5 --to 47.1,7.5 --step-m 0", "", 2},
        {drive + "--from 47,7.5 --to 47.1,7.5 extra", "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(Marn(c.arguments), std::make_pair(c.out, c.status));
    }
    // the second case's CSV: 47.1N, 47.05N, 47N
    const auto rows = CsvRows(csv);
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"distance km", "latitude", "longitude", "height m"}));
    const double lats[] = {47.1, 47.05, 47.0};
    const char* const expected[][2] = {{"0.0000", "800"}, {"5.5600", "1400"}, {"11.1200", "200"}};
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(rows[k + 1].size(), 4U);
        EXPECT_EQ(rows[k + 1][0], expected[k][0]);
        EXPECT_NEAR(std::stod(rows[k + 1][1]), lats[k], 1e-9);
        EXPECT_EQ(rows[k + 1][2], "7.5");
        EXPECT_EQ(rows[k + 1][3], expected[k][1]);
    }

    // the command that writes only text does not load the window toolkit; the plot is a PNG
    const std::string libraries = test::Shell("ldd " MARN_EXE).first;
    EXPECT_NE(libraries.find("libc."), std::string::npos);
    EXPECT_EQ(libraries.find("libQt"), std::string::npos);
    ASSERT_EQ(Marn(drive + "--from 47,7.5 --to 47.1,7.5 --png " + dir.path() + "/p.png").second, 0);
    std::ifstream png(dir.path() + "/p.png", std::ios::binary);
    char magic[8] = {};
    png.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
}

} // namespace
} // namespace marn
