#include "output/frmFilename.h"

#include "core/FileReplacement.h"
#include "core/NativePath.h"
#include "core/SharedState.h"
#include "output/BitmapTarget.h"
#include "output/BmpEncoding.h"
#include "output/PlainFileLookup.h"
#include "ui/EnterKey.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace marn {

namespace {

// Replaces the file whole; the reason when that fails.
std::optional<QString> WriteBitmap(const QString& nativePath, const QByteArray& bitmap)
{
    const ReplaceResult result = WriteFileWhole(QFile::encodeName(nativePath).toStdString(),
        std::string_view(bitmap.constData(), static_cast<std::size_t>(bitmap.size())));
    if (result.ok())
        return std::nullopt;
    return QString::fromLocal8Bit(result.failure.c_str());
}

} // namespace

frmFilename::frmFilename(SharedState& state, Platform& platform, std::function<QImage()> snapshot)
    : frmFilename(state, platform,
          SaveTarget{QStringLiteral("Please enter the filename for the bitmap of this picture (without ending "
                                    "'.bmp'), e.g. Europe"),
              {QStringLiteral(".bmp")},
              [snapshot = std::move(snapshot)](int, const QString& nativePath) -> std::optional<QString> {
                  const QByteArray bitmap = EncodeBmp24(snapshot());
                  if (bitmap.isEmpty())
                      return QStringLiteral("There is no picture to save.");
                  return WriteBitmap(nativePath, bitmap);
              }})
{
}

frmFilename::frmFilename(SharedState& state, Platform& platform, SaveTarget target)
    : state_(state), platform_(platform), target_(std::move(target))
{
    setObjectName("frmFilename");
    setWindowTitle("Filename");
    createControls();
    Form_Load();
}

void frmFilename::createControls()
{
    const ScreenMetrics screen = platform_.screen();
    setFixedSize(TwipsToPx(8865, screen), TwipsToPx(3060, screen));

    Label1 = new QLabel(target_.prompt, this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setGeometry(TwipsRect(135, 405, 8670, 495, screen));

    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setGeometry(TwipsRect(225, 1245, 8325, 495, screen));

    Command1 = new QPushButton("Ok", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(TwipsRect(7260, 2400, 1215, 495, screen));

    Command2 = new QPushButton("Cancel", this);
    Command2->setObjectName("Command2");
    Command2->setGeometry(TwipsRect(180, 2400, 1710, 495, screen));

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    for (QWidget* control : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Command1),
             static_cast<QWidget*>(Command2), static_cast<QWidget*>(this)})
        control->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmFilename::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFilename::Command2_Click);
}

void frmFilename::Form_Load()
{
    CentreOnScreen(*this, platform_.screen());
}

void frmFilename::Form_Activate()
{
    Text1->setFocus();
}

bool frmFilename::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

bool frmFilename::eventFilter(QObject* watched, QEvent* event)
{
    if (IsEscapePress(event)) {
        Command2_Click();
        return true;
    }
    if (IsEnterPress(event) && watched != this) {
        if (watched == Command2)
            Command2_Click();
        else
            Command1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmFilename::Command1_Click()
{
    const QString name = Text1->text();
    if (name.isEmpty()) {
        platform_.messageBox("The filename is missing!");
        keepOpen();
        return;
    }
    if (name.contains('/') || name.contains('\\')) {
        platform_.messageBox(NameWithSeparatorMessage());
        keepOpen();
        return;
    }
    const QString pictureDir = QString::fromStdString(state_.PictureDir);
    QStringList paths;
    QStringList nativePaths;
    std::vector<bool> exists;
    for (const QString& ending : target_.endings) {
        const QString path = BitmapTargetPath(pictureDir, name, ending);
        const QString nativePath =
            QString::fromStdString(NativePath(path.toStdString(), platform_.programDir().toStdString()));
        const PlainFileLookup existing = LookUpPlainFile(nativePath);
        if (!existing.error.isEmpty()) {
            platform_.messageBox(SaveErrorMessage(path, existing.error));
            keepOpen();
            return;
        }
        if (existing.exists
            && platform_.messageBox(OverwriteQuestion(path), MessageButtons::YesNo) != MessageAnswer::Yes) {
            keepOpen();
            return;
        }
        paths << path;
        nativePaths << nativePath;
        exists.push_back(existing.exists);
    }

    QStringList saved;
    for (int k = 0; k < paths.size(); ++k) {
        const std::optional<QString> failure = target_.write(k, nativePaths[k]);
        if (failure) {
            platform_.messageBox(SaveErrorMessage(paths[k], *failure, exists[static_cast<std::size_t>(k)]));
            finish();
            return;
        }
        saved << SavedMessage(name, pictureDir, target_.endings[k]);
    }
    platform_.messageBox(saved.join(QStringLiteral("\r\n")));
    finish();
}

void frmFilename::Command2_Click()
{
    finish();
}

void frmFilename::closeEvent(QCloseEvent* event)
{
    state_.ReadoutEnabled = true;
    QWidget::closeEvent(event);
}

void frmFilename::keepOpen()
{
    Text1->setFocus();
}

void frmFilename::finish()
{
    state_.ReadoutEnabled = true;
    hide();
}

} // namespace marn
