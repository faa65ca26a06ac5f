#include "input/frmDrive.h"

#include "core/DataDirectory.h"
#include "core/SharedState.h"
#include "input/ActivationHandler.h"
#include "input/DriveEntry.h"
#include "input/Settings.h"
#include "input/TypingLimit.h"
#include "ui/EnterKey.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QPushButton>

#include <algorithm>

namespace marn {

namespace {

constexpr double WindowTwips[2] = {3150, 2400};
constexpr double MarginTwips = 180;
constexpr double GapTwips = 120;
constexpr double FolderFieldTwips = 4800; // the narrowest field for a folder path
constexpr double BrowseWidthTwips = 1125;
constexpr double RowTopTwips = 930;
constexpr double RowHeightTwips = 495;
constexpr double OkTwips[4] = {465, 1725, 1995, 495};

// Anything but a drive letter (or drive and path) is typed and shown as a
// folder: at full length, as typed.
bool IsFolder(const QString& text)
{
    return !text.isEmpty() && !IsDriveLetterValue(text.toLocal8Bit().toStdString());
}

} // namespace

frmDrive::frmDrive(SharedState& state, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), platform_(platform)
{
    setObjectName(QStringLiteral("frmDrive"));
    setWindowTitle(QStringLiteral("Drive.dat"));
    const ScreenMetrics screen = platform.screen();

    Label1 = new QLabel(QStringLiteral("Drive letter or folder with the MARN data:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(TwipsRect(180, 270, 2835, 495, screen));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setText(QString::fromLocal8Bit(state.DataDrive));
    TypingLimit::apply(*Text1, 1, IsFolder);
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textChanged, this, &frmDrive::Text1_Change);

    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmDrive::Command1_Click);

    Command2 = new QPushButton(QStringLiteral("Browse…"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    Command2->installEventFilter(this);
    connect(Command2, &QPushButton::clicked, this, &frmDrive::Command2_Click);
    // Escape is the close box: nothing is stored.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    Label1->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);

    folderLayout_ = IsFolder(Text1->text());
    arrange();
    CentreOnScreen(*this, screen);
    new ActivationHandler(*this, [this] { Form_Activate(); });
}

void frmDrive::arrange()
{
    const ScreenMetrics screen = platform_.screen();
    if (!folderLayout_) {
        setFixedSize(TwipsToPx(WindowTwips[0], screen), TwipsToPx(WindowTwips[1], screen));
        Text1->setGeometry(TwipsRect(1245, RowTopTwips, 480, RowHeightTwips, screen));
        Command2->setGeometry(TwipsRect(1845, RowTopTwips, BrowseWidthTwips, RowHeightTwips, screen));
        Command1->setGeometry(TwipsRect(OkTwips[0], OkTwips[1], OkTwips[2], OkTwips[3], screen));
        return;
    }
    const int margin = TwipsToPx(MarginTwips, screen);
    const int gap = TwipsToPx(GapTwips, screen);
    const int browse = TwipsToPx(BrowseWidthTwips, screen);
    const int textWidth = QFontMetrics(Text1->font()).horizontalAdvance(Text1->text()) + 4 * gap;
    const int narrowest = TwipsToPx(FolderFieldTwips, screen);
    const int widest = std::max(narrowest, screen.widthPx - 4 * margin - gap - browse); // keeps the window on screen
    const int field = std::clamp(textWidth, narrowest, widest);
    const int width = margin + field + gap + browse + margin;
    setFixedSize(width, TwipsToPx(WindowTwips[1], screen));
    const QRect row = TwipsRect(MarginTwips, RowTopTwips, 0, RowHeightTwips, screen);
    Text1->setGeometry(row.x(), row.y(), field, row.height());
    Command2->setGeometry(row.x() + field + gap, row.y(), browse, row.height());
    const QRect ok = TwipsRect(0, OkTwips[1], OkTwips[2], OkTwips[3], screen);
    Command1->setGeometry((width - ok.width()) / 2, ok.y(), ok.width(), ok.height());
    if (x() + width > screen.widthPx)
        move(std::max(0, screen.widthPx - width), y());
}

void frmDrive::Form_Activate()
{
    if (folderLayout_)
        Text1->selectAll();
    else
        Text1->setSelection(0, 1);
    Text1->setFocus();
}

void frmDrive::Text1_Change()
{
    const QString text = Text1->text();
    const bool folder = IsFolder(text);
    if (!folder) {
        const QString upper = text.toUpper();
        if (upper != text) {
            Text1->setText(upper);
            return;
        }
    }
    if (folder || folderLayout_) {
        folderLayout_ = folder;
        arrange();
    }
}

bool frmDrive::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsEnterPress(event))
        return QWidget::eventFilter(watched, event);
    if (watched == Text1)
        Command1->setFocus();
    else if (auto* button = qobject_cast<QPushButton*>(watched))
        button->click();
    return true;
}

void frmDrive::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        platform_.messageBox(QStringLiteral("A drive letter is required."));
        Text1->setFocus();
        return;
    }
    const DriveEntry entry =
        ReadDriveEntry(Text1->text().toLocal8Bit().toStdString(), QFile::encodeName(QDir::homePath()).toStdString());
    if (entry.kind == DriveEntryKind::Relative) {
        platform_.messageBox(QString::fromLocal8Bit(RelativeDriveEntryMessage(entry.value)));
        Text1->setFocus();
        return;
    }
    const std::string& drive = entry.value;
    const std::string missing = MissingDataDirectoryNote(drive, QFile::encodeName(platform_.programDir()).toStdString());
    const char* const keep =
        entry.kind == DriveEntryKind::Letter ? "\r\nKeep this drive letter anyway?" : "\r\nKeep this folder anyway?";
    if (!missing.empty()
        && platform_.messageBox(QString::fromLocal8Bit(missing + keep), MessageButtons::YesNo) != MessageAnswer::Yes) {
        Text1->setFocus();
        return;
    }
    const std::string settingsDir = SettingsDirectory(platform_);
    const WriteResult written = SaveDriveFile(settingsDir, drive);
    if (!written.ok()) {
        const std::string path = SettingsFilePath(settingsDir, DriveFileName);
        platform_.messageBox(QString::fromLocal8Bit(WriteFailureMessage(path, written.failure)));
        Text1->setFocus();
        return;
    }
    state_.DataDrive = drive;
    if (Text1->text().toLocal8Bit().toStdString() != drive)
        Text1->setText(QString::fromLocal8Bit(drive)); // "~" shown expanded, as stored
    hide();
}

void frmDrive::Command2_Click()
{
    const QString current = Text1->text();
    const QString chosen = platform_.chooseDirectory(IsFolder(current) ? current : QString());
    if (chosen.isEmpty())
        return;
    Text1->setText(chosen);
    Command1->setFocus();
}

} // namespace marn
