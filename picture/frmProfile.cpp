#include "picture/frmProfile.h"

#include "core/SharedState.h"
#include "picture/PictureCommands.h"
#include "picture/ProfilePlot.h"
#include "ui/DesignFont.h"
#include "ui/Platform.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace marn {

frmProfile::frmProfile(const FolderSettings& folders, Platform& platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window), folders_(folders), platform_(platform)
{
    setObjectName(QStringLiteral("frmProfile"));
    setWindowTitle(QStringLiteral("Height profile"));
    setFont(DesignFont(11));

    menProfileFile = menuBar()->addMenu(QStringLiteral("Profile"));
    menProfileFile->setObjectName(QStringLiteral("menProfileFile"));
    const auto entry = [this](const char* name, const QString& text, const QKeySequence& key) {
        auto* action = menProfileFile->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        return action;
    };
    menSavePng = entry("menSavePng", QStringLiteral("Save as PNG\u2026"), QKeySequence());
    menSaveCsv = entry("menSaveCsv", QStringLiteral("Save as CSV\u2026"), QKeySequence());
    menProfilePrint = entry("menProfilePrint", QStringLiteral("Print"), QKeySequence());
    menProfileFile->addSeparator();
    menProfileClose = entry("menProfileClose", QStringLiteral("Close"), QKeySequence(Qt::Key_Escape));
    connect(menSavePng, &QAction::triggered, this, [this] { menSave_Click(true); });
    connect(menSaveCsv, &QAction::triggered, this, [this] { menSave_Click(false); });
    connect(menProfilePrint, &QAction::triggered, this, [this] {
        if (commands_ != nullptr)
            commands_->printProfile(page());
    });
    connect(menProfileClose, &QAction::triggered, this, &QWidget::close);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    Plot = new ProfilePlot(client);
    Plot->setObjectName(QStringLiteral("Plot"));
    LabelPoint = new QLabel(client);
    LabelPoint->setObjectName(QStringLiteral("LabelPoint"));
    layout->addWidget(Plot, 1);
    layout->addWidget(LabelPoint);
    setCentralWidget(client);
    connect(Plot, &ProfilePlot::hovered, this, &frmProfile::Plot_Hovered);

    const ScreenMetrics screen = platform_.screen();
    // at the lower right, over the legend: the middle of the picture, where a
    // line is usually drawn, stays in view
    resize(std::max(560, screen.widthPx * 45 / 100), std::max(420, screen.heightPx * 45 / 100));
    move(std::max(0, screen.widthPx - width() - screen.widthPx / 100),
        std::max(0, screen.heightPx - height() - screen.heightPx / 12));
}

void frmProfile::ShowProfile(const ProfileLine& line, const std::vector<ProfileSample>& samples)
{
    line_ = line;
    samples_ = samples;
    Plot->setProfile(line_, samples_);
    LabelPoint->clear();
    show();
    raise();
}

void frmProfile::setCommands(PictureCommands* commands)
{
    commands_ = commands;
}

QImage frmProfile::page() const
{
    return ProfileImage(ProfilePageSize, line_, samples_);
}

void frmProfile::Plot_Hovered(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= samples_.size())
        LabelPoint->clear();
    else
        LabelPoint->setText(QString::fromStdString(ProfilePointText(samples_[static_cast<std::size_t>(index)])));
    emit hovered(index);
}

bool frmProfile::savePng(const QString& path)
{
    if (page().save(path, "PNG"))
        return true;
    platform_.messageBox(QStringLiteral("The profile could not be saved as ") + path + QStringLiteral("."));
    return false;
}

bool frmProfile::saveCsv(const QString& path)
{
    QFile file(path);
    const QByteArray text = QByteArray::fromStdString(ProfileCsv(samples_));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size() && file.flush())
        return true;
    platform_.messageBox(
        QStringLiteral("The profile could not be saved as ") + path + QStringLiteral(".\r\n") + file.errorString());
    return false;
}

void frmProfile::menSave_Click(bool png)
{
    const QString folder = QString::fromStdString(folders_.PictureDir);
    const QString name = png ? QStringLiteral("profile.png") : QStringLiteral("profile.csv");
    const QString start = folder.isEmpty() ? name : QDir(folder).filePath(name);
    const QString path = platform_.chooseSaveFile(
        start, png ? QStringLiteral("PNG picture (*.png)") : QStringLiteral("CSV table (*.csv)"));
    if (path.isEmpty())
        return;
    if (png)
        savePng(path);
    else
        saveCsv(path);
}

void frmProfile::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

} // namespace marn
