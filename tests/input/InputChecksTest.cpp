// The input window's digit check, OK check and the texts that show a centre
// point again, run on texts alone. Field texts are written "48|N||11|E|30|".

#include "input/InputChecks.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace marn {
namespace {

FieldTexts Fields(const char* joined)
{
    const QStringList parts = QString::fromLatin1(joined).split('|');
    FieldTexts texts;
    std::copy(parts.begin(), parts.end(), texts.begin());
    return texts;
}

TEST(DigitCheck, CutsBeforeTheFirstCharacterThatIsNoDigit)
{
    const struct {
        const char* text;
        const char* after; // nullptr: no complaint
    } cases[] = {{"", nullptr}, {"0123456789", nullptr}, {"a5", ""}, {"12a", "12"}, {"1a2b", "1"}, {"4 ", "4"},
        {"-3", ""}, {"7\xc2\xb2", "7"}, {"\xd9\xa3", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DigitCheck check = CheckDigits(QString::fromUtf8(c.text));
        EXPECT_EQ(check.complaint.value_or("none"), c.after ? "Only numbers are permissible!" : "none");
        EXPECT_EQ(check.text, QString::fromUtf8(c.after ? c.after : c.text));
    }
}

TEST(OkCheck, StopsAtTheFirstFailingStepKeepingTheDefaultsFilledOnItsWay)
{
    const char* const minutes = "Only values from 0 to 59 are permissible!";
    const char* const length = "Only values from 20 to 3000 are permissible!";
    const struct {
        const char* fields;
        const char* message;
        Field focus;
        bool emptied;
        std::vector<Field> defaultsFilled;
    } cases[] = {{"||||||", "The latitude degrees are required.", LatDegrees, false, {}},
        {"95||||||", "Only values from 0 to 90 are permissible!", LatDegrees, true, {}},
        {"48||||||", "The latitude N/S letter is required.", LatLetter, false, {}},
        {"48|X|||||", "Only 'N' or 'S' is permissible!", LatLetter, true, {}},
        {"48|n||11|E||", "Only 'N' or 'S' is permissible!", LatLetter, true, {}},
        {"48|N|60||||", minutes, LatMinutes, true, {}},
        {"48|N|||||", "The longitude degrees are required.", LonDegrees, false, {LatMinutes}},
        {"48|N||181|||", "Only values from 0 to 180 are permissible!", LonDegrees, true, {LatMinutes}},
        {"48|N|0|11|||", "The longitude E/W letter is required.", LonLetter, false, {}},
        {"48|N|0|11|O||", "Only 'E' or 'W' is permissible!", LonLetter, true, {}},
        {"48|N||11|E|60|", minutes, LonMinutes, true, {LatMinutes}},
        {"48|N||11|E||19", length, LengthKm, true, {LatMinutes, LonMinutes}},
        {"48|N|1|11|E|2|3001", length, LengthKm, true, {}}, {"48|N|1|11|E|2|5x", length, LengthKm, true, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        const OkCheck check = CheckOk(Fields(c.fields));
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
}

TEST(OkCheck, ConvertsToSignedDegreesAndLengthFillingTheShownDefaults)
{
    const struct {
        const char* fields;
        CenterPoint expected;
    } cases[] = {{"48|N||11|E|30|", {48.0, 11.5, 50}}, {"33|S|30|70|W|45|20", {-33.5, -70.75, 20}},
        {"90|N|59|0|E|0|3000", {90.0 + 59.0 / 60.0, 0.0, 3000}},
        {"0|N|0|180|W|59|100", {0.0, -(180.0 + 59.0 / 60.0), 100}},
        {"007|N|05|011|E|00|0050", {7.0 + 5.0 / 60.0, 11.0, 50}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        const OkCheck check = CheckOk(Fields(c.fields));
        const auto* point = std::get_if<CenterPoint>(&check.outcome);
        ASSERT_NE(point, nullptr) << std::get<OkFailure>(check.outcome).message.toStdString();
        EXPECT_DOUBLE_EQ(point->CenterLat, c.expected.CenterLat);
        EXPECT_DOUBLE_EQ(point->CenterLon, c.expected.CenterLon);
        EXPECT_EQ(point->AreaLengthKm, c.expected.AreaLengthKm);
    }
    const OkCheck defaults = CheckOk(Fields("48|N||11|E|30|"));
    ASSERT_EQ(defaults.defaults.size(), 2U);
    EXPECT_EQ(defaults.defaults[0].text, QStringLiteral("0"));
    EXPECT_EQ(defaults.defaults[1].text, QStringLiteral("50"));
}

// "New area…" shows the centre in whole minutes, rounded half up, which OK takes back.
TEST(CenterPointTexts, ShowWholeMinutesThatOkTakesBack)
{
    const struct {
        CenterPoint point;
        const char* texts;
    } cases[] = {{{-33.5, -70.75, 3000}, "33|S|30|70|W|45|3000"},
        {{10 + 29.5 / 60, -(20 + 0.5 / 60), 20}, "10|N|30|20|W|1|20"}, {{47.9999, 7.99999, 125}, "48|N|0|8|E|0|125"},
        {{-0.001, -0.001, 40}, "0|N|0|0|E|0|40"}, {{-(90 + 59 / 60.0), 180.0, 400}, "90|S|59|180|E|0|400"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts);
        const FieldTexts texts = CenterPointTexts(c.point);
        EXPECT_EQ(QStringList(texts.begin(), texts.end()).join('|'), QString::fromLatin1(c.texts));
        const OkCheck check = CheckOk(texts);
        ASSERT_TRUE(std::holds_alternative<CenterPoint>(check.outcome));
        EXPECT_NEAR(std::get<CenterPoint>(check.outcome).CenterLat, c.point.CenterLat, 0.5 / 60 + 1e-12);
        EXPECT_NEAR(std::get<CenterPoint>(check.outcome).CenterLon, c.point.CenterLon, 0.5 / 60 + 1e-12);
    }
}

} // namespace
} // namespace marn
