#include "ui/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>

#include <cstdlib>

namespace marn {

MessageAnswer QtPlatform::messageBox(const QString& text, MessageButtons buttons)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); // the box breaks lines at "\n" alone
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), shown,
        buttons == MessageButtons::Ok ? QMessageBox::Ok : (QMessageBox::Yes | QMessageBox::No));
    box.setTextFormat(Qt::PlainText);
    const int pressed = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtPlatform::processEvents()
{
    QCoreApplication::processEvents();
}

void QtPlatform::endProgram()
{
    static bool ending = false;
    if (!ending) {
        ending = true;
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    }
    std::exit(0);
}

ScreenMetrics QtPlatform::screen() const
{
    if (screenOverride_)
        return *screenOverride_;
    return PrimaryScreenMetrics();
}

QString QtPlatform::programDir() const
{
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::picturesHome() const
{
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

QString QtPlatform::configHome() const
{
    return ConfigHomeFromEnvironment();
}

QString QtPlatform::chooseDirectory(const QString& start)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(),
        QStringLiteral("Choose the folder that holds MARN"), start.isEmpty() ? QDir::homePath() : start);
}

QString QtPlatform::chooseSaveFile(const QString& start, const QString& filter)
{
    return QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QString(), start.isEmpty() ? QDir::homePath() : start, filter);
}

QString ConfigHomeFromEnvironment()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

ScreenMetrics PrimaryScreenMetrics()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr)
        return {};
    const double dpi = primary->logicalDotsPerInchX();
    return {primary->size().width(), primary->size().height(), dpi > 0.0 ? 1440.0 / dpi : 15.0};
}

} // namespace marn
