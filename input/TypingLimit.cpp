#include "input/TypingLimit.h"

#include <QLineEdit>

namespace marn {

TypingLimit::TypingLimit(QLineEdit& field, qsizetype limit)
    : QValidator(&field), limit_(limit), acceptedSize_(field.text().size())
{
    connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { acceptedSize_ = text.size(); });
}

QValidator::State TypingLimit::validate(QString& input, int&) const
{
    if (input.size() > limit_ && input.size() > acceptedSize_)
        return Invalid;
    return Acceptable;
}

void TypingLimit::apply(QLineEdit& field, qsizetype limit)
{
    field.setValidator(new TypingLimit(field, limit));
}

} // namespace marn
