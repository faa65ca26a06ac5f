// The field texts that show a centre point and length again ("New area…"):
// whole minutes rounded half up, hemisphere letters, and OK takes them back.

#include "input/InputChecks.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace marn {
namespace {

struct TextsCase {
    const char* name;
    CenterPoint point;
    const char* texts; // Text1 .. Text7 joined by blanks
};

class CenterPointTextsTest : public ::testing::TestWithParam<TextsCase> {};

TEST_P(CenterPointTextsTest, ShowWholeMinutesThatOkTakesBack)
{
    const TextsCase& c = GetParam();
    const FieldTexts texts = CenterPointTexts(c.point);
    EXPECT_EQ(QStringList(texts.begin(), texts.end()).join(' '), QString::fromUtf8(c.texts));
    const OkCheck check = CheckOk(texts);
    ASSERT_TRUE(std::holds_alternative<CenterPoint>(check.outcome));
    EXPECT_NEAR(std::get<CenterPoint>(check.outcome).CenterLat, c.point.CenterLat, 0.5 / 60 + 1e-12);
    EXPECT_NEAR(std::get<CenterPoint>(check.outcome).CenterLon, c.point.CenterLon, 0.5 / 60 + 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Points, CenterPointTextsTest,
    ::testing::Values(TextsCase{"SouthAndWest", {-33.5, -70.75, 3000}, "33 S 30 70 W 45 3000"},
        TextsCase{"HalfAMinuteRoundsUp", {10 + 29.5 / 60, -(20 + 0.5 / 60), 20}, "10 N 30 20 W 1 20"},
        TextsCase{"MinutesCarryIntoDegrees", {47.9999, 7.99999, 125}, "48 N 0 8 E 0 125"},
        TextsCase{"JustSouthOfTheEquatorRoundsToNorth", {-0.001, -0.001, 40}, "0 N 0 0 E 0 40"},
        TextsCase{"TheLargestLatitudeAndLongitude", {-(90 + 59 / 60.0), 180.0, 400}, "90 S 59 180 E 0 400"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
