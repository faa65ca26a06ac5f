#include "picture/LatLonFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace marn {
namespace {

struct LatLonCase {
    double lat;
    double lon;
    const char* expected;
};

class LatLonTable : public ::testing::TestWithParam<LatLonCase> {};

TEST_P(LatLonTable, DegreesMinutesSeconds)
{
    const LatLonCase& c = GetParam();
    EXPECT_EQ(FormatLatLon(c.lat, c.lon), c.expected) << c.lat << ", " << c.lon;
}

INSTANTIATE_TEST_SUITE_P(Coordinates, LatLonTable,
    ::testing::Values(LatLonCase{47.5125, -7.25, "47° 30' 45.0\" N  007° 15' 00.0\" W"},
        LatLonCase{0.0, 0.0, "00° 00' 00.0\" N  000° 00' 00.0\" E"},
        LatLonCase{-33.8688, 151.2093, "33° 52' 07.7\" S  151° 12' 33.5\" E"},
        LatLonCase{-0.5, -0.0125, "00° 30' 00.0\" S  000° 00' 45.0\" W"},
        // shown as stored, not normalised
        LatLonCase{65.0, 180.2, "65° 00' 00.0\" N  180° 12' 00.0\" E"},
        LatLonCase{-12.0, -181.5, "12° 00' 00.0\" S  181° 30' 00.0\" W"}));

INSTANTIATE_TEST_SUITE_P(RollOvers, LatLonTable,
    ::testing::Values(
        // 10° 59' 59.96": the seconds round to 60.0 and carry into minutes and degrees
        LatLonCase{10.0 + 59.0 / 60.0 + 59.96 / 3600.0, 7.0, "11° 00' 00.0\" N  007° 00' 00.0\" E"},
        LatLonCase{-(10.0 + 59.0 / 60.0 + 59.96 / 3600.0), -(7.0 + 59.0 / 60.0 + 59.99 / 3600.0),
            "11° 00' 00.0\" S  008° 00' 00.0\" W"},
        // seconds that reach 60 in single precision carry before the rounding
        LatLonCase{46.0 + 29.0 / 60.0 + 59.9999999 / 3600.0, 0.0, "46° 30' 00.0\" N  000° 00' 00.0\" E"},
        // seconds just below the half round down, at 59.94 they stay
        LatLonCase{5.0 + 59.94 / 3600.0, 0.0, "05° 00' 59.9\" N  000° 00' 00.0\" E"}));

TEST(LatLonFormat, RejectsCoordinatesThatAreNotNumbers)
{
    EXPECT_THROW(FormatLatLon(std::nan(""), 7.0), std::invalid_argument);
    EXPECT_THROW(FormatLatLon(47.0, INFINITY), std::invalid_argument);
}

} // namespace
} // namespace marn
