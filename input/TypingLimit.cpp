#include "input/TypingLimit.h"

#include <QLineEdit>

#include <algorithm>

namespace marn {

TypingLimit::TypingLimit(QLineEdit& field, qsizetype limit, Exemption unlimited)
    : QValidator(&field), field_(field), limit_(limit), unlimited_(std::move(unlimited)), accepted_(field.text())
{
    connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

QValidator::State TypingLimit::validate(QString& input, int& pos) const
{
    // Text the program sets arrives with the field unmodified (setText clears
    // the flag before validating); only the user's edits are limited.
    if (input.size() <= std::max(limit_, accepted_.size()) || !field_.isModified() || (unlimited_ && unlimited_(input)))
        return Acceptable;
    // The edit inserted text that ends at the cursor; what follows the cursor
    // was there before. Keep the start of the text up to the size allowed,
    // then the rest after the cursor.
    const qsizetype size = std::max(limit_, accepted_.size());
    const qsizetype after = std::clamp<qsizetype>(input.size() - pos, 0, size);
    const QString cut = input.left(size - after) + input.right(after);
    if (cut == accepted_)
        return Invalid;
    input = cut;
    pos = static_cast<int>(size - after);
    return Acceptable;
}

void TypingLimit::apply(QLineEdit& field, qsizetype limit, Exemption unlimited)
{
    field.setValidator(new TypingLimit(field, limit, std::move(unlimited)));
}

} // namespace marn
