#include "input/frmPicturePath.h"

#include "core/SharedState.h"
#include "input/DirectoryCreation.h"
#include "input/DirectoryList.h"
#include "input/DriveList.h"
#include "input/Settings.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QPushButton>
#include <QShowEvent>

namespace marn {

namespace {

std::string Native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString Shown(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

frmPicturePath::frmPicturePath(SharedState& state, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), platform_(platform)
{
    setObjectName(QStringLiteral("frmPicturePath"));
    setWindowTitle(QStringLiteral("Picture path"));
    const ScreenMetrics screen = platform.screen();
    setFixedSize(TwipsToPx(11550, screen), TwipsToPx(5070, screen));

    const auto label = [&](QLabel*& control, const char* name, const QString& text, QRect twips) {
        control = new QLabel(text, this);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height(), screen));
    };
    const auto button = [&](QPushButton*& control, const char* name, const QString& text, QRect twips) {
        control = new QPushButton(text, this);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height(), screen));
        control->setAutoDefault(false);
    };

    label(Label1, "Label1",
        QStringLiteral("Please select / create a directory for storing pictures from this program."),
        {225, 195, 6510, 285});
    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(TwipsRect(210, 570, 2160, 375, screen));
    Dir1 = new DirectoryList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(TwipsRect(2460, 570, 4050, 3795, screen));
    label(Label3, "Label3", QStringLiteral("Selected directory:"), {7395, 195, 3105, 330});
    label(Label4, "Label4", QString(), {6690, 615, 4785, 795});
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    button(Command1, "Command1", QStringLiteral("Create a new directory"), {6855, 1620, 4335, 495});
    label(Label5, "Label5", QStringLiteral("New (sub-) directory name:"), {6855, 2295, 4320, 360});
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsRect(6825, 2760, 4380, 495, screen));
    button(Command3, "Command3", QStringLiteral("Create directory"), {7800, 3345, 2025, 495});
    button(Command2, "Command2", QStringLiteral("Select this directory"), {6825, 4245, 4335, 495});
    Label5->hide();
    Text1->hide();
    Command3->hide();

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Text1);
    setTabOrder(Text1, Command3);

    connect(Drive1, &DriveList::driveChanged, this, &frmPicturePath::Drive1_Change);
    connect(Dir1, &DirectoryList::pathChanged, this, &frmPicturePath::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, &frmPicturePath::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmPicturePath::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPicturePath::Command2_Click);
    // Enter in the name field creates the directory; Escape is the close box.
    connect(Text1, &QLineEdit::returnPressed, this, &frmPicturePath::Command3_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    CentreOnScreen(*this, screen);
}

void frmPicturePath::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmPicturePath::Form_Activate()
{
    const QString programDir = platform_.programDir();
    state_.SelectedDir = Native(programDir);
    Drive1->setDrive(programDir);
    Dir1->setPath(programDir);
    Dir1_Change();
    Label5->hide();
    Text1->hide();
    Command3->hide();
}

void frmPicturePath::Drive1_Change()
{
    state_.SelectedDrive = Native(Drive1->drive());
    Dir1->setPath(Drive1->drive());
}

void frmPicturePath::Dir1_Change()
{
    state_.SelectedDir = Native(Dir1->path());
    Label4->setText(Dir1->path());
}

void frmPicturePath::Command1_Click()
{
    Label5->show();
    Text1->show();
    Command3->show();
    Text1->setFocus();
}

void frmPicturePath::Command3_Click()
{
    const std::string name = Native(Text1->text());
    if (name.empty()) {
        platform_.messageBox(QStringLiteral("A name for the new directory is required."));
        Text1->setFocus();
        return;
    }
    const std::string path = JoinDirectory(state_.SelectedDir, name);
    const std::string failure = CreateOneDirectory(path);
    if (!failure.empty()) {
        platform_.messageBox(Shown(DirectoryFailedMessage(path, failure)));
        Text1->setFocus();
        return;
    }
    platform_.messageBox(Shown(DirectoryCreatedMessage(path)));
    state_.SelectedDir = path;
    SavePicturePath();
}

void frmPicturePath::Command2_Click()
{
    SavePicturePath();
}

void frmPicturePath::SavePicturePath()
{
    const std::string problem = PictureFolderProblem(state_.SelectedDir);
    if (!problem.empty()) {
        platform_.messageBox(Shown(UnwritablePictureFolderMessage(state_.SelectedDir, problem)));
        return;
    }
    const std::string settingsDir = SettingsDirectory(platform_);
    const WriteResult written = SavePictureFile(settingsDir, state_.SelectedDir);
    if (!written.ok()) {
        platform_.messageBox(
            Shown(WriteFailureMessage(SettingsFilePath(settingsDir, PictureFileName), written.failure)));
        return;
    }
    state_.PictureDir = state_.SelectedDir;
    hide();
}

} // namespace marn
