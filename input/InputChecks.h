#pragma once
// The two checks of the input window, as functions of the field texts alone:
// the digit check that runs after every change of a number field, and the
// check that OK runs over all seven fields before the hand-over.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace marn {

// Result of the digit check: the complaint to show (if any) and the text the
// field is to hold afterwards.
struct DigitCheck {
    std::optional<QString> complaint;
    QString text;
};

// An empty text passes. Otherwise the text is cut before its first character
// that is not a digit 0..9, with one "Only numbers are permissible!" message.
DigitCheck CheckDigits(const QString& text);

// The seven entry fields of the input window, Text1 .. Text7 at indexes 0 .. 6.
inline constexpr int FieldCount = 7;
using FieldTexts = std::array<QString, FieldCount>;

enum Field : int { LatDegrees, LatLetter, LatMinutes, LonDegrees, LonLetter, LonMinutes, LengthKm };

// A default the OK check put into an empty field on its way.
struct FilledDefault {
    Field field;
    QString text;
};

// The first step of the OK check that failed.
struct OkFailure {
    QString message;
    Field focus;       // the field that gets the focus
    bool fieldEmptied; // whether that field is emptied
};

// What a passing OK check hands over.
struct CenterPoint {
    double CenterLat = 0.0;
    double CenterLon = 0.0;
    std::int16_t AreaLengthKm = 0;
};

struct OkCheck {
    std::vector<FilledDefault> defaults; // filled in order, kept even when a later step fails
    std::variant<OkFailure, CenterPoint> outcome;
};

// Runs the checks of OK in their fixed order and stops at the first failure.
OkCheck CheckOk(const FieldTexts& texts);

// The seven texts that show a centre point and length in the fields: whole
// degrees and minutes, each angle rounded to the nearest minute (halves up),
// its hemisphere letter ("S" and "W" only for a value that stays below zero
// after rounding) and the length in whole km. OK over these texts gives the
// rounded centre back.
FieldTexts CenterPointTexts(const CenterPoint& point);

} // namespace marn
