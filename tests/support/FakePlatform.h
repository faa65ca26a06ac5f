#pragma once
// A recording stand-in for the platform services: it keeps every message, answers
// Yes/No questions from a script, and records "program ended" without exiting.

#include "ui/Platform.h"

#include <QCoreApplication>
#include <QStringList>
#include <deque>

namespace marn::test {

class FakePlatform : public Platform {
public:
    explicit FakePlatform(ScreenMetrics screen = {1024, 768, 15.0}, QString programDir = {})
        : screen_(screen), programDir_(std::move(programDir))
    {
    }

    MessageAnswer messageBox(const QString& text, MessageButtons buttons) override
    {
        messages.push_back(text);
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void processEvents() override
    {
        ++processEventsCalls;
        QCoreApplication::processEvents();
    }
    void endProgram() override { programEnded = true; }
    ScreenMetrics screen() const override { return screen_; }
    QString programDir() const override { return programDir_; }
    QString configHome() const override { return configHomeDir; }
    QString picturesHome() const override { return picturesHomeDir; }
    QString chooseDirectory(const QString&) override { return chosenDirectory; }
    QString chooseSaveFile(const QString&, const QString&) override { return chosenSaveFile; }

    void setProgramDir(QString dir) { programDir_ = std::move(dir); }

    QStringList messages;
    std::deque<MessageAnswer> answers; // answers to Yes/No questions, in order
    bool programEnded = false;
    int processEventsCalls = 0;
    QString chosenDirectory; // what the folder chooser answers ("" cancels)
    QString chosenSaveFile;  // what the file chooser answers ("" cancels)
    QString configHomeDir;   // "" keeps the settings next to the program
    QString picturesHomeDir;

private:
    ScreenMetrics screen_;
    QString programDir_;
};

} // namespace marn::test
