// Pasting into the input window's limited fields: the paste keeps its first
// characters up to the limit, and the digit check then runs on them.

#include "core/SharedState.h"
#include "input/frmInputs.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

namespace marn {
namespace {

struct PasteCase {
    const char* name;
    Field field;
    const char* before;
    int cursor;
    const char* pasted;
    const char* after;
    int messages; // "Only numbers are permissible!" shown
};

void PrintTo(const PasteCase& c, std::ostream* os)
{
    *os << c.name;
}

class PasteIntoALimitedField : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteIntoALimitedField, KeepsWhatFitsThenChecksIt)
{
    const PasteCase& c = GetParam();
    test::FakePlatform platform;
    SharedState state;
    frmInputs window(state, platform, nullptr);
    QLineEdit* field = window.field(c.field);
    field->setText(QString::fromLatin1(c.before));
    field->setCursorPosition(c.cursor);
    QApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
    field->paste();
    EXPECT_EQ(field->text(), QString::fromLatin1(c.after));
    EXPECT_EQ(platform.messages.size(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(Pastes, PasteIntoALimitedField,
    ::testing::Values(PasteCase{"LongerThanTheLimit", LengthKm, "", 0, "123456", "1234", 0},
        PasteCase{"AfterOneDigit", LatDegrees, "5", 1, "678", "56", 0},
        PasteCase{"BeforeTheText", LengthKm, "12", 0, "789", "7812", 0},
        PasteCase{"IntoAFullField", LatDegrees, "12", 1, "3", "12", 0},
        PasteCase{"ALetterWithinTheLimit", LatDegrees, "", 0, "1a2", "1", 1},
        PasteCase{"ALetterBeyondTheLimit", LatDegrees, "", 0, "12a", "12", 0},
        PasteCase{"IntoALetterField", LatLetter, "", 0, "north", "N", 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
