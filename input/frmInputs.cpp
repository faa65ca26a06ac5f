#include "input/frmInputs.h"

#include "core/SharedState.h"
#include "input/ActivationHandler.h"
#include "input/FirstStart.h"
#include "input/Settings.h"
#include "input/SettingsWindowSet.h"
#include "input/TypingLimit.h"
#include "picture/frmPicture.h"
#include "ui/EnterKey.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>

namespace marn {

namespace {

struct FieldLayout {
    const char* name;
    int limit;
    bool digits; // digits only; otherwise made upper case
    int left, top, width, height;
};

// Text1 .. Text7 in tab order, positions in twips.
constexpr std::array<FieldLayout, FieldCount> FieldLayouts{{
    {"Text1", 2, true, 1215, 1995, 780, 495},
    {"Text2", 1, false, 2115, 1995, 495, 495},
    {"Text3", 2, true, 2715, 1995, 885, 495},
    {"Text4", 3, true, 4980, 1995, 780, 510},
    {"Text5", 1, false, 5895, 1995, 495, 495},
    {"Text6", 2, true, 6525, 1995, 885, 495},
    {"Text7", 4, true, 3090, 4170, 1095, 495},
}};

struct LabelLayout {
    const char* text;
    int left, top;
};

// Label1 .. Label10.
const std::array<LabelLayout, 10> LabelLayouts{{
    {"MARN_VIEWER", 3210, 420},
    {"V 2.0  ib", 5730, 450},
    {"Please enter the co-ordinates of the centerpoint", 2160, 1095},
    {"Latitude", 330, 2025},
    {"Longitude", 3975, 2025},
    // The column header, spaced as it is shown.
    // clang-format off
    {"Degrees" "    " "N/S" "    " "Minutes" "                         " "Degrees" "    " "E/W" "    " "Minutes", 1170, 1620},
    // clang-format on
    {"West - East length of display area", 2385, 3780},
    {"km (no input = 50 km)", 4260, 4245},
    {"(Missing minutes are set to 0)", 2970, 2655},
    {"(Permissible values are 20 to 3000 km)", 2400, 4845},
}};

constexpr int ClientWidthTwips = 8490;
constexpr int ClientHeightTwips = 6900;

} // namespace

frmInputs::frmInputs(SharedState& state, Platform& platform, PictureCommands* commands, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform), commands_(commands),
      settings_(std::make_unique<SettingsWindowSet>(state, platform))
{
    setObjectName(QStringLiteral("frmInputs"));
    setWindowTitle(QStringLiteral("MARN_VIEWER data input"));
    client_ = new QWidget(this);
    setCentralWidget(client_);
    createFields();
    createButtons();
    createLabels();
    createMenu();

    const ScreenMetrics screen = platform.screen();
    client_->setFixedSize(TwipsToPx(ClientWidthTwips, screen), TwipsToPx(ClientHeightTwips, screen));
    adjustSize();
    setFixedSize(sizeHint());
    CentreOnScreen(*this, screen);
    new ActivationHandler(*this, [this] { Form_Activate(); });
}

frmInputs::~frmInputs() = default;

void frmInputs::createFields()
{
    const ScreenMetrics screen = platform_.screen();
    for (int i = 0; i < FieldCount; ++i) {
        const FieldLayout& layout = FieldLayouts[static_cast<std::size_t>(i)];
        auto* edit = new QLineEdit(client_);
        edit->setObjectName(QString::fromLatin1(layout.name));
        edit->setGeometry(TwipsRect(layout.left, layout.top, layout.width, layout.height, screen));
        TypingLimit::apply(*edit, layout.limit);
        edit->installEventFilter(this);
        if (layout.digits)
            connect(edit, &QLineEdit::textChanged, this, [this, edit] { DigitChange(*edit); });
        else
            connect(edit, &QLineEdit::textChanged, this, [this, edit] { LetterChange(*edit); });
        fields_[static_cast<std::size_t>(i)] = edit;
    }
    Text1 = fields_[LatDegrees];
    Text2 = fields_[LatLetter];
    Text3 = fields_[LatMinutes];
    Text4 = fields_[LonDegrees];
    Text5 = fields_[LonLetter];
    Text6 = fields_[LonMinutes];
    Text7 = fields_[LengthKm];
}

void frmInputs::createButtons()
{
    const ScreenMetrics screen = platform_.screen();
    const auto button = [&](const char* name, const char* text, int left, int top) {
        auto* b = new QPushButton(QString::fromLatin1(text), client_);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(TwipsRect(left, top, 1485, 570, screen));
        b->setAutoDefault(false);
        b->setDefault(false);
        b->installEventFilter(this);
        return b;
    };
    Command1 = button("Command1", "OK", 6510, 5925);
    Command2 = button("Command2", "Cancel", 480, 5940);
    connect(Command1, &QPushButton::clicked, this, &frmInputs::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmInputs::Command2_Click);

    const std::array<QWidget*, FieldCount + 2> tabOrder{
        Text1, Text2, Text3, Text4, Text5, Text6, Text7, Command1, Command2};
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void frmInputs::createLabels()
{
    const ScreenMetrics screen = platform_.screen();
    for (std::size_t i = 0; i < LabelLayouts.size(); ++i) {
        auto* label = new QLabel(QString::fromLatin1(LabelLayouts[i].text), client_);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->move(TwipsToPx(LabelLayouts[i].left, screen), TwipsToPx(LabelLayouts[i].top, screen));
        label->adjustSize();
        Labels[i] = label;
    }
    QFont title = Labels[0]->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.5);
    Labels[0]->setFont(title);
    Labels[0]->adjustSize();
}

void frmInputs::createMenu()
{
    Drive = menuBar()->addAction(QStringLiteral("Edit Drive.dat"));
    Drive->setObjectName(QStringLiteral("Drive"));
    PicPath = menuBar()->addAction(QStringLiteral("Set path for stored pictures"));
    PicPath->setObjectName(QStringLiteral("PicPath"));
    connect(Drive, &QAction::triggered, this, &frmInputs::Drive_Click);
    connect(PicPath, &QAction::triggered, this, &frmInputs::PicPath_Click);
}

void frmInputs::Form_Activate()
{
    if (handedOver_)
        return;
    state_.Reader.OpenTileName.clear();
    const std::string settingsDir = SettingsDirectory(platform_);
    const std::string programDir = QFile::encodeName(platform_.programDir()).toStdString();
    const std::string sampleData = InstalledSampleData(programDir);
    if (!sampleData.empty()) {
        const QString pictures = platform_.picturesHome();
        WriteFirstStartSettings(settingsDir,
            {sampleData, pictures.isEmpty() ? std::string() : QFile::encodeName(pictures + "/marn").toStdString()});
    }
    LoadSettings(state_, settingsDir, *settings_);
}

void frmInputs::DigitChange(QLineEdit& field)
{
    const DigitCheck check = CheckDigits(field.text());
    if (!check.complaint)
        return;
    platform_.messageBox(*check.complaint);
    field.setText(check.text);
}

void frmInputs::LetterChange(QLineEdit& field)
{
    const QString upper = field.text().toUpper();
    if (upper != field.text())
        field.setText(upper);
}

bool frmInputs::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsEnterPress(event))
        return QMainWindow::eventFilter(watched, event);
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        button->click();
        return true;
    }
    // Enter in a field moves the focus to the next field, from the last one to OK.
    const auto* at = std::find(fields_.begin(), fields_.end(), watched);
    if (at != fields_.end()) {
        QWidget* next = at + 1 != fields_.end() ? static_cast<QWidget*>(*(at + 1)) : Command1;
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmInputs::Command1_Click()
{
    FieldTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = fields_[i]->text();
    const OkCheck check = CheckOk(texts);
    for (const FilledDefault& filled : check.defaults)
        fields_[filled.field]->setText(filled.text);
    if (const auto* failure = std::get_if<OkFailure>(&check.outcome)) {
        platform_.messageBox(failure->message);
        if (failure->fieldEmptied)
            fields_[failure->focus]->clear();
        fields_[failure->focus]->setFocus();
        return;
    }
    HandOver(std::get<CenterPoint>(check.outcome));
}

void frmInputs::HandOver(const CenterPoint& point)
{
    state_.CenterLat = point.CenterLat;
    state_.CenterLon = point.CenterLon;
    state_.AreaLengthKm = point.AreaLengthKm;
    handedOver_ = true;
    hide();
    if (!picture_) {
        picture_ = std::make_unique<frmPicture>(state_, platform_);
        picture_->setCommands(commands_);
        picture_->setNewAreaHandler([this] { ShowForNewArea(); });
    }
    picture_->ShowPicture();
}

void frmInputs::ShowForNewArea()
{
    const FieldTexts texts = CenterPointTexts({state_.CenterLat, state_.CenterLon, state_.AreaLengthKm});
    for (std::size_t i = 0; i < texts.size(); ++i)
        fields_[i]->setText(texts[i]);
    handedOver_ = false;
    show();
    raise();
    activateWindow();
    // The user goes on typing where a centre starts: the latitude degrees.
    fields_[0]->setFocus();
    fields_[0]->selectAll();
}

void frmInputs::Command2_Click()
{
    EndProgram();
}

void frmInputs::EndProgram()
{
    ending_ = true;
    platform_.endProgram();
}

void frmInputs::Drive_Click()
{
    settings_->showDriveWindow();
}

void frmInputs::PicPath_Click()
{
    settings_->showPicturePathWindow();
}

// Closing the window from its frame ends the program; the closing that ending
// the program itself causes, and closing after the hand-over, are let through.
void frmInputs::closeEvent(QCloseEvent* event)
{
    if (ending_ || handedOver_) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    EndProgram();
}

} // namespace marn
