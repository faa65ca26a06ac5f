// The picture window on the offscreen platform over tile files written by the
// tests: one load end to end (layout, grid, pixels, legend, ticks, progress,
// wait and readout windows), the menu and the ways the program ends, and
// navigation with "Back" and relief shading.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/Einzelergebnis.h"
#include "picture/Fortschritt.h"
#include "picture/HeightClasses.h"
#include "picture/LatLonFormat.h"
#include "picture/PictureCommands.h"
#include "picture/frmWait.h"
#include "picture/frmProfile.h"
#include "picture/ProfileOverlay.h"
#include "picture/ProfilePlot.h"
#include "picture/ReadoutPoint.h"
#include "core/TileReader.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <QTimer>

#include <cmath>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>

namespace marn {
namespace {

constexpr ScreenMetrics Screen{1024, 768, 15.0};

QRgb Colour(Rgb c)
{
    return qRgb(c.r, c.g, c.b);
}

class PictureWindowLoad : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        f = new test::PictureWindowFixture(Screen, 47.5, 8.0);
        test::WriteTwoLevelTiles(f->dir.path());
        shown = f->window->ShowPicture();
    }
    static void TearDownTestSuite() { delete f; }
    void SetUp() override { ASSERT_TRUE(shown); }
    static QPoint Px(double x, double y) { return {NearestPixel(x), NearestPixel(y)}; }

    static inline test::PictureWindowFixture* f = nullptr;
    static inline bool shown = false;
};

TEST_F(PictureWindowLoad, ShowsThePictureLaidOutForTheScreenWithTheProgressAndWaitWindowsDone)
{
    EXPECT_TRUE(f->platform.messages.isEmpty());
    EXPECT_FALSE(f->platform.programEnded);
    EXPECT_TRUE(f->state.PictureReady && f->state.ReadoutEnabled && f->window->isVisible());
    EXPECT_EQ(QRect(f->window->pos(), f->window->size()), QRect(0, 0, 1024, 740));
    EXPECT_EQ(f->window->Picture1->geometry(), QRect(1, 4, 1023, 733));
    EXPECT_EQ(f->window->Command1->pos(), QPoint(891, 622));
    EXPECT_DOUBLE_EQ(f->window->Label1->font().pointSizeF(), 12.0);
    EXPECT_EQ(f->window->Label1->x(), static_cast<int>(std::lround(512 - f->window->Label1->width() / 2.0)));
    EXPECT_EQ(f->window->Label3->geometry().right() + 1, NearestPixel(0.975 * 1024)); // right-aligned
    EXPECT_EQ(f->window->Label4->font().pointSize(), 11);

    EXPECT_FALSE(f->window->progressWindow().isVisible());
    const QImage& bar = f->window->progressWindow().surface->picture();
    // x0 = 30.72 and x1 = 665.6 on a 1024 x 768 screen; the bar's rows run from 85 to 99.
    for (const int x : {33, 300, 665})
        EXPECT_TRUE(bar.pixel(x, 85) == ProgressBarColour && bar.pixel(x, 99) == ProgressBarColour
                    && bar.pixel(x, 100) != ProgressBarColour)
            << x;
    frmWait& wait = f->window->waitWindow();
    EXPECT_FALSE(wait.isVisible());
    EXPECT_EQ(QRect(wait.pos(), wait.size()), QRect(201, 229, 621, 309)); // 9315 x 4635 twips in the middle
    EXPECT_EQ(wait.Label1->text(), "The image is drawn ... please wait ...");
}

TEST_F(PictureWindowLoad, DrawsTheFrameTheScaleBarAndEveryPointInTheColourOfItsTile)
{
    const auto& s = f->state;
    const QImage& image = f->window->Picture1->picture();
    int wrong = 0;
    for (double y = s.PicTop - 1; y <= s.PicBottom + 1; ++y)
        wrong += image.pixel(Px(s.PicLeft - 1, y)) != 0xFF000000 || image.pixel(Px(s.PicRight + 1, y)) != 0xFF000000;
    for (double x = s.PicLeft - 1; x <= s.PicRight + 1; ++x)
        wrong += image.pixel(Px(x, s.PicTop - 1)) != 0xFF000000 || image.pixel(Px(x, s.PicBottom + 1)) != 0xFF000000;
    EXPECT_EQ(wrong, 0) << "frame pixels missing";
    const ClassLimits limits = ComputeClassLimits({100, 1500});
    for (int j = 1; j <= static_cast<int>(s.PicRows); ++j) {
        for (int i = 1; i <= static_cast<int>(s.PicCols); ++i) {
            const std::int16_t expected = s.GridCoords(1, i, j) < 8.0 ? 100 : 1500;
            const QRgb pixel = image.pixel(Px(s.PicLeft + i - 1, s.PicTop + j - 1));
            wrong += s.GridHeights(i, j) != expected || pixel != Colour(ColourForHeight(expected, limits));
        }
    }
    EXPECT_EQ(wrong, 0) << "points with another height or colour than their tile's";
    // 50 / 639.536 * 276 = 21.6 km, stepped to 20 km: floor(639.536 * 20 / 50) = 255 pixels from 0.72 x 1024
    const ScaleBar& bar = f->window->scaleBar();
    EXPECT_EQ(f->window->Label2->text(), "Scale for 20 km");
    EXPECT_EQ(std::pair(bar.x0, bar.x1), std::pair(0.72F * 1024.0F, 0.72F * 1024.0F + 255.0F));
    EXPECT_EQ(image.pixel(Px(bar.x0, bar.y - 5)), 0xFF000000);
    EXPECT_EQ(image.pixel(Px(bar.x1, bar.y + 6)), 0xFF000000);
    EXPECT_EQ(image.pixel(Px(bar.x0 + 100, bar.y)), 0xFF000000);
}

TEST_F(PictureWindowLoad, FillsTheLegendAndShowsEveryCoordinateTickWithItsLabel)
{
    const auto captions = LegendRowCaptions(ComputeClassLimits({100, 1500}));
    const auto colours = LegendRowColours();
    for (int row = 1; row <= 12; ++row) {
        const QLabel* label = f->window->legendLabel(row);
        const QLineEdit* swatch = f->window->legendSwatch(row);
        const double y = (0.15 + (row - 1) * 0.035) * 768;
        EXPECT_EQ(label->text().toStdString(), captions[static_cast<std::size_t>(row - 1)]);
        EXPECT_EQ(label->pos(), Px(737, y));
        EXPECT_EQ(swatch->geometry(), QRect(Px(855, y - 0.005 * 768), QSize(25, 25)));
        EXPECT_EQ(swatch->palette().color(QPalette::Base).rgb(), Colour(colours[static_cast<std::size_t>(row - 1)]));
    }
    const QImage& image = f->window->Picture1->picture();
    const CoordinateLabelSet& set = f->window->coordinateLabels();
    for (const auto& [edge, labels] : {std::pair{&set.LabNS, &f->window->LabNS},
             std::pair{&set.LabEWU, &f->window->LabEWU}, std::pair{&set.LabEWO, &f->window->LabEWO}}) {
        EXPECT_FALSE(edge->empty());
        for (const CoordinateLabel& item : *edge) {
            const QLabel* label = (*labels)[static_cast<std::size_t>(item.index)];
            EXPECT_TRUE(label->isVisibleTo(f->window->Picture1));
            EXPECT_EQ(label->text().toStdString(), item.caption);
            EXPECT_EQ(image.pixel(Px(item.tickX1, item.tickY1)), f->window->Picture1->foreColor());
            EXPECT_EQ(image.pixel(Px(item.tickX2, item.tickY2)), f->window->Picture1->foreColor());
        }
    }
    EXPECT_TRUE(f->window->LabNS[15]->isHidden());
}

TEST_F(PictureWindowLoad, ReadoutFollowsThePointerInsideThePictureArea)
{
    auto& s = f->state;
    Einzelergebnis& readout = f->window->readoutWindow();
    const auto expectPoint = [&](int i, int j) {
        EXPECT_TRUE(readout.isVisible());
        EXPECT_EQ(readout.Label2->text(), QStringLiteral("Height = %1 m").arg(s.GridHeights(i, j)));
        EXPECT_EQ(readout.Label1->text().toStdString(),
            "Coordinates = " + FormatLatLon(s.GridCoords(0, i, j), s.GridCoords(1, i, j)));
    };
    f->window->Picture1_MouseMove(108.0F, 86.0F); // 108 - 68.024 + 1 and 86 - 55.768 + 1 round to 41 and 31
    expectPoint(41, 31);
    EXPECT_EQ(readout.pos(), QPoint(737, 518)); // 0.72 x 1024, 0.675 x 768
    // the edges are inside and show the nearest sampled point, one pixel beyond hides
    f->window->Picture1_MouseMove(s.PicLeft, s.PicTop);
    expectPoint(1, 1);
    f->window->Picture1_MouseMove(s.PicRight, s.PicBottom);
    expectPoint(static_cast<int>(s.PicCols), static_cast<int>(s.PicRows));
    f->window->Picture1_MouseMove(s.PicRight + 1.0F, s.PicBottom);
    EXPECT_FALSE(readout.isVisible());
    // while a save or print runs, or the picture is not ready, the readout keeps its last state
    f->window->Picture1_MouseMove(78.0F, 66.0F);
    s.ReadoutEnabled = false;
    f->window->Picture1_MouseMove(0.0F, 0.0F);
    expectPoint(11, 11);
    s.ReadoutEnabled = true;
    s.PictureReady = false;
    f->window->Picture1_MouseMove(s.PicRight, s.PicTop);
    expectPoint(11, 11);
    s.PictureReady = true;
}

class RecordingCommands : public PictureCommands {
public:
    void MenPictSave_Click(frmPicture& picture) override { calls << "save", windows << &picture; }
    void menPictPrint_Click(frmPicture& picture) override { calls << "print", windows << &picture; }
    void menInfo_Click() override { calls << "info"; }
    void printProfile(const QImage& page) override { calls << "print profile", pages << page; }
    void menPictGeoTiff_Click(frmPicture& picture) override { calls << "geotiff", windows << &picture; }
    QStringList calls;
    QList<QImage> pages;
    QList<frmPicture*> windows;
};

// A line drawn with the menu entry and two clicks, then with a right-button
// drag: the profile holds the reader's heights along the great circle between
// the grid points under the two pixels, at least one per pixel of the line;
// the line stays drawn and marks the point under the pointer in the profile;
// Escape while drawing goes back to the line on show; saving and printing; a
// navigation step closes the profile and takes the line away.
TEST(PictureWindowProfile, DrawnLineShowsTheReadersHeightsUntilANavigationStep)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    for (const int westLon : {7, 8}) {
        test::WriteTile(f.dir.path(), 47, westLon, [](double lat, double lon) {
            return static_cast<std::int16_t>(600 + 400 * std::sin(lat * 40) * std::cos(lon * 30));
        });
    }
    ASSERT_TRUE(f.window->ShowPicture());
    RecordingCommands commands;
    f.window->setCommands(&commands);
    PictureBox* surface = f.window->Picture1;
    const auto pointAt = [&f](QPoint p) {
        const auto [i, j] = ReadoutGridIndex(f.state, static_cast<float>(p.x()), static_cast<float>(p.y()));
        return GeoPoint{f.state.GridCoords(0, i, j), f.state.GridCoords(1, i, j)};
    };
    const auto moveTo = [&f](QPoint p) { f.window->Picture1_MouseMove(static_cast<float>(p.x()), static_cast<float>(p.y())); };
    const struct {
        const char* way;
        QPoint a, b;
        std::function<void(QPoint, QPoint)> draw;
    } ways[] = {
        {"menu and clicks", {150, 200}, {600, 400},
            [&](QPoint from, QPoint to) {
                f.window->menProfile->trigger();
                QTest::mouseClick(surface, Qt::LeftButton, {}, from);
                moveTo(to);
                EXPECT_TRUE(f.window->profileOverlay()->text().endsWith(" km"));
                QTest::mouseClick(surface, Qt::LeftButton, {}, to);
            }},
        {"right-button drag", {620, 100}, {170, 300},
            [&](QPoint from, QPoint to) {
                QTest::mousePress(surface, Qt::RightButton, {}, from);
                moveTo(to);
                QTest::mouseRelease(surface, Qt::RightButton, {}, to);
            }},
    };
    const ProfileOverlay* overlay = f.window->profileOverlay();
    for (const auto& [way, a, b, draw] : ways) {
        draw(a, b);
        ASSERT_TRUE(f.window->profileWindowCreated()) << way;
        frmProfile& profile = f.window->profileWindow();
        EXPECT_TRUE(profile.isVisible()) << way;
        EXPECT_FALSE(f.window->drawingLine()) << way;
        const GeoPoint from = pointAt(a), to = pointAt(b);
        const ProfileLine& line = profile.line();
        EXPECT_EQ(std::tie(line.from.lat, line.from.lon, line.to.lat, line.to.lon),
            std::tie(from.lat, from.lon, to.lat, to.lon))
            << way;
        const std::vector<ProfileSample>& samples = profile.samples();
        EXPECT_GE(samples.size(), 493U) << way; // ceil(hypot(450, 200)) pixels
        SharedState reader;
        reader.DataDrive = f.dir.path();
        int wrong = 0;
        for (const ProfileSample& sample : samples) {
            double lon = sample.lon;
            std::int16_t height = 0, error = 0;
            ReadTileHeight(reader, reader.Reader, sample.lat, lon, height, error);
            wrong += error != 0 || sample.height != height;
        }
        EXPECT_EQ(wrong, 0) << way;
        EXPECT_TRUE(overlay->isVisible() && overlay->start() == QPointF(a) && overlay->end() == QPointF(b)) << way;
        const std::size_t quarter = samples.size() / 4;
        profile.Plot_Hovered(static_cast<int>(quarter));
        const double t = samples[quarter].distanceKm / samples.back().distanceKm;
        ASSERT_TRUE(overlay->marker()) << way;
        EXPECT_NEAR(overlay->marker()->x(), a.x() + (b.x() - a.x()) * t, 1e-9) << way;
        EXPECT_TRUE(profile.LabelPoint->text().startsWith("Distance = ")) << way;
        profile.Plot_Hovered(-1);
        EXPECT_FALSE(overlay->marker()) << way;
    }
    frmProfile& profile = f.window->profileWindow();

    // Escape while a new line is drawn: the line of the profile on show comes back
    f.window->menProfile->trigger();
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(300, 300));
    moveTo(QPoint(400, 350));
    EXPECT_EQ(overlay->end(), QPointF(400, 350));
    f.window->keyCancelLine->trigger();
    EXPECT_FALSE(f.window->drawingLine());
    EXPECT_EQ(std::pair(overlay->start(), overlay->end()), std::pair(QPointF(620, 100), QPointF(170, 300)));

    // saved as CSV (a line per sample) and PNG, printed through the picture's commands
    f.platform.chosenSaveFile = QString::fromStdString(f.dir.path() + "/line.csv");
    profile.menSaveCsv->trigger();
    QFile csv(f.platform.chosenSaveFile);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), static_cast<qsizetype>(profile.samples().size() + 1));
    f.platform.chosenSaveFile = QString::fromStdString(f.dir.path() + "/line.png");
    profile.menSavePng->trigger();
    EXPECT_EQ(QImage(f.platform.chosenSaveFile).size(), ProfilePageSize);
    profile.menProfilePrint->trigger();
    ASSERT_EQ(commands.calls, QStringList{"print profile"});
    EXPECT_EQ(commands.pages.front().size(), ProfilePageSize);
    EXPECT_TRUE(f.platform.messages.isEmpty());

    // a navigation step closes the profile and takes its line away
    f.window->keyZoomIn->trigger();
    EXPECT_FALSE(profile.isVisible());
    EXPECT_FALSE(overlay->isVisible() || overlay->hasLine());
    // closing the profile window takes the line away too
    QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(300, 300));
    EXPECT_FALSE(f.window->drawingLine());
    f.window->menProfile->trigger();
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_TRUE(profile.isVisible() && overlay->hasLine());
    profile.close();
    EXPECT_FALSE(overlay->hasLine());
}

// The entries reached from the keyboard call the output commands with the
// window (nothing before commands are set); Alt+E, the Exit button and the
// frame end the program.
TEST(PictureWindowMenu, EveryEntryIsReachedFromTheKeyboard)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0);
    test::WriteTwoLevelTiles(f.dir.path());
    ASSERT_TRUE(f.window->ShowPicture());
    f.window->MenPictSave->trigger(); // no commands set yet: nothing happens
    RecordingCommands commands;
    f.window->setCommands(&commands);
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    EXPECT_FALSE(f.window->menBack->isEnabled()) << "no earlier view";
    f.window->keyZoomOut->trigger();
    EXPECT_TRUE(f.window->menBack->isEnabled());
    QTest::keyClick(f.window.get(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(f.state.AreaLengthKm, 50) << "Alt+Left went back";
    EXPECT_FALSE(f.window->menBack->isEnabled());
    const struct {
        QKeyCombination key;
        const char* call;  // what the output commands record
        QMenu* menu;       // the menu it opens
    } keys[] = {{Qt::CTRL | Qt::Key_S, "save", nullptr}, {Qt::CTRL | Qt::Key_P, "print", nullptr},
        {QKeyCombination(Qt::Key_F1), "info", nullptr}, {Qt::ALT | Qt::Key_I, "info", nullptr},
        {Qt::ALT | Qt::Key_P, "", f.window->menPicture}, {Qt::ALT | Qt::Key_V, "", f.window->menView}};
    for (const auto& k : keys) {
        commands.calls.clear();
        QTest::keyClick(f.window.get(), k.key.key(), k.key.keyboardModifiers());
        EXPECT_EQ(commands.calls, k.call[0] ? QStringList{k.call} : QStringList{}) << k.key.toCombined();
        if (k.menu != nullptr) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return k.menu->isVisible(); }, 1000)) << k.key.toCombined();
            QTest::keyClick(k.menu, Qt::Key_Escape); // closes the menu
            QTest::keyClick(f.window.get(), Qt::Key_Escape); // leaves the menu bar
        }
    }
    EXPECT_EQ(commands.windows, QList<frmPicture*>(2, f.window.get()));
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"Alt+E", [&] { QTest::keyClick(f.window.get(), Qt::Key_E, Qt::AltModifier); }},
        {"Exit button", [&] { f.window->Command1->click(); }}, {"frame", [&] { f.window->close(); }}};
    for (const auto& [name, end] : ends) {
        EXPECT_FALSE(f.platform.programEnded) << name;
        end();
        EXPECT_TRUE(f.platform.programEnded && f.platform.messages.isEmpty()) << name;
        f.platform.programEnded = false;
    }
}

TEST(PictureWindowEnd, LoadsWithNothingToShowOrAReadErrorStopWithTheirMessageWithoutThePicture)
{
    const std::pair<std::function<void(const std::string& root)>, const char*> stops[] = {
        {[](const std::string&) {},
            "All heights are missing.\r\nPicture is not necessary.\r\nNo MARN directory in {data}."},
        {[](const std::string& root) { test::WriteFlatTile(root, 47, 7, NoData); },
            "All heights are missing.\r\nPicture is not necessary."},
        {[](const std::string& root) { test::WriteFileOfLength(test::TilePath(root, 47, 7), 1000); },
            "Error reading heigt data, Error value = 700\r\n{data}/MARN/E007/E007N47.33E"}};
    std::unique_ptr<test::PictureWindowFixture> last;
    for (const auto& [writeTiles, text] : stops) {
        last = std::make_unique<test::PictureWindowFixture>(ScreenMetrics{640, 480, 15.0});
        test::PictureWindowFixture& f = *last;
        writeTiles(f.dir.path());
        EXPECT_FALSE(f.window->ShowPicture());
        EXPECT_EQ(
            f.platform.messages, QStringList{QString(text).replace("{data}", QString::fromStdString(f.dir.path()))});
        EXPECT_TRUE(f.platform.programEnded) << text;
        EXPECT_FALSE(f.window->isVisible() || f.state.PictureReady || f.state.ReadoutEnabled) << text;
    }
    // the read error, the last, ends the program while the progress window is up
    Fortschritt& progress = last->window->progressWindow();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Read MARN data progress");
    EXPECT_EQ(QRect(progress.pos(), progress.size()), QRect(96, 168, 448, 144)); // 0.15, 0.35, 0.7, 0.3 of 640 x 480
    QStringList captions;
    for (QLabel* mark : progress.LabP)
        captions << (mark->isVisibleTo(&progress) ? mark->text() : QStringLiteral("hidden"));
    EXPECT_EQ(captions, (QStringList{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100%"}));
    EXPECT_TRUE(last->window->Label4->isHidden());
}

// What a load draws and shows: grid, pixels and every visible label.
struct Picture {
    std::vector<std::int16_t> grid;
    QImage pixels;
    QStringList labels;
    friend bool operator==(const Picture&, const Picture&) = default;
};

Picture Shown(const test::PictureWindowFixture& f)
{
    const auto& raw = f.state.GridHeights.raw();
    Picture p{{raw.begin(), raw.end()}, f.window->Picture1->picture(), {}};
    for (const QLabel* label : f.window->Picture1->findChildren<QLabel*>()) {
        if (label->isVisibleTo(f.window->Picture1))
            p.labels << QString("%1=%2 %3,%4").arg(label->objectName(), label->text()).arg(label->x()).arg(label->y());
    }
    return p;
}

TEST(PictureWindowNavigation, StepsShowWhatAFreshLoadShowsBackReturnsExactlyReliefShadesOnlyPixels)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    for (const int westLon : {7, 8}) { // hills with a hole of missing data
        test::WriteTile(f.dir.path(), 47, westLon, [](double lat, double lon) {
            const bool hole = std::hypot(lat - 47.5, lon - 7.8) < 0.02;
            return hole ? NoData : static_cast<std::int16_t>(600 + 400 * std::sin(lat * 40) * std::cos(lon * 30));
        });
    }
    ASSERT_TRUE(f.window->ShowPicture());
    std::vector<std::pair<View, Picture>> views{{CurrentView(f.state), Shown(f)}};
    const auto expectFreshLoad = [&](const char* step) {
        ASSERT_NE(CurrentView(f.state), views.back().first) << step;
        test::PictureWindowFixture fresh(Screen, f.state.CenterLat, f.state.CenterLon, f.state.AreaLengthKm);
        fresh.state.DataDrive = f.dir.path();
        ASSERT_TRUE(fresh.window->ShowPicture()) << step;
        EXPECT_EQ(Shown(f), Shown(fresh)) << step;
        // what a snapshot captures: nothing of the preview the step showed
        EXPECT_EQ(f.window->clientArea()->grab().toImage(), fresh.window->clientArea()->grab().toImage()) << step;
        views.emplace_back(CurrentView(f.state), Shown(f));
    };
    f.window->Picture1_MouseWheel(120, 90, -60); // two half notches make one step back
    f.window->Picture1_MouseWheel(120, 90, -60);
    expectFreshLoad("wheel");
    QTest::mouseDClick(f.window->Picture1, Qt::LeftButton, {}, {300, 200});
    expectFreshLoad("double-click");
    f.window->keyZoomIn->trigger();
    expectFreshLoad("plus");
    f.window->keyEast->trigger();
    expectFreshLoad("arrow east");
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    // Back shows the pictures kept in memory: no tile is read again
    std::filesystem::remove_all(f.dir.path() + "/MARN");
    QTest::keyClick(f.window.get(), Qt::Key_Backspace);
    for (views.pop_back(); views.size() > 1; views.pop_back()) {
        EXPECT_EQ(CurrentView(f.state), views.back().first);
        EXPECT_EQ(Shown(f), views.back().second);
        f.window->menBack->trigger();
    }
    const Picture flat = Shown(f);
    EXPECT_EQ(CurrentView(f.state), views.front().first);
    EXPECT_EQ(flat, views.front().second);
    EXPECT_TRUE(f.platform.messages.isEmpty());

    f.window->menRelief->trigger();
    const Picture shaded = Shown(f);
    EXPECT_EQ(std::tie(shaded.grid, shaded.labels), std::tie(flat.grid, flat.labels));
    int changed = 0, missing = 0, notGrey = 0;
    for (int j = 1; j <= static_cast<int>(f.state.PicRows); ++j) {
        for (int i = 1; i <= static_cast<int>(f.state.PicCols); ++i) {
            const QPoint px(NearestPixel(f.state.PicLeft + i - 1), NearestPixel(f.state.PicTop + j - 1));
            const bool noData = f.state.GridHeights(i, j) == NoData;
            changed += shaded.pixels.pixel(px) != flat.pixels.pixel(px);
            missing += noData;
            notGrey += noData && shaded.pixels.pixel(px) != Colour(NoDataColour);
        }
    }
    EXPECT_TRUE(missing > 0 && notGrey == 0) << missing << " missing points, " << notGrey << " of them not grey";
    EXPECT_GT(changed, shaded.pixels.width() * shaded.pixels.height() / 4);
    f.window->menRelief->trigger();
    EXPECT_EQ(Shown(f), flat);
}

ClassLimits Limits(std::initializer_list<int> values)
{
    ClassLimits limits{};
    std::copy(values.begin(), values.end(), limits.begin() + 1);
    return limits;
}

// A coverage edge: 400 m west of 8E, 1200 m east of it south of 47.5N and no
// data north of that. The limits worked by hand: over 1..1200 (every point
// counts) floor(1200^(k / 8.99)); over 400..1200 (the heights shown)
// 50, 100, 250 fixed and floor(400 * 3^(k / 5.99)).
TEST(PictureWindowClasses, FromTheHeightsShownLeaveMissingPointsOutAndStayThroughNavigation)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    test::WriteFlatTile(f.dir.path(), 47, 7, 400);
    test::WriteTile(f.dir.path(), 47, 8, [](double lat, double) { return lat < 47.5 ? std::int16_t{1200} : NoData; });
    ASSERT_TRUE(f.window->ShowPicture());
    EXPECT_FALSE(f.window->menClassesShown->isChecked());
    const ClassLimits all = Limits({2, 4, 10, 23, 51, 113, 249, 549, 2000});
    const ClassLimits shown = Limits({50, 100, 250, 480, 577, 693, 833, 1000, 2000});
    const auto toggle = [&] { f.window->menClassesShown->trigger(); };
    const struct {
        const char* step;
        std::function<void()> act;
        const char* minimum;
        ClassLimits limits;
        const char* class4Caption;
    } table[] = {{"load", [] {}, "Minimum height = -9999 m", all, "10 - 22"},
        {"switched on", toggle, "Minimum height = 400 m", shown, "250 - 479"},
        {"zoomed in", [&] { f.window->keyZoomIn->trigger(); }, "Minimum height = 400 m", shown, "250 - 479"},
        {"switched off", toggle, "Minimum height = -9999 m", all, "10 - 22"}};
    for (const auto& c : table) {
        c.act();
        EXPECT_EQ(f.window->Label4->text(), c.minimum) << c.step;
        EXPECT_EQ(f.window->Label6->text(), "Maximum height = 1200 m") << c.step;
        EXPECT_EQ(f.window->classLimits(), c.limits) << c.step;
        EXPECT_EQ(f.window->legendLabel(6)->text(), c.class4Caption) << c.step;
        const SharedState& s = f.state;
        const QImage& image = f.window->Picture1->picture();
        std::map<std::int16_t, int> heights;
        int wrong = 0;
        for (int j = 1; j <= static_cast<int>(s.PicRows); ++j) {
            for (int i = 1; i <= static_cast<int>(s.PicCols); ++i) {
                const std::int16_t h = s.GridHeights(i, j);
                ++heights[h];
                const QPoint px(NearestPixel(s.PicLeft + i - 1), NearestPixel(s.PicTop + j - 1));
                wrong += image.pixel(px) != Colour(ColourForHeight(h, c.limits));
            }
        }
        EXPECT_EQ(wrong, 0) << c.step;
        EXPECT_EQ(heights.size(), 3U) << c.step; // 400, 1200 and missing, nothing between
        EXPECT_TRUE(heights.count(NoData) && heights.count(400) && heights.count(1200)) << c.step;
    }

    // with the setting on, an area without any height still stops with the usual message
    test::PictureWindowFixture empty(ScreenMetrics{640, 480, 15.0});
    test::WriteFlatTile(empty.dir.path(), 47, 7, NoData);
    empty.window->setClassesFromShownHeights(true);
    EXPECT_FALSE(empty.window->ShowPicture());
    EXPECT_EQ(empty.platform.messages, QStringList{"All heights are missing.\r\nPicture is not necessary."});
    EXPECT_TRUE(empty.platform.programEnded);
}

// A step that would show nothing or cannot read its tiles leaves the picture,
// its view and the way back as they were; so does a new area typed in.
TEST(PictureWindowNavigation, StepsWithNothingToShowOrAReadErrorKeepThePictureAndItsHistory)
{
    test::PictureWindowFixture f({640, 480, 15.0}, 47.5, 7.5, 50);
    test::WriteTile(f.dir.path(), 47, 7, [](double lat, double) { return static_cast<std::int16_t>(lat * 100); });
    test::WriteFileOfLength(test::TilePath(f.dir.path(), 45, 7), 1000);
    ASSERT_TRUE(f.window->ShowPicture());
    f.window->keyZoomIn->trigger();
    const struct {
        const char* how;
        View to;
        const char* message;
    } steps[] = {{"step", {52.5, 7.5, 25}, "All heights are missing.\r\nPicture is not necessary."},
        {"step", {45.5, 7.5, 25}, "Error reading heigt data, Error value = 700\r\n{data}/MARN/E007/E007N45.33E"},
        {"new area", {52.5, 7.5, 25}, "All heights are missing.\r\nPicture is not necessary."}};
    for (const auto& step : steps) {
        const Picture before = Shown(f);
        const View view = CurrentView(f.state);
        f.platform.messages.clear();
        if (std::string(step.how) == "step") {
            f.window->ShowView(step.to);
        } else {
            SetView(f.state, step.to);
            EXPECT_TRUE(f.window->ShowPicture());
        }
        EXPECT_EQ(f.platform.messages,
            QStringList{QString(step.message).replace("{data}", QString::fromStdString(f.dir.path()))})
            << step.how;
        EXPECT_FALSE(f.platform.programEnded) << step.message;
        EXPECT_TRUE(f.window->isVisible() && f.state.PictureReady && f.state.ReadoutEnabled) << step.message;
        EXPECT_EQ(CurrentView(f.state), view) << step.message;
        EXPECT_EQ(Shown(f), before) << step.message;
    }
    f.window->menBack->trigger();
    EXPECT_EQ(CurrentView(f.state), (View{47.5, 7.5, 50}));
    EXPECT_FALSE(f.window->menBack->isEnabled()) << "a refused step leaves no view to go back to";
}

// Keys that arrive while a step loads add up to one step from the shown view:
// three presses of an arrow move three half widths and leave one view to go
// back to, as three presses one after the other would end; saving waits for
// the complete picture.
TEST(PictureWindowNavigation, KeysDuringAStepAddUpToTheNextView)
{
    test::PictureWindowFixture queued(Screen, 47.5, 7.3, 20), oneByOne(Screen, 47.5, 7.3, 20);
    for (test::PictureWindowFixture* f : {&queued, &oneByOne}) {
        test::WriteTile(f->dir.path(), 47, 7, [](double lat, double lon) {
            return static_cast<std::int16_t>(500 + 300 * std::sin(lat * 50) * std::cos(lon * 40));
        });
        ASSERT_TRUE(f->window->ShowPicture());
    }
    RecordingCommands commands;
    queued.window->setCommands(&commands);
    for (int press = 0; press < 2; ++press)
        QTimer::singleShot(0, queued.window.get(), [&] { queued.window->keyEast->trigger(); });
    QTimer::singleShot(0, queued.window.get(), [&] { queued.window->MenPictSave->trigger(); });
    queued.window->keyEast->trigger();
    for (int press = 0; press < 3; ++press)
        oneByOne.window->keyEast->trigger();
    EXPECT_EQ(CurrentView(queued.state), CurrentView(oneByOne.state));
    EXPECT_EQ(Shown(queued), Shown(oneByOne));
    // Back through the history, sampling each view again: one view to go back
    // to, or three.
    const auto backs = [](test::PictureWindowFixture& f) {
        int count = 0;
        for (; f.window->menBack->isEnabled() && count < 10; ++count) {
            f.window->clearPictureCache();
            f.window->menBack->trigger();
        }
        return count;
    };
    EXPECT_EQ(backs(queued), 1);
    EXPECT_EQ(backs(oneByOne), 3);
    EXPECT_EQ(CurrentView(queued.state), (View{47.5, 7.3, 20}));
    EXPECT_TRUE(commands.calls.isEmpty()) << "no snapshot of a picture being loaded";
    EXPECT_TRUE(queued.platform.messages.isEmpty());
}

} // namespace
} // namespace marn
