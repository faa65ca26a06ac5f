#pragma once
// The platform services for drawing a picture without a screen: messages go to
// the error stream, ending the program is only recorded (the caller decides how
// the process ends), and the screen has a fixed size.

#include "ui/Platform.h"

#include <QStringList>

namespace marn {

class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(ScreenMetrics screen);

    // Writes the message to stderr (lines on lines of their own) and records
    // it; a Yes/No question is answered No.
    MessageAnswer messageBox(const QString& text, MessageButtons buttons = MessageButtons::Ok) override;
    void processEvents() override;
    void endProgram() override { programEnded_ = true; }
    ScreenMetrics screen() const override { return screen_; }
    QString programDir() const override;
    QString configHome() const override;
    // There is no one to ask: always "" (cancelled).
    QString chooseDirectory(const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&) override { return {}; }

    bool programEnded() const { return programEnded_; }
    const QStringList& messages() const { return messages_; }

private:
    ScreenMetrics screen_;
    QStringList messages_;
    bool programEnded_ = false;
};

} // namespace marn
