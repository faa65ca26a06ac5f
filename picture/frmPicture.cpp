#include "picture/frmPicture.h"

#include "core/DataDirectory.h"
#include "core/FastHeightSampling.h"
#include "core/GridSetUp.h"
#include "core/Profile.h"
#include "core/SharedState.h"
#include "picture/BuildCoordinateLabels.h"
#include "picture/Einzelergebnis.h"
#include "picture/Fortschritt.h"
#include "picture/HeightPixels.h"
#include "picture/PictureCommands.h"
#include "picture/PixelGeometry.h"
#include "picture/ProfileOverlay.h"
#include "picture/ReadGridHeights.h"
#include "picture/ReadoutPoint.h"
#include "picture/frmProfile.h"
#include "picture/frmWait.h"
#include "ui/DesignFont.h"
#include "ui/LabelArray.h"
#include "ui/PictureBox.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLineF>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include <cmath>

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

// A navigation step lets waiting events (keys, the wheel, painting) run at its
// first row and then at most this often, and shows its bar only once it has
// taken this long.
constexpr qint64 StepEventsEveryMs = 15;
constexpr qint64 StepBarAfterMs = 250;
constexpr int StepBarHeight = 4;
constexpr QRgb StepBarColour = 0xFFC80000;

// Thrown out of the sampling of a step that a newer one has replaced.
struct StepOutdated {};

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
    // Every entry is reached from the keyboard: Alt and the underlined letter
    // opens a menu or runs a bar entry, the shortcuts run an entry directly.
    menExit = menuBar()->addAction(QStringLiteral("&Exit"));
    menExit->setObjectName(QStringLiteral("menExit"));
    menPicture = menuBar()->addMenu(QStringLiteral("&Picture"));
    menPicture->setObjectName(QStringLiteral("menPicture"));
    MenPictSave = menPicture->addAction(QStringLiteral("Save as"));
    MenPictSave->setObjectName(QStringLiteral("MenPictSave"));
    MenPictSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    menPictPrint = menPicture->addAction(QStringLiteral("Print"));
    menPictPrint->setObjectName(QStringLiteral("menPictPrint"));
    menPictPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    menPictGeoTiff = menPicture->addAction(QStringLiteral("Export GeoTIFF…"));
    menPictGeoTiff->setObjectName(QStringLiteral("menPictGeoTiff"));
    menInfo = menuBar()->addAction(QStringLiteral("&Info"));
    menInfo->setObjectName(QStringLiteral("menInfo"));
    menInfo->setShortcut(QKeySequence(Qt::Key_F1));

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
    menView = menuBar()->addMenu(QStringLiteral("&View"));
    menView->setObjectName(QStringLiteral("menView"));
    menBack = entry(menView, "menBack", QStringLiteral("Back"),
        {QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Backspace)});
    menBack->setEnabled(false);
    menNewArea = entry(menView, "menNewArea", QStringLiteral("New area\u2026"), {});
    menView->addSeparator();
    menRelief = entry(menView, "menRelief", QStringLiteral("Relief shading"), {});
    menRelief->setCheckable(true);
    menRelief->setChecked(false);
    menClassesShown = entry(menView, "menClassesShown", QStringLiteral("Classes from the heights shown"), {});
    menClassesShown->setCheckable(true);
    menClassesShown->setChecked(false);
    menView->addSeparator();
    menProfile = entry(menView, "menProfile", QStringLiteral("Profile"), {QKeySequence(Qt::Key_P)});
    keyCancelLine = entry(nullptr, "keyCancelLine", QStringLiteral("Cancel line"), {QKeySequence(Qt::Key_Escape)});

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
    connect(menClassesShown, &QAction::toggled, this, [this] {
        if (state_.PictureReady)
            reclassify();
    });
    connect(menProfile, &QAction::triggered, this, [this] { menProfile_Click(); });
    connect(keyCancelLine, &QAction::triggered, this, [this] { keyCancelLine_Click(); });
    const auto zoom = [this](int notches) {
        navigate([notches](const View& at, const PictureGrid&) { return ZoomedView(at, notches); });
    };
    const auto move = [this](Direction to) {
        navigate([to](const View& at, const PictureGrid& s) { return MovedView(at, s, to); });
    };
    connect(keyZoomIn, &QAction::triggered, this, [zoom] { zoom(1); });
    connect(keyZoomOut, &QAction::triggered, this, [zoom] { zoom(-1); });
    connect(keyNorth, &QAction::triggered, this, [move] { move(Direction::North); });
    connect(keySouth, &QAction::triggered, this, [move] { move(Direction::South); });
    connect(keyWest, &QAction::triggered, this, [move] { move(Direction::West); });
    connect(keyEast, &QAction::triggered, this, [move] { move(Direction::East); });
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
    connect(Picture1, &PictureBox::mousePressed, this, &frmPicture::Picture1_MouseDown);
    connect(Picture1, &PictureBox::mouseReleased, this, &frmPicture::Picture1_MouseUp);
    overlay_ = new ProfileOverlay(Picture1);

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

    for (QLabel* label : Picture1->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        pictureLabels_.push_back(label);
    stepBar = new QWidget(Picture1);
    stepBar->setObjectName(QStringLiteral("stepBar"));
    stepBar->setAutoFillBackground(true);
    QPalette barPalette = stepBar->palette();
    barPalette.setColor(QPalette::Window, QColor(StepBarColour));
    stepBar->setPalette(barPalette);
    stepBar->hide();
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
    if (profile_)
        profile_->setCommands(commands);
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

    SetUpGrid(state_, state_);
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
    if (!ReadGridHeights(state_, state_.Reader, state_, platform_, progress))
        return false;
    progress.hide();
    platform_.processEvents();
    return true;
}

// The stop checks always judge every point, missing ones included: with the
// classes taken from the heights shown, an area of one real height beside a
// coverage edge still shows its edge, and an area without any height stops.
bool frmPicture::showHeightRange()
{
    range_ = shownRange();
    showRangeLabels();

    const HeightRange allPoints = FindHeightRange(state_.GridHeights, state_.PicCols, state_.PicRows);
    const std::optional<std::string> stop =
        HeightRangeStopMessage(allPoints, MissingDataDirectoryNote(state_.DataDrive, state_.ProgramDir));
    if (!stop)
        return true;
    platform_.messageBox(QString::fromStdString(*stop));
    platform_.endProgram();
    return false;
}

// The range the texts and classes show: every point, or the heights that are there.
HeightRange frmPicture::shownRange() const
{
    return classesFromShownHeights() ? FindPresentHeightRange(state_.GridHeights, state_.PicCols, state_.PicRows)
                                     : FindHeightRange(state_.GridHeights, state_.PicCols, state_.PicRows);
}

void frmPicture::showRangeLabels()
{
    const QFont font = DesignFont(state_.ReadoutFontSize);
    Label4->setVisible(true);
    Label4->move(PixelPoint(layout_.MinimumLabel));
    Label4->setFont(font);
    Label4->setText(QString::fromStdString(MinimumText(range_)));
    Label6->setVisible(true);
    Label6->move(PixelPoint(layout_.MaximumLabel));
    Label6->setFont(font);
    Label6->setText(QString::fromStdString(MaximumText(range_)));
}

// The finished picture's heights classified anew: range, texts, limits, pixels, legend.
void frmPicture::reclassify()
{
    range_ = shownRange();
    showRangeLabels();
    limits_ = ComputeClassLimits(range_);
    drawPixels();
    drawLegend();
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
    if (!shownView_) {
        const bool loaded = loadAndShow();
        updateBack();
        return loaded;
    }
    const View view = CurrentView(state_);
    SetView(state_, *shownView_);
    if (!stepping_) {
        aimAt(view);
        runSteps(view, false);
    }
    show();
    return true;
}

// The first picture is drawn behind a frozen window, so that it appears only
// when it is complete.
bool frmPicture::loadAndShow()
{
    closeProfile();
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
    navigate([&view](const View&, const PictureGrid&) { return view; });
}

void frmPicture::navigate(const Step& step)
{
    if (!state_.PictureReady || !shownView_)
        return;
    const std::optional<View> view = stepping_ ? step(target_->view, target_->grid) : step(CurrentView(state_), state_);
    if (!view)
        return;
    aimAt(*view);
    if (stepping_) {
        queued_ = *view;
        return;
    }
    runSteps(*view, false);
}

// A picture aside of the one on show, for the view a step heads for: the
// same screen and picture area, the view given.
frmPicture::Aside& frmPicture::aside(std::unique_ptr<Aside>& slot, const View& view) const
{
    if (!slot)
        slot = std::make_unique<Aside>();
    Aside& a = *slot;
    static_cast<PictureArea&>(a.grid) = state_;
    a.grid.ScreenWidthPx = state_.ScreenWidthPx;
    a.grid.ScreenHeightPx = state_.ScreenHeightPx;
    a.view = view;
    return a;
}

// The frame of the view a step heads for, from which the steps asked for
// meanwhile are counted.
void frmPicture::aimAt(const View& view)
{
    PictureGrid& t = aside(target_, view).grid;
    static_cast<GridFrame&>(t) = ComputeGridFrame(view.CenterLat, view.CenterLon, view.AreaLengthKm, t);
}

void frmPicture::runSteps(View view, bool back)
{
    closeProfile();
    stepping_ = true;
    loading_ = true;
    bool remember = !back;
    for (;;) {
        queued_.reset();
        cancelStep_ = false;
        const StepEnd end = loadStep(view, remember);
        if (end == StepEnd::Refused && !remember)
            history_.push(view); // the view Back could not show stays to go back to
        if (end == StepEnd::Refused || cancelStep_ || !queued_)
            break;
        view = *queued_;
        remember = true;
    }
    queued_.reset();
    Picture1->clearOverlay();
    stepBar->hide();
    stepping_ = false;
    loading_ = false;
    updateBack();
}

frmPicture::StepEnd frmPicture::loadStep(const View& view, bool remember)
{
    if (std::optional<CachedPicture> cached = cache_.take(view)) {
        rememberShown(remember);
        showCached(std::move(*cached));
        return StepEnd::Shown;
    }
    showPreview(view);

    PictureGrid& next = aside(next_, view).grid;
    SetUpGrid(view, next);

    QElapsedTimer clock;
    clock.start();
    qint64 lastEvents = -StepEventsEveryMs;
    std::int16_t error = 0;
    try {
        error = SampleGridHeightsFast(
            state_, state_.Reader, next, [&](int row) { stepRowDone(row, clock, lastEvents, remember); });
    } catch (const StepOutdated&) {
        return StepEnd::Outdated;
    }
    stepBar->hide();
    std::optional<std::string> stop;
    HeightRange range;
    if (error != 0) {
        stop = ReadErrorMessage(error, state_, state_.Reader).toStdString();
    } else {
        range = FindHeightRange(next.GridHeights, next.PicCols, next.PicRows);
        stop = HeightRangeStopMessage(range, MissingDataDirectoryNote(state_.DataDrive, state_.ProgramDir));
    }
    if (stop) {
        Picture1->clearOverlay();
        platform_.messageBox(QString::fromStdString(*stop));
        return StepEnd::Refused;
    }

    rememberShown(remember);
    state_.GridHeights = std::move(next.GridHeights);
    state_.GridCoords = std::move(next.GridCoords);
    SetView(state_, view);
    static_cast<AreaFrame&>(state_) = next;
    range_ = shownRange();
    drawSteppedPicture();
    shownView_ = view;
    return StepEnd::Shown;
}

// After every sampled row of a step: now and then the waiting events run (a
// key may ask for a further step, which makes this one outdated), and a step
// that takes long shows how far it has got.
void frmPicture::stepRowDone(int row, const QElapsedTimer& clock, qint64& lastEvents, bool abandonable)
{
    const qint64 now = clock.elapsed();
    if (now - lastEvents < StepEventsEveryMs)
        return;
    lastEvents = now;
    if (now >= StepBarAfterMs) {
        const double done = row / std::floor(static_cast<double>(state_.PicRows));
        const QRect area = PixelRect({state_.PicLeft, state_.PicTop, state_.PicCols, state_.PicRows});
        stepBar->setGeometry(area.left(), area.top(), static_cast<int>(area.width() * done), StepBarHeight);
        stepBar->show();
    }
    platform_.processEvents();
    if (abandonable && (queued_ || cancelStep_)) {
        stepBar->hide();
        throw StepOutdated{};
    }
}

// The picture on show goes into the cache, its view onto the history when
// the step is a new one (not Back).
void frmPicture::rememberShown(bool remember)
{
    if (!shownView_)
        return;
    if (remember)
        history_.push(*shownView_);
    CachedPicture shown;
    shown.view = *shownView_;
    shown.relief = reliefShading();
    shown.classesShown = classesFromShownHeights();
    shown.pixels = Picture1->picture();
    shown.heights = std::move(state_.GridHeights);
    shown.coords = std::move(state_.GridCoords);
    shown.frame = state_;
    shown.range = range_;
    shown.limits = limits_;
    shown.scale = scaleBar_;
    shown.labels = labels_;
    shown.shown.reserve(pictureLabels_.size());
    for (const QLabel* label : pictureLabels_)
        shown.shown.push_back({label->text(), label->pos(), label->isVisibleTo(Picture1)});
    cache_.put(std::move(shown));
}

void frmPicture::showCached(CachedPicture picture)
{
    Picture1->clearOverlay();
    if (readout_)
        readout_->hide();
    state_.GridHeights = std::move(picture.heights);
    state_.GridCoords = std::move(picture.coords);
    SetView(state_, picture.view);
    static_cast<AreaFrame&>(state_) = picture.frame;
    range_ = picture.range;
    limits_ = picture.limits;
    scaleBar_ = picture.scale;
    labels_ = std::move(picture.labels);
    Picture1->image() = picture.pixels;
    for (std::size_t k = 0; k < pictureLabels_.size() && k < picture.shown.size(); ++k) {
        QLabel* label = pictureLabels_[k];
        const LabelShown& was = picture.shown[k];
        if (label->text() != was.text)
            label->setText(was.text);
        label->move(was.pos);
        label->setVisible(was.visible);
    }
    if (picture.classesShown != classesFromShownHeights())
        reclassify();
    else if (picture.relief != reliefShading())
        drawPixels();
    Picture1->update();
    shownView_ = picture.view;
}

// The shown picture area, moved and scaled to where the next view puts it,
// painted over the picture at once; the rest of the area is left empty.
void frmPicture::showPreview(const View& view)
{
    const PreviewShift shift = PreviewOf(CurrentView(state_), state_, view);
    const QRect area = PixelRect({state_.PicLeft, state_.PicTop, state_.PicCols, state_.PicRows});
    QImage preview(area.size(), QImage::Format_RGB32);
    preview.fill(Picture1->backColor());
    {
        QPainter painter(&preview);
        const double cx = area.width() / 2.0;
        const double cy = area.height() / 2.0;
        painter.translate(cx, cy);
        painter.scale(shift.scale, shift.scale);
        painter.translate(-cx - shift.dx, -cy - shift.dy);
        painter.drawImage(QPoint(0, 0), Picture1->picture(), area);
    }
    Picture1->setOverlay(preview, area.topLeft());
    Picture1->repaint(area);
}

// A step's picture: what Form_Load draws from its frame on, with the grid
// already sampled and without the progress and wait windows.
void frmPicture::drawSteppedPicture()
{
    clearPicture();
    drawFrameAndScale();
    labels_ = BuildCoordinateLabels(state_, *Picture1, {LabNS, LabEWU, LabEWO});
    showRangeLabels();
    limits_ = ComputeClassLimits(range_);
    drawPixels();
    drawLegend();
    Picture1->clearOverlay();
    state_.ReadoutEnabled = true;
}

void frmPicture::updateBack()
{
    menBack->setEnabled(!history_.empty());
}

void frmPicture::menBack_Click()
{
    if (!state_.PictureReady)
        return;
    if (stepping_) {
        cancelStep_ = true;
        queued_.reset();
        return;
    }
    const std::optional<View> previous = history_.pop();
    if (!previous)
        return;
    aimAt(*previous);
    runSteps(*previous, true);
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
    navigate([=](const View& at, const PictureGrid& s) { return ZoomedViewAt(at, s, notches, x, y); });
}

void frmPicture::Picture1_DblClick(float x, float y)
{
    if (drawingLine())
        return;
    navigate([=](const View& at, const PictureGrid& s) { return CentredView(at, s, x, y); });
}

void frmPicture::setNewAreaHandler(std::function<void()> handler)
{
    newAreaHandler_ = std::move(handler);
}

void frmPicture::menNewArea_Click()
{
    if (!newAreaHandler_ || !state_.PictureReady || stepping_)
        return;
    if (readout_)
        readout_->hide();
    closeProfile();
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

void frmPicture::setClassesFromShownHeights(bool on)
{
    menClassesShown->setChecked(on);
}

bool frmPicture::classesFromShownHeights() const
{
    return menClassesShown->isChecked();
}

void frmPicture::Picture1_MouseMove(float x, float y)
{
    if (lineStep_ == LineStep::End || lineStep_ == LineStep::Drag)
        showLineTo(x, y);
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

namespace {

// The geographic position of the grid point under a pixel of the picture area.
std::optional<GeoPoint> PositionAt(const PictureGrid& state, float x, float y)
{
    if (!ReadoutInside(state, x, y))
        return std::nullopt;
    const auto [i, j] = ReadoutGridIndex(state, x, y);
    if (i == 0 || j == 0)
        return std::nullopt;
    return GeoPoint{state.GridCoords(0, i, j), state.GridCoords(1, i, j)};
}

// A pointer position in Picture1's single-precision pixels as a Qt point.
QPointF PointAt(float x, float y)
{
    return {static_cast<qreal>(x), static_cast<qreal>(y)};
}

QString LengthText(double km)
{
    return QString::number(km, 'f', km < 10.0 ? 2 : 1) + QStringLiteral(" km");
}

} // namespace

frmProfile& frmPicture::profileWindow()
{
    if (!profile_) {
        profile_ = std::make_unique<frmProfile>(state_, platform_, this);
        profile_->setCommands(commands_);
        connect(profile_.get(), &frmProfile::hovered, this, &frmPicture::markProfilePoint);
        connect(profile_.get(), &frmProfile::closed, this, [this] {
            if (!drawingLine())
                overlay_->clear();
        });
    }
    return *profile_;
}

void frmPicture::menProfile_Click()
{
    if (!state_.PictureReady || loading_)
        return;
    lineStep_ = LineStep::Start;
    Picture1->setCursor(Qt::CrossCursor);
}

void frmPicture::Picture1_MouseDown(float x, float y, Qt::MouseButton button)
{
    if (!state_.PictureReady || loading_ || !PositionAt(state_, x, y))
        return;
    if (button == Qt::LeftButton && lineStep_ == LineStep::Start) {
        lineStart_ = PointAt(x, y);
        lineStep_ = LineStep::End;
        showLineTo(x, y);
    } else if (button == Qt::LeftButton && lineStep_ == LineStep::End) {
        finishLine(x, y);
    } else if (button == Qt::RightButton && lineStep_ != LineStep::End) {
        lineStart_ = PointAt(x, y);
        lineStep_ = LineStep::Drag;
        showLineTo(x, y);
    }
}

void frmPicture::Picture1_MouseUp(float x, float y, Qt::MouseButton button)
{
    if (button != Qt::RightButton || lineStep_ != LineStep::Drag)
        return;
    if (PositionAt(state_, x, y) && QLineF(lineStart_, PointAt(x, y)).length() >= 2.0)
        finishLine(x, y);
    else
        cancelLine();
}

void frmPicture::keyCancelLine_Click()
{
    if (drawingLine())
        cancelLine();
}

// The line from its start to the pointer, with its great-circle length beside the pointer.
void frmPicture::showLineTo(float x, float y)
{
    const std::optional<GeoPoint> from =
        PositionAt(state_, static_cast<float>(lineStart_.x()), static_cast<float>(lineStart_.y()));
    const std::optional<GeoPoint> to = PositionAt(state_, x, y);
    if (!from || !to)
        return;
    std::string problem;
    const std::optional<ProfileLine> line = MakeProfileLine(*from, *to, problem);
    overlay_->setLine(lineStart_, PointAt(x, y), LengthText(line ? line->distanceKm : 0.0));
}

void frmPicture::finishLine(float x, float y)
{
    const QPointF end = PointAt(x, y);
    const std::optional<GeoPoint> from =
        PositionAt(state_, static_cast<float>(lineStart_.x()), static_cast<float>(lineStart_.y()));
    const std::optional<GeoPoint> to = PositionAt(state_, x, y);
    std::string problem;
    const std::optional<ProfileLine> line = from && to ? MakeProfileLine(*from, *to, problem) : std::nullopt;
    if (!line) {
        cancelLine();
        return;
    }
    const int pixels = static_cast<int>(std::ceil(QLineF(lineStart_, end).length()));
    std::vector<ProfileSample> samples = ProfilePositions(*line, ProfileIntervals(line->distanceKm, pixels));
    const std::int16_t error = ReadProfileHeights(state_, state_.Reader, samples);
    lineStep_ = LineStep::None;
    Picture1->unsetCursor();
    if (error != 0) {
        overlay_->clear();
        platform_.messageBox(ReadErrorMessage(error, state_, state_.Reader));
        return;
    }
    profileLineStart_ = lineStart_;
    profileLineEnd_ = end;
    overlay_->setLine(lineStart_, end, LengthText(line->distanceKm));
    profileWindow().ShowProfile(*line, samples);
}

// Back to the profile on show, if any: its line stays drawn.
void frmPicture::cancelLine()
{
    lineStep_ = LineStep::None;
    Picture1->unsetCursor();
    if (profile_ && profile_->isVisible()) {
        const ProfileLine& line = profile_->line();
        overlay_->setLine(profileLineStart_, profileLineEnd_, LengthText(line.distanceKm));
    } else {
        overlay_->clear();
    }
}

void frmPicture::closeProfile()
{
    lineStep_ = LineStep::None;
    Picture1->unsetCursor();
    overlay_->clear();
    if (profile_)
        profile_->hide();
}

// The sample's place on the line drawn: the same fraction of the line as of the distance.
void frmPicture::markProfilePoint(int index)
{
    if (!profile_ || drawingLine())
        return;
    const std::vector<ProfileSample>& samples = profile_->samples();
    if (index < 0 || static_cast<std::size_t>(index) >= samples.size() || samples.back().distanceKm <= 0.0) {
        overlay_->setMarker(std::nullopt);
        return;
    }
    const double t = samples[static_cast<std::size_t>(index)].distanceKm / samples.back().distanceKm;
    overlay_->setMarker(profileLineStart_ + (profileLineEnd_ - profileLineStart_) * t);
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
