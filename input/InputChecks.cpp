#include "input/InputChecks.h"

#include "core/AreaLength.h"
#include "core/CenterLimits.h"

#include <cmath>
#include <limits>
#include <string>

namespace marn {

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The field's digits read as a decimal number; nullopt when the text holds
// anything else. Very long digit strings saturate, which is out of every range.
std::optional<long long> DigitsValue(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        if (value < std::numeric_limits<long long>::max() / 100)
            value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool InRange(const QString& text, long long low, long long high)
{
    const std::optional<long long> value = DigitsValue(text);
    return value && *value >= low && *value <= high;
}

struct RangeStep {
    Field field;
    const char* requiredMessage; // nullptr: an empty field takes the default instead
    const char* defaultText;
    long long low;
    long long high;
    const char* rangeMessage;
};

struct LetterStep {
    Field field;
    const char* requiredMessage;
    QLatin1Char positive;
    QLatin1Char negative;
    const char* letterMessage;
};

// "Only values from 0 to 90 are permissible!" for the range low..high.
std::string RangeMessage(long long low, long long high)
{
    return "Only values from " + std::to_string(low) + " to " + std::to_string(high) + " are permissible!";
}

std::optional<OkFailure> CheckRange(const RangeStep& step, FieldTexts& texts, std::vector<FilledDefault>& defaults)
{
    QString& text = texts[step.field];
    if (text.isEmpty()) {
        if (step.requiredMessage)
            return OkFailure{QString::fromLatin1(step.requiredMessage), step.field, false};
        text = QString::fromLatin1(step.defaultText);
        defaults.push_back({step.field, text});
    }
    if (!InRange(text, step.low, step.high))
        return OkFailure{QString::fromLatin1(step.rangeMessage), step.field, true};
    return std::nullopt;
}

std::optional<OkFailure> CheckLetter(const LetterStep& step, const FieldTexts& texts)
{
    const QString& text = texts[step.field];
    if (text.isEmpty())
        return OkFailure{QString::fromLatin1(step.requiredMessage), step.field, false};
    if (text != QString(step.positive) && text != QString(step.negative))
        return OkFailure{QString::fromLatin1(step.letterMessage), step.field, true};
    return std::nullopt;
}

// Degrees and minutes of |angle| rounded to the nearest minute, and whether
// the rounded value lies below zero.
struct WholeMinutes {
    long long degrees;
    long long minutes;
    bool negative;
};

WholeMinutes RoundToMinutes(double angle)
{
    const auto total = static_cast<long long>(std::floor(std::abs(angle) * 60.0 + 0.5));
    return {total / 60, total % 60, angle < 0.0 && total > 0};
}

double Angle(const QString& degrees, const QString& minutes, const QString& letter, QLatin1Char negative)
{
    double value = static_cast<double>(*DigitsValue(degrees)) + static_cast<double>(*DigitsValue(minutes)) / 60.0;
    if (letter == QString(negative))
        value = value * -1.0;
    return value;
}

} // namespace

DigitCheck CheckDigits(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return {QStringLiteral("Only numbers are permissible!"), text.left(i)};
    }
    return {std::nullopt, text};
}

OkCheck CheckOk(const FieldTexts& fields)
{
    FieldTexts texts = fields;
    OkCheck result{{}, CenterPoint{}};

    static const std::string latMessage = RangeMessage(0, MaxLatitudeDegrees);
    static const std::string lonMessage = RangeMessage(0, MaxLongitudeDegrees);
    static const std::string minutesMessage = RangeMessage(0, MaxMinutes);
    static const std::string defaultLength = std::to_string(DefaultAreaLengthKm);
    static const std::string lengthMessage = RangeMessage(MinAreaLengthKm, MaxAreaLengthKm);
    const RangeStep latDegrees{
        LatDegrees, "The latitude degrees are required.", nullptr, 0, MaxLatitudeDegrees, latMessage.c_str()};
    const LetterStep latLetter{LatLetter, "The latitude N/S letter is required.", QLatin1Char('N'), QLatin1Char('S'),
        "Only 'N' or 'S' is permissible!"};
    const RangeStep latMinutes{LatMinutes, nullptr, "0", 0, MaxMinutes, minutesMessage.c_str()};
    const RangeStep lonDegrees{
        LonDegrees, "The longitude degrees are required.", nullptr, 0, MaxLongitudeDegrees, lonMessage.c_str()};
    const LetterStep lonLetter{LonLetter, "The longitude E/W letter is required.", QLatin1Char('E'), QLatin1Char('W'),
        "Only 'E' or 'W' is permissible!"};
    const RangeStep lonMinutes{LonMinutes, nullptr, "0", 0, MaxMinutes, minutesMessage.c_str()};
    const RangeStep length{
        LengthKm, nullptr, defaultLength.c_str(), MinAreaLengthKm, MaxAreaLengthKm, lengthMessage.c_str()};

    std::optional<OkFailure> failure = CheckRange(latDegrees, texts, result.defaults);
    if (!failure)
        failure = CheckLetter(latLetter, texts);
    if (!failure)
        failure = CheckRange(latMinutes, texts, result.defaults);
    if (!failure)
        failure = CheckRange(lonDegrees, texts, result.defaults);
    if (!failure)
        failure = CheckLetter(lonLetter, texts);
    if (!failure)
        failure = CheckRange(lonMinutes, texts, result.defaults);
    if (!failure)
        failure = CheckRange(length, texts, result.defaults);
    if (failure) {
        result.outcome = *failure;
        return result;
    }

    CenterPoint point;
    point.CenterLat = Angle(texts[LatDegrees], texts[LatMinutes], texts[LatLetter], QLatin1Char('S'));
    point.CenterLon = Angle(texts[LonDegrees], texts[LonMinutes], texts[LonLetter], QLatin1Char('W'));
    point.AreaLengthKm = static_cast<std::int16_t>(*DigitsValue(texts[LengthKm]));
    result.outcome = point;
    return result;
}

FieldTexts CenterPointTexts(const CenterPoint& point)
{
    const WholeMinutes lat = RoundToMinutes(point.CenterLat);
    const WholeMinutes lon = RoundToMinutes(point.CenterLon);
    FieldTexts texts;
    texts[LatDegrees] = QString::number(lat.degrees);
    texts[LatLetter] = QLatin1String(lat.negative ? "S" : "N");
    texts[LatMinutes] = QString::number(lat.minutes);
    texts[LonDegrees] = QString::number(lon.degrees);
    texts[LonLetter] = QLatin1String(lon.negative ? "W" : "E");
    texts[LonMinutes] = QString::number(lon.minutes);
    texts[LengthKm] = QString::number(point.AreaLengthKm);
    return texts;
}

} // namespace marn
