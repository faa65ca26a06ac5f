#include "picture/frmPicture.h"

#include "core/DataDirectory.h"
#include "core/GridSetUp.h"
#include "core/SharedState.h"
#include "picture/BuildCoordinateLabels.h"
#include "picture/Einzelergebnis.h"
#include "picture/Fortschritt.h"
#include "picture/HeightPixels.h"
#include "picture/PictureCommands.h"
#include "picture/PixelGeometry.h"
#include "picture/ReadGridHeights.h"
#include "picture/ReadoutPoint.h"
#include "picture/frmWait.h"
#include "ui/DesignFont.h"
#include "ui/LabelArray.h"
#include "ui/PictureBox.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace marn {
namespace {

// Design sizes in twips of the controls whose size no layout rule reads.
constexpr double Label1WidthTwips = 3135.0;
constexpr double Label3WidthTwips = 2895.0;
constexpr double Label3HeightTwips = 255.0;
constexpr double ScaleLabelTwips[2] = {2850.0, 285.0};
constexpr double HeightLabelTwips[2] = {3600.0, 315.0};
constexpr double HeadingTwips[2] = {1800.0, 285.0};
constexpr double LegendLabelTwips[2] = {1650.0, 285.0};
constexpr double Command1Twips[2] = {1215.0, 495.0};
constexpr double CoordinateLabelPoints = 9.0;
constexpr double LegendPoints = 11.0;

const QString VersionLine = QStringLiteral("V2.0  KETTA MARN project");

// Wheel turn of one notch, in eighths of a degree.
constexpr int WheelNotch = 120;

QLabel* MakeLabel(
    QWidget* parent, const QString& name, const QString& text, QSize size, const QFont& font, bool visible)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->resize(size);
    label->setFont(font);
    label->setVisible(visible);
    return label;
}

QLineEdit* MakeSwatch(QWidget* parent, const QString& name)
{
    auto* swatch = new QLineEdit(parent);
    swatch->setObjectName(name);
    swatch->setReadOnly(true);
    swatch->setFocusPolicy(Qt::NoFocus);
    swatch->hide();
    return swatch;
}

void SetSwatchColour(QLineEdit& swatch, QRgb colour)
{
    QPalette palette = swatch.palette();
    palette.setColor(QPalette::Base, QColor(colour));
    swatch.setPalette(palette);
}

} // namespace

frmPicture::frmPicture(SharedState& state, Platform& platform, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform)
{
    setObjectName(QStringLiteral("frmPicture"));
    setWindowTitle(QStringLiteral("Height picture"));
    setFont(DesignFont(8.25));
    createMenu();
    createControls();
}

frmPicture::~frmPicture() = default;

void frmPicture::createMenu()
{
    menExit = menuBar()->addAction(QStringLiteral("Exit"));
    menExit->setObjectName(QStringLiteral("menExit"));
    menPicture = menuBar()->addMenu(QStringLiteral("Picture"));
    menPicture->setObjectName(QStringLiteral("menPicture"));
    MenPictSave = menPicture->addAction(QStringLiteral("Save as"));
    MenPictSave->setObjectName(QStringLiteral("MenPictSave"));
    menPictPrint = menPicture->addAction(QStringLiteral("Print"));
    menPictPrint->setObjectName(QStringLiteral("menPictPrint"));
    menPictGeoTiff = menPicture->addAction(QStringLiteral("Export GeoTIFF…"));
    menPictGeoTiff->setObjectName(QStringLiteral("menPictGeoTiff"));
    menInfo = menuBar()->addAction(QStringLiteral("Info"));
    menInfo->setObjectName(QStringLiteral("menInfo"));

    connect(menExit, &QAction::triggered, this, [this] { menExit_Click(); });
    connect(MenPictSave, &QAction::triggered, this, [this] { MenPictSave_Click(); });
    connect(menPictPrint, &QAction::triggered, this, [this] { menPictPrint_Click(); });
    connect(menPictGeoTiff, &QAction::triggered, this, [this] { menPictGeoTiff_Click(); });
    connect(menInfo, &QAction::triggered, this, [this] { menInfo_Click(); });
    createViewMenu();
}

void frmPicture::createViewMenu()
{
    const auto entry = [this](QMenu* menu, const char* name, const QString& text, QList<QKeySequence> keys) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        if (menu != nullptr)
            menu->addAction(action);
        else
            addAction(action);
        return action;
    };
    menView = menuBar()->addMenu(QStringLiteral("View"));
    menView->setObjectName(QStringLiteral("menView"));
    menBack = entry(menView, "menBack", QStringLiteral("Back"), {QKeySequence(Qt::Key_Backspace)});
    menNewArea = entry(menView, "menNewArea", QStringLiteral("New area\u2026"), {});
    menView->addSeparator();
    menRelief = entry(menView, "menRelief", QStringLiteral("Relief shading"), {});
    menRelief->setCheckable(true);
    menRelief->setChecked(false);

    keyZoomIn = entry(nullptr, "keyZoomIn", QStringLiteral("Zoom in"),
        {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)});
    keyZoomOut = entry(nullptr, "keyZoomOut", QStringLiteral("Zoom out"),
        {QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)});
    keyNorth = entry(nullptr, "keyNorth", QStringLiteral("North"), {QKeySequence(Qt::Key_Up)});
    keySouth = entry(nullptr, "keySouth", QStringLiteral("South"), {QKeySequence(Qt::Key_Down)});
    keyWest = entry(nullptr, "keyWest", QStringLiteral("West"), {QKeySequence(Qt::Key_Left)});
    keyEast = entry(nullptr, "keyEast", QStringLiteral("East"), {QKeySequence(Qt::Key_Right)});

    connect(menBack, &QAction::triggered, this, [this] { menBack_Click(); });
    connect(menNewArea, &QAction::triggered, this, [this] { menNewArea_Click(); });
    connect(menRelief, &QAction::toggled, this, [this] {
        if (state_.PictureReady)
            drawPixels();
    });
    connect(keyZoomIn, &QAction::triggered, this, [this] { ShowView(ZoomedView(state_, 1)); });
    connect(keyZoomOut, &QAction::triggered, this, [this] { ShowView(ZoomedView(state_, -1)); });
    connect(keyNorth, &QAction::triggered, this, [this] { ShowView(MovedView(state_, Direction::North)); });
    connect(keySouth, &QAction::triggered, this, [this] { ShowView(MovedView(state_, Direction::South)); });
    connect(keyWest, &QAction::triggered, this, [this] { ShowView(MovedView(state_, Direction::West)); });
    connect(keyEast, &QAction::triggered, this, [this] { ShowView(MovedView(state_, Direction::East)); });
}

void frmPicture::createControls()
{
    const ScreenMetrics screen = platform_.screen();
    const auto px = [&screen](const double(&twips)[2]) {
        return QSize(TwipsToPx(twips[0], screen), TwipsToPx(twips[1], screen));
    };

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client_);

    Picture1 = new PictureBox(client_);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture2 = new PictureBox(client_);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->hide();
    connect(Picture1, &PictureBox::mouseMoved, this, &frmPicture::Picture1_MouseMove);
    connect(Picture1, &PictureBox::wheelTurned, this, &frmPicture::Picture1_MouseWheel);
    connect(Picture1, &PictureBox::doubleClicked, this, &frmPicture::Picture1_DblClick);

    Command1 = new QPushButton(QStringLiteral("Exit"), Picture1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(DesignFont(LegendPoints));
    Command1->resize(px(Command1Twips));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Label1 = MakeLabel(Picture1, QStringLiteral("Label1"), QStringLiteral("KETTA MARN viewer"),
        QSize(TwipsToPx(Label1WidthTwips, screen), TwipsToPx(Label1HeightTwips, screen)), DesignFont(14.25, true),
        true);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3 = MakeLabel(Picture1, QStringLiteral("Label3"), VersionLine,
        QSize(TwipsToPx(Label3WidthTwips, screen), TwipsToPx(Label3HeightTwips, screen)), DesignFont(9), true);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label2 =
        MakeLabel(Picture1, QStringLiteral("Label2"), QString(), px(ScaleLabelTwips), DesignFont(LegendPoints), true);
    Label4 = MakeLabel(Picture1, QStringLiteral("Label4"), QString(), px(HeightLabelTwips), DesignFont(12), false);
    Label6 = MakeLabel(Picture1, QStringLiteral("Label6"), QString(), px(HeightLabelTwips), DesignFont(12), false);
    Label8 = MakeLabel(Picture1, QStringLiteral("Label8"), QStringLiteral("Heights [m]"), px(HeadingTwips),
        DesignFont(LegendPoints, true), false);

    QLabel** rows[12] = {&Label9, &Label10, &Label11, &Label12, &Label13, &Label14, &Label15, &Label16, &Label17,
        &Label18, &Label19, &Label20};
    QLineEdit** swatches[12] = {
        &Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9, &Text10, &Text11, &Text12};
    for (int r = 0; r < 12; ++r) {
        const QString text = r == 0 ? QStringLiteral("Less than 0") : (r == 1 ? QStringLiteral("0") : QString());
        *rows[r] = MakeLabel(Picture1, QStringLiteral("Label%1").arg(9 + r), text, px(LegendLabelTwips),
            DesignFont(LegendPoints), false);
        *swatches[r] = MakeSwatch(Picture1, QStringLiteral("Text%1").arg(1 + r));
        legendLabels_[static_cast<std::size_t>(r)] = *rows[r];
        legendSwatches_[static_cast<std::size_t>(r)] = *swatches[r];
    }

    const QFont coordinateFont = DesignFont(CoordinateLabelPoints);
    LabNS = MakeLabelArray<16>(Picture1, QStringLiteral("LabNS"),
        QSize(TwipsToPx(LabNSWidthTwipsDesign, screen), TwipsToPx(LabNSHeightTwipsDesign, screen)),
        Qt::AlignRight | Qt::AlignVCenter, coordinateFont);
    LabEWO = MakeLabelArray<16>(Picture1, QStringLiteral("LabEWO"),
        QSize(TwipsToPx(LabEWOWidthTwipsDesign, screen), TwipsToPx(LabEWOHeightTwipsDesign, screen)),
        Qt::AlignHCenter | Qt::AlignVCenter, coordinateFont);
    LabEWU = MakeLabelArray<16>(Picture1, QStringLiteral("LabEWU"),
        QSize(TwipsToPx(LabEWUWidthTwipsDesign, screen), TwipsToPx(LabEWUHeightTwipsDesign, screen)),
        Qt::AlignHCenter | Qt::AlignVCenter, coordinateFont);
}

QLabel* frmPicture::legendLabel(int row) const
{
    return legendLabels_.at(static_cast<std::size_t>(row - 1));
}

QLineEdit* frmPicture::legendSwatch(int row) const
{
    return legendSwatches_.at(static_cast<std::size_t>(row - 1));
}

QWidget* frmPicture::clientArea() const
{
    return client_;
}

void frmPicture::setCommands(PictureCommands* commands)
{
    commands_ = commands;
}

Fortschritt& frmPicture::progressWindow()
{
    if (!progress_)
        progress_ = std::make_unique<Fortschritt>(platform_.screen());
    return *progress_;
}

frmWait& frmPicture::waitWindow()
{
    if (!wait_)
        wait_ = std::make_unique<frmWait>(platform_.screen());
    return *wait_;
}

Einzelergebnis& frmPicture::readoutWindow()
{
    if (!readout_)
        readout_ = std::make_unique<Einzelergebnis>(platform_.screen(), state_.ReadoutFontSize, this);
    return *readout_;
}

bool frmPicture::Form_Load()
{
    state_.PictureReady = false;
    clearPicture();
    const ScreenMetrics screen = platform_.screen();
    layout_ = ComputePictureLayout(screen.widthPx, screen.heightPx, screen.twipsPerPixel,
        static_cast<float>(Label1->width()), static_cast<float>(Label3->width()));

    const QRect window = PixelRect(layout_.Window);
    move(window.topLeft());
    resize(window.size());
    layout()->activate();

    state_.ScreenWidthPx = layout_.ScreenWidthPx;
    state_.ScreenHeightPx = layout_.ScreenHeightPx;
    state_.ReadoutFontSize = layout_.ReadoutFontSize;
    Picture1->setGeometry(PixelRect(layout_.Picture1));
    Command1->move(PixelPoint(layout_.Command1));
    placeTitleLines();

    static_cast<PictureArea&>(state_) = layout_;
    drawFrameAndScale();

    SetUpGrid(state_);
    labels_ = BuildCoordinateLabels(state_, *Picture1, {LabNS, LabEWU, LabEWO});

    if (!sampleHeights() || !showHeightRange())
        return false;

    waitWindow().show();
    platform_.processEvents();
    limits_ = ComputeClassLimits(range_);
    drawPixels();
    drawLegend();
    waitWindow().hide();
    state_.PictureReady = true;
    state_.ReadoutEnabled = true;
    return true;
}

// What a load draws and shows goes back to how a new window has it, so that
// every load of the same view gives the same picture as the first.
void frmPicture::clearPicture()
{
    state_.ReadoutEnabled = false;
    state_.Reader.OpenTileName.clear();
    if (readout_)
        readout_->hide();
    for (const auto* labels : {&LabNS, &LabEWU, &LabEWO}) {
        for (QLabel* label : *labels) {
            label->hide();
            label->clear();
        }
    }
    for (QLabel* label : {Label4, Label6, Label8})
        label->hide();
    for (QLabel* label : legendLabels_)
        label->hide();
    for (QLineEdit* swatch : legendSwatches_)
        swatch->hide();
    Picture1->setBackColor(Picture1->backColor());
    if (progress_)
        progress_->surface->setBackColor(progress_->surface->backColor());
}

void frmPicture::placeTitleLines()
{
    Label1->move(PixelPoint(layout_.Label1));
    if (layout_.Label1FontSize12)
        Label1->setFont(DesignFont(12, true));
    Label3->move(PixelPoint(layout_.Label3));
}

void frmPicture::drawFrameAndScale()
{
    const QRgb black = ToQRgb(FrameColour);
    for (const PxLine& line : FrameLines(layout_))
        Picture1->Line(line.x1, line.y1, line.x2, line.y2, black);

    scaleBar_ = ComputeScaleBar(state_.AreaLengthKm, layout_.PicCols, layout_.ScreenWidthPx, layout_.ScreenHeightPx);
    Label2->move(PixelPoint(scaleBar_.captionPos));
    Label2->setText(QString::fromStdString(scaleBar_.caption));
    for (const PxLine& line : scaleBar_.lines)
        Picture1->Line(line.x1, line.y1, line.x2, line.y2, black);
}

bool frmPicture::sampleHeights()
{
    Fortschritt& progress = progressWindow();
    progress.show();
    platform_.processEvents();
    if (!ReadGridHeights(state_, platform_, progress))
        return false;
    progress.hide();
    platform_.processEvents();
    return true;
}

bool frmPicture::showHeightRange()
{
    range_ = FindHeightRange(state_.GridHeights, state_.PicCols, state_.PicRows);
    const QFont font = DesignFont(state_.ReadoutFontSize);
    Label4->setVisible(true);
    Label4->move(PixelPoint(layout_.MinimumLabel));
    Label4->setFont(font);
    Label4->setText(QString::fromStdString(MinimumText(range_)));
    Label6->setVisible(true);
    Label6->move(PixelPoint(layout_.MaximumLabel));
    Label6->setFont(font);
    Label6->setText(QString::fromStdString(MaximumText(range_)));

    const std::optional<std::string> stop =
        HeightRangeStopMessage(range_, MissingDataDirectoryNote(state_.DataDrive, state_.ProgramDir));
    if (!stop)
        return true;
    platform_.messageBox(QString::fromStdString(*stop));
    platform_.endProgram();
    return false;
}

void frmPicture::drawPixels()
{
    DrawHeightPixels(state_, limits_, Picture1->image(), reliefShading());
    Picture1->update();
}

void frmPicture::drawLegend()
{
    Label8->setVisible(true);
    Label8->move(PixelPoint(layout_.LegendHeading));
    const std::array<std::string, 12> captions = LegendRowCaptions(limits_);
    const std::array<Rgb, 12> colours = LegendRowColours();
    const int swatchSize = layout_.SwatchSize;
    for (std::size_t r = 0; r < legendLabels_.size(); ++r) {
        QLabel* label = legendLabels_[r];
        label->setVisible(true);
        label->move(PixelPoint(layout_.LegendRows[r]));
        label->setText(QString::fromStdString(captions[r]));
        QLineEdit* swatch = legendSwatches_[r];
        swatch->setVisible(true);
        swatch->setGeometry(QRect(PixelPoint(layout_.LegendSwatches[r]), QSize(swatchSize, swatchSize)));
        SetSwatchColour(*swatch, ToQRgb(colours[r]));
    }
}

bool frmPicture::ShowPicture()
{
    if (shownView_)
        history_.push(*shownView_);
    return loadAndShow();
}

// While a picture is on show, it stays on the screen until the next one is
// complete: the load draws behind a frozen window.
bool frmPicture::loadAndShow()
{
    const bool onShow = isVisible();
    if (onShow)
        client_->setUpdatesEnabled(false);
    loading_ = true;
    const bool loaded = Form_Load();
    loading_ = false;
    if (onShow)
        client_->setUpdatesEnabled(true);
    if (!loaded)
        return false;
    shownView_ = CurrentView(state_);
    show();
    return true;
}

void frmPicture::ShowView(const std::optional<View>& view)
{
    if (!view || !state_.PictureReady)
        return;
    SetView(state_, *view);
    ShowPicture();
}

void frmPicture::menBack_Click()
{
    if (!state_.PictureReady)
        return;
    const std::optional<View> previous = history_.pop();
    if (!previous)
        return;
    SetView(state_, *previous);
    loadAndShow();
}

void frmPicture::Picture1_MouseWheel(float x, float y, int angleDelta)
{
    if (!state_.PictureReady) {
        wheelDelta_ = 0;
        return;
    }
    wheelDelta_ += angleDelta;
    const int notches = wheelDelta_ / WheelNotch;
    if (notches == 0)
        return;
    wheelDelta_ -= notches * WheelNotch;
    ShowView(ZoomedViewAt(state_, notches, x, y));
}

void frmPicture::Picture1_DblClick(float x, float y)
{
    ShowView(CentredView(state_, x, y));
}

void frmPicture::setNewAreaHandler(std::function<void()> handler)
{
    newAreaHandler_ = std::move(handler);
}

void frmPicture::menNewArea_Click()
{
    if (!newAreaHandler_ || !state_.PictureReady)
        return;
    if (readout_)
        readout_->hide();
    hide();
    newAreaHandler_();
}

void frmPicture::setReliefShading(bool on)
{
    menRelief->setChecked(on);
}

bool frmPicture::reliefShading() const
{
    return menRelief->isChecked();
}

void frmPicture::Picture1_MouseMove(float x, float y)
{
    if (!ReadoutActive(state_))
        return;
    Einzelergebnis& readout = readoutWindow();
    const std::optional<ReadoutLines> lines = ReadoutAt(state_, x, y);
    if (!lines) {
        readout.hide();
        return;
    }
    readout.show();
    readout.Label2->setText(QString::fromStdString(lines->Height));
    readout.Label1->setText(QString::fromStdString(lines->Coordinates));
}

void frmPicture::Command1_Click()
{
    platform_.endProgram();
}

void frmPicture::menExit_Click()
{
    platform_.endProgram();
}

// Saving and printing take a snapshot of the window, which a load that runs
// behind the picture on show (navigation) has only half drawn: meanwhile the
// entries do nothing.
void frmPicture::MenPictSave_Click()
{
    if (commands_ != nullptr && !loading_)
        commands_->MenPictSave_Click(*this);
}

void frmPicture::menPictPrint_Click()
{
    if (commands_ != nullptr && !loading_)
        commands_->menPictPrint_Click(*this);
}

void frmPicture::menPictGeoTiff_Click()
{
    if (commands_ != nullptr && !loading_)
        commands_->menPictGeoTiff_Click(*this);
}

void frmPicture::menInfo_Click()
{
    if (commands_ != nullptr)
        commands_->menInfo_Click();
}

void frmPicture::closeEvent(QCloseEvent* event)
{
    event->accept();
    platform_.endProgram();
}

} // namespace marn
