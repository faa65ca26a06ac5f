// The input window's digit check and OK check, run on texts alone.

#include "input/InputChecks.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

struct DigitCase {
    const char* text;
    bool complains;
    const char* after;
};

class DigitCheckTest : public ::testing::TestWithParam<DigitCase> {};

TEST_P(DigitCheckTest, CutsBeforeTheFirstCharacterThatIsNoDigit)
{
    const DigitCase& c = GetParam();
    const DigitCheck check = CheckDigits(QString::fromUtf8(c.text));
    EXPECT_EQ(check.complaint.has_value(), c.complains);
    if (check.complaint) {
        EXPECT_EQ(*check.complaint, QStringLiteral("Only numbers are permissible!"));
    }
    EXPECT_EQ(check.text, QString::fromUtf8(c.after));
    EXPECT_FALSE(CheckDigits(check.text).complaint) << "the cut text must pass the check it causes";
}

INSTANTIATE_TEST_SUITE_P(Texts, DigitCheckTest,
    ::testing::Values(DigitCase{"", false, ""}, DigitCase{"0123456789", false, "0123456789"}, DigitCase{"a5", true, ""},
        DigitCase{"12a", true, "12"}, DigitCase{"1a2b", true, "1"}, DigitCase{"4 ", true, "4"},
        DigitCase{"-3", true, ""}, DigitCase{"7\xc2\xb2", true, "7"}, DigitCase{"\xd9\xa3", true, ""}));

FieldTexts Fields(const char* latDeg, const char* latLetter, const char* latMin, const char* lonDeg,
    const char* lonLetter, const char* lonMin, const char* length)
{
    return {QString::fromLatin1(latDeg), QString::fromLatin1(latLetter), QString::fromLatin1(latMin),
        QString::fromLatin1(lonDeg), QString::fromLatin1(lonLetter), QString::fromLatin1(lonMin),
        QString::fromLatin1(length)};
}

struct FailureCase {
    const char* name;
    FieldTexts fields;
    const char* message;
    Field focus;
    bool emptied;
    std::vector<Field> defaultsFilled;
};

class OkFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(OkFailureTest, StopsAtTheFirstFailingStep)
{
    const FailureCase& c = GetParam();
    const OkCheck check = CheckOk(c.fields);
    const auto* failure = std::get_if<OkFailure>(&check.outcome);
    ASSERT_NE(failure, nullptr);
    EXPECT_EQ(failure->message, QString::fromLatin1(c.message));
    EXPECT_EQ(failure->focus, c.focus);
    EXPECT_EQ(failure->fieldEmptied, c.emptied);
    std::vector<Field> filled;
    for (const FilledDefault& d : check.defaults)
        filled.push_back(d.field);
    EXPECT_EQ(filled, c.defaultsFilled);
}

const char* const Minutes = "Only values from 0 to 59 are permissible!";
const char* const Length = "Only values from 20 to 3000 are permissible!";

INSTANTIATE_TEST_SUITE_P(Steps, OkFailureTest,
    ::testing::Values(FailureCase{"AllEmpty", Fields("", "", "", "", "", "", ""), "The latitude degrees are required.",
                          LatDegrees, false, {}},
        FailureCase{"LatitudeAbove90BeforeMissingLetter", Fields("95", "", "", "", "", "", ""),
            "Only values from 0 to 90 are permissible!", LatDegrees, true, {}},
        FailureCase{"LetterMissing", Fields("48", "", "", "", "", "", ""), "The latitude N/S letter is required.",
            LatLetter, false, {}},
        FailureCase{"LetterWrong", Fields("48", "X", "", "", "", "", ""), "Only 'N' or 'S' is permissible!", LatLetter,
            true, {}},
        FailureCase{"LowerCaseLetterIsNotExact", Fields("48", "n", "", "11", "E", "", ""),
            "Only 'N' or 'S' is permissible!", LatLetter, true, {}},
        FailureCase{"LatMinutes60", Fields("48", "N", "60", "", "", "", ""), Minutes, LatMinutes, true, {}},
        FailureCase{"LongitudeMissingKeepsMinutesDefault", Fields("48", "N", "", "", "", "", ""),
            "The longitude degrees are required.", LonDegrees, false, {LatMinutes}},
        FailureCase{"LongitudeAbove180", Fields("48", "N", "", "181", "", "", ""),
            "Only values from 0 to 180 are permissible!", LonDegrees, true, {LatMinutes}},
        FailureCase{"EastWestMissing", Fields("48", "N", "0", "11", "", "", ""),
            "The longitude E/W letter is required.", LonLetter, false, {}},
        FailureCase{"EastWestWrong", Fields("48", "N", "0", "11", "O", "", ""), "Only 'E' or 'W' is permissible!",
            LonLetter, true, {}},
        FailureCase{
            "LonMinutes60", Fields("48", "N", "", "11", "E", "60", ""), Minutes, LonMinutes, true, {LatMinutes}},
        FailureCase{
            "Length19", Fields("48", "N", "", "11", "E", "", "19"), Length, LengthKm, true, {LatMinutes, LonMinutes}},
        FailureCase{"Length3001", Fields("48", "N", "1", "11", "E", "2", "3001"), Length, LengthKm, true, {}},
        FailureCase{"LengthNotDigits", Fields("48", "N", "1", "11", "E", "2", "5x"), Length, LengthKm, true, {}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(OkCheckTest, DefaultsAreTheTextsTheFieldsShow)
{
    const OkCheck check = CheckOk(Fields("48", "N", "", "11", "E", "30", ""));
    ASSERT_EQ(check.defaults.size(), 2U);
    EXPECT_EQ(check.defaults[0].field, LatMinutes);
    EXPECT_EQ(check.defaults[0].text, QStringLiteral("0"));
    EXPECT_EQ(check.defaults[1].field, LengthKm);
    EXPECT_EQ(check.defaults[1].text, QStringLiteral("50"));
}

struct PassCase {
    const char* name;
    FieldTexts fields;
    double lat;
    double lon;
    std::int16_t lengthKm;
};

class OkPassTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(OkPassTest, ConvertsToSignedDegreesAndLength)
{
    const PassCase& c = GetParam();
    const OkCheck check = CheckOk(c.fields);
    const auto* point = std::get_if<CenterPoint>(&check.outcome);
    ASSERT_NE(point, nullptr) << std::get<OkFailure>(check.outcome).message.toStdString();
    EXPECT_DOUBLE_EQ(point->CenterLat, c.lat);
    EXPECT_DOUBLE_EQ(point->CenterLon, c.lon);
    EXPECT_EQ(point->AreaLengthKm, c.lengthKm);
}

INSTANTIATE_TEST_SUITE_P(Values, OkPassTest,
    ::testing::Values(PassCase{"Defaults", Fields("48", "N", "", "11", "E", "30", ""), 48.0, 11.5, 50},
        PassCase{"SouthWest", Fields("33", "S", "30", "70", "W", "45", "20"), -33.5, -70.75, 20},
        PassCase{"North90With59", Fields("90", "N", "59", "0", "E", "0", "3000"), 90.0 + 59.0 / 60.0, 0.0, 3000},
        PassCase{"West180With59", Fields("0", "N", "0", "180", "W", "59", "100"), 0.0, -(180.0 + 59.0 / 60.0), 100},
        PassCase{"LeadingZeros", Fields("007", "N", "05", "011", "E", "00", "0050"), 7.0 + 5.0 / 60.0, 11.0, 50},
        PassCase{"Salish", Fields("49", "N", "0", "123", "W", "30", "50"), 49.0, -123.5, 50}),
    [](const ::testing::TestParamInfo<PassCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
