#include "TypingLimit.h"

#include <QLineEdit>

namespace marn {

TypingLimit::TypingLimit(QLineEdit& field, qsizetype limit)
    : QValidator(&field), field_(field), limit_(limit)
{
}

QValidator::State TypingLimit::validate(QString& input, int&) const
{
    if (input.size() > limit_ && input.size() > field_.text().size())
        return Invalid;
    return Acceptable;
}

void TypingLimit::apply(QLineEdit& field, qsizetype limit)
{
    field.setValidator(new TypingLimit(field, limit));
}

} // namespace marn
