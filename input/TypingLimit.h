#pragma once
// A character limit for what the user types or pastes into a text box. Unlike
// QLineEdit::setMaxLength it leaves text that the program itself puts into the
// field untouched, and it never refuses an edit that does not make the text
// longer, so an over-long text can still be shortened or have a character replaced.

#include <QValidator>

class QLineEdit;

namespace marn {

class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit& field, qsizetype limit);

    // Refuses an edit that makes the text longer than the limit and longer
    // than it was; the field's own textChanged keeps the size before the edit.
    State validate(QString& input, int& pos) const override;

    // Puts a typing limit on the field (the field owns it).
    static void apply(QLineEdit& field, qsizetype limit);

    qsizetype limit() const { return limit_; }

private:
    qsizetype limit_;
    qsizetype acceptedSize_; // the field's text size before the edit being validated
};

} // namespace marn
