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
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>

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
    EXPECT_EQ(f->window->Label4->text(), "Minimum height = 100 m");
    EXPECT_EQ(f->window->Label6->text(), "Maximum height = 1500 m");

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
    const QImage snapshot = f->window->clientArea()->grab().toImage();
    const QPoint origin = f->window->Picture1->pos(), inside = Px(s.PicLeft + 5, s.PicTop + 5);
    EXPECT_EQ(snapshot.width(), 1024);
    EXPECT_EQ(snapshot.pixel(origin + inside), image.pixel(inside));
    EXPECT_EQ(snapshot.pixel(f->window->Text3->geometry().translated(origin).center()), Colour(ClassColours[0]));
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
        EXPECT_EQ(label->objectName(), QStringLiteral("Label%1").arg(8 + row));
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
    QStringList calls;
    QList<frmPicture*> windows;
};

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        texts << action->text();
    return texts;
}

TEST(PictureWindowMenu, EntriesCallTheOutputCommandsWithTheWindow)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    EXPECT_EQ(Texts(f.window->menuBar()->actions()), (QStringList{"Exit", "Picture", "Info", "View"}));
    EXPECT_EQ(Texts(f.window->menView->actions()), (QStringList{"Back", "New area\u2026", "", "Relief shading"}));
    EXPECT_EQ(Texts(f.window->menPicture->actions()), (QStringList{"Save as", "Print"}));
    EXPECT_EQ(f.window->windowTitle(), "Height picture");
    RecordingCommands commands;
    f.window->MenPictSave->trigger(); // no commands set yet: nothing happens
    f.window->setCommands(&commands);
    f.window->MenPictSave->trigger();
    f.window->menPictPrint->trigger();
    f.window->menInfo->trigger();
    EXPECT_EQ(commands.calls, (QStringList{"save", "print", "info"}));
    EXPECT_EQ(commands.windows, (QList<frmPicture*>{f.window.get(), f.window.get()}));
    EXPECT_FALSE(f.platform.programEnded);
}

TEST(PictureWindowEnd, ExitButtonMenuAndFrameEndTheProgram)
{
    const std::pair<const char*, std::function<void(frmPicture&)>> ways[] = {
        {"Exit button", [](frmPicture& w) { w.Command1->click(); }},
        {"Exit menu", [](frmPicture& w) { w.menExit->trigger(); }}, {"frame", [](frmPicture& w) { w.close(); }}};
    for (const auto& [name, act] : ways) {
        test::PictureWindowFixture f({640, 480, 15.0});
        EXPECT_EQ(f.window->Command1->text(), "Exit");
        act(*f.window);
        EXPECT_TRUE(f.platform.programEnded && f.platform.messages.isEmpty()) << name;
    }
}

TEST(PictureWindowEnd, LoadsWithNothingToShowOrAReadErrorStopWithTheirMessageWithoutThePicture)
{
    const std::pair<std::function<void(const std::string& root)>, const char*> stops[] = {
        {[](const std::string&) {},
            "All heights are missing.\r\nPicture is not necessary.\r\nNo MARN directory in {data}."},
        {[](const std::string& root) { test::WriteFlatTile(root, 47, 7, NoData); },
            "All heights are missing.\r\nPicture is not necessary."},
        {[](const std::string& root) { test::WriteFlatTile(root, 47, 7, 0); },
            "All heights are 0 m.\r\nPicture is not necessary."},
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

} // namespace
} // namespace marn
