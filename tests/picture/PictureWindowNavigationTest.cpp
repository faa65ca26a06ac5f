// Navigation in the picture window over hilly tile files: every view reached
// from the picture is the picture a new window loads for that view, "Back"
// brings the one before back exactly, and relief shading changes only pixels.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/HeightClasses.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <functional>

namespace marn {
namespace {

constexpr ScreenMetrics Screen{1024, 768, 15.0};

// Hills over two tiles, with a hole of missing data in the west.
void WriteHills(const std::string& root)
{
    for (const int westLon : {7, 8}) {
        test::WriteTile(root, 47, westLon, [](double lat, double lon) {
            if (std::hypot(lat - 47.5, lon - 7.8) < 0.02)
                return NoData;
            return static_cast<std::int16_t>(600 + 400 * std::sin(lat * 40) * std::cos(lon * 30));
        });
    }
}

// Everything a load draws and shows: grid, pixels, labels, legend and texts.
struct Picture {
    std::vector<std::int16_t> grid;
    QImage pixels;
    QStringList labels;
    friend bool operator==(const Picture&, const Picture&) = default;
};

Picture Shown(const frmPicture& window, const SharedState& s)
{
    Picture p{s.GridHeights.raw(), window.Picture1->picture(), {}};
    for (const QLabel* label : window.Picture1->findChildren<QLabel*>()) {
        if (label->isVisibleTo(window.Picture1))
            p.labels << label->objectName() + "=" + label->text() + QString(" %1,%2").arg(label->x()).arg(label->y());
    }
    return p;
}

// A new window's first load of a view, over the same data.
Picture FreshLoad(const std::string& dataDrive, const View& view)
{
    test::PictureWindowFixture fresh(Screen, view.CenterLat, view.CenterLon, view.AreaLengthKm);
    fresh.state.DataDrive = dataDrive;
    EXPECT_TRUE(fresh.window->ShowPicture());
    return Shown(*fresh.window, fresh.state);
}

void Wheel(PictureBox& box, QPoint at, int delta)
{
    QWheelEvent event(at, box.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&box, &event);
}

struct StepCase {
    const char* name;
    std::function<void(frmPicture&)> step;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << c.name;
}

class PictureWindowNavigation : public ::testing::TestWithParam<StepCase> {};

TEST_P(PictureWindowNavigation, ShowsWhatAFreshLoadShowsAndGoesBackExactly)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    WriteHills(f.dir.path());
    ASSERT_TRUE(f.window->ShowPicture());
    const View first = CurrentView(f.state);
    const Picture before = Shown(*f.window, f.state);

    GetParam().step(*f.window);
    ASSERT_NE(CurrentView(f.state), first);
    EXPECT_TRUE(f.state.PictureReady && f.state.ReadoutEnabled && f.window->isVisible());
    EXPECT_EQ(Shown(*f.window, f.state), FreshLoad(f.dir.path(), CurrentView(f.state)));
    EXPECT_EQ(f.window->viewHistory().size(), 1U);

    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(f.window.get(), Qt::Key_Backspace);
    EXPECT_EQ(CurrentView(f.state), first);
    EXPECT_EQ(Shown(*f.window, f.state), before);
    EXPECT_TRUE(f.platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Steps, PictureWindowNavigation,
    ::testing::Values(StepCase{"WheelForwardNearACorner",
                          [](frmPicture& w) {
                              Wheel(*w.Picture1, {120, 90}, 120);
                          }},
        StepCase{"TwoHalfNotchesBack",
            [](frmPicture& w) {
                Wheel(*w.Picture1, {400, 300}, -60);
                Wheel(*w.Picture1, {400, 300}, -60);
            }},
        StepCase{"DoubleClick",
            [](frmPicture& w) {
                QTest::mouseDClick(w.Picture1, Qt::LeftButton, {}, {300, 200});
            }},
        StepCase{"ArrowEast", [](frmPicture& w) { w.keyEast->trigger(); }},
        StepCase{"PlusAndArrowSouth",
            [](frmPicture& w) {
                w.keyZoomIn->trigger();
                w.keySouth->trigger();
                w.menBack->trigger();
            }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureWindowRelief, ShadesThePixelsButNotTheGridTheLegendOrTheMissingPoints)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    WriteHills(f.dir.path());
    ASSERT_TRUE(f.window->ShowPicture());
    EXPECT_FALSE(f.window->menRelief->isChecked());
    const Picture flat = Shown(*f.window, f.state);
    const QRgb swatch = f.window->Text5->palette().color(QPalette::Base).rgb();

    f.window->menRelief->trigger();
    const Picture shaded = Shown(*f.window, f.state);
    EXPECT_EQ(shaded.grid, flat.grid);
    EXPECT_EQ(shaded.labels, flat.labels);
    EXPECT_EQ(f.window->Text5->palette().color(QPalette::Base).rgb(), swatch);
    int changed = 0;
    int missing = 0;
    const QRgb grey = qRgb(NoDataColour.r, NoDataColour.g, NoDataColour.b);
    for (int j = 1; j <= static_cast<int>(f.state.PicRows); ++j) {
        for (int i = 1; i <= static_cast<int>(f.state.PicCols); ++i) {
            const QPoint px(NearestPixel(f.state.PicLeft + i - 1), NearestPixel(f.state.PicTop + j - 1));
            changed += shaded.pixels.pixel(px) != flat.pixels.pixel(px) ? 1 : 0;
            if (f.state.GridHeights(i, j) == NoData) {
                ++missing;
                EXPECT_EQ(shaded.pixels.pixel(px), grey);
            }
        }
    }
    EXPECT_GT(missing, 0);
    EXPECT_GT(changed, shaded.pixels.width() * shaded.pixels.height() / 4);

    f.window->menRelief->trigger();
    EXPECT_EQ(Shown(*f.window, f.state), flat);
}

} // namespace
} // namespace marn
