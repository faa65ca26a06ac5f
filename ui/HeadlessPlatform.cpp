#include "ui/HeadlessPlatform.h"

#include "ui/QtPlatform.h"

#include <QCoreApplication>

#include <iostream>

namespace marn {

HeadlessPlatform::HeadlessPlatform(ScreenMetrics screen) : screen_(screen) {}

MessageAnswer HeadlessPlatform::messageBox(const QString& text, MessageButtons buttons)
{
    messages_.push_back(text);
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::cerr << lines.toStdString() << '\n';
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

void HeadlessPlatform::processEvents()
{
    QCoreApplication::processEvents();
}

QString HeadlessPlatform::programDir() const
{
    return QCoreApplication::applicationDirPath();
}

QString HeadlessPlatform::configHome() const
{
    return ConfigHomeFromEnvironment();
}

} // namespace marn
