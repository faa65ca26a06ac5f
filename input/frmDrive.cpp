#include "input/frmDrive.h"

#include "core/SharedState.h"
#include "input/ActivationHandler.h"
#include "input/Settings.h"
#include "input/TypingLimit.h"
#include "ui/EnterKey.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace marn {

frmDrive::frmDrive(SharedState& state, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), platform_(platform)
{
    setObjectName(QStringLiteral("frmDrive"));
    setWindowTitle(QStringLiteral("Drive.dat"));
    const ScreenMetrics screen = platform.screen();
    setFixedSize(TwipsToPx(3150, screen), TwipsToPx(2400, screen));

    Label1 = new QLabel(QStringLiteral("Please replace the drive letter."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(TwipsRect(180, 270, 2835, 495, screen));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsRect(1245, 930, 480, 495, screen));
    Text1->setText(QString::fromLocal8Bit(state.DataDrive));
    TypingLimit::apply(*Text1, 1);
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textChanged, this, &frmDrive::Text1_Change);

    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(465, 1725, 1995, 495, screen));
    Command1->setAutoDefault(false);
    Command1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmDrive::Command1_Click);

    Label1->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Text1, Command1);

    CentreOnScreen(*this, screen);
    new ActivationHandler(*this, [this] { Form_Activate(); });
}

void frmDrive::Form_Activate()
{
    Text1->setSelection(0, 1);
    Text1->setFocus();
}

void frmDrive::Text1_Change()
{
    const QString upper = Text1->text().toUpper();
    if (upper != Text1->text())
        Text1->setText(upper);
}

bool frmDrive::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsEnterPress(event))
        return QWidget::eventFilter(watched, event);
    if (watched == Text1)
        Command1->setFocus();
    else if (watched == Command1)
        Command1->click();
    return true;
}

void frmDrive::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        platform_.messageBox(QStringLiteral("A drive letter is required."));
        Text1->setFocus();
        return;
    }
    const std::string settingsDir = SettingsDirectory(platform_);
    const std::string drive = Text1->text().toLocal8Bit().toStdString();
    const WriteResult written = SaveDriveFile(settingsDir, drive);
    if (!written.ok()) {
        const std::string path = SettingsFilePath(settingsDir, DriveFileName);
        platform_.messageBox(QString::fromLocal8Bit(WriteFailureMessage(path, written.failure)));
        Text1->setFocus();
        return;
    }
    state_.DataDrive = drive;
    hide();
}

} // namespace marn
