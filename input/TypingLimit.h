#pragma once
// A character limit for what the user types or pastes into a text box. Unlike
// QLineEdit::setMaxLength it leaves text that the program itself puts into the
// field untouched, and it never refuses an edit that does not make the text
// longer, so an over-long text can still be shortened or have a character
// replaced. A paste that would go past the limit keeps its first characters,
// as many as fit.

#include <QValidator>

#include <functional>

class QLineEdit;

namespace marn {

class TypingLimit : public QValidator {
public:
    // Texts for which `unlimited` answers true are not limited.
    using Exemption = std::function<bool(const QString&)>;

    TypingLimit(QLineEdit& field, qsizetype limit, Exemption unlimited = {});

    // An edit by the user that makes the text longer than the limit and longer
    // than it was keeps only the inserted characters that fit (the cursor
    // after them); one that keeps none is refused.
    State validate(QString& input, int& pos) const override;

    // Puts a typing limit on the field (the field owns it).
    static void apply(QLineEdit& field, qsizetype limit, Exemption unlimited = {});

    qsizetype limit() const { return limit_; }

private:
    const QLineEdit& field_;
    qsizetype limit_;
    Exemption unlimited_;
    QString accepted_; // the field's text before the edit being validated
};

} // namespace marn
