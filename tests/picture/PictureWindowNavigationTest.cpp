// Navigation in the picture window over hilly tiles: a view reached from the
// picture is the picture a new window loads for it, "Back" brings the one
// before back exactly, and relief shading changes only pixels.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/HeightClasses.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <functional>

namespace marn {
namespace {

constexpr ScreenMetrics Screen{1024, 768, 15.0};

// Hills over two tiles, with a hole of missing data.
void WriteHills(const std::string& root)
{
    for (const int westLon : {7, 8}) {
        test::WriteTile(root, 47, westLon, [](double lat, double lon) {
            const bool hole = std::hypot(lat - 47.5, lon - 7.8) < 0.02;
            return hole ? NoData : static_cast<std::int16_t>(600 + 400 * std::sin(lat * 40) * std::cos(lon * 30));
        });
    }
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

struct StepCase {
    const char* name;
    std::function<void(frmPicture&)> step;
};

class PictureWindowNavigation : public ::testing::TestWithParam<StepCase> {};

TEST_P(PictureWindowNavigation, ShowsWhatAFreshLoadShowsAndGoesBackExactly)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    WriteHills(f.dir.path());
    ASSERT_TRUE(f.window->ShowPicture());
    const View first = CurrentView(f.state);
    const Picture before = Shown(f);

    GetParam().step(*f.window);
    ASSERT_NE(CurrentView(f.state), first);
    EXPECT_TRUE(f.state.PictureReady && f.state.ReadoutEnabled && f.window->isVisible());
    test::PictureWindowFixture fresh(Screen, f.state.CenterLat, f.state.CenterLon, f.state.AreaLengthKm);
    fresh.state.DataDrive = f.dir.path();
    ASSERT_TRUE(fresh.window->ShowPicture());
    EXPECT_EQ(Shown(f), Shown(fresh));

    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(f.window.get(), Qt::Key_Backspace);
    EXPECT_EQ(CurrentView(f.state), first);
    EXPECT_EQ(Shown(f), before);
    EXPECT_TRUE(f.platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Steps, PictureWindowNavigation,
    ::testing::Values(StepCase{"TwoHalfNotchesOfTheWheelBack",
                          [](frmPicture& w) {
                              w.Picture1_MouseWheel(120, 90, -60);
                              w.Picture1_MouseWheel(120, 90, -60);
                          }},
        StepCase{"DoubleClick",
            [](frmPicture& w) {
                QTest::mouseDClick(w.Picture1, Qt::LeftButton, {}, {300, 200});
            }},
        StepCase{"PlusArrowEastAndBack",
            [](frmPicture& w) {
                w.keyZoomIn->trigger();
                w.keyEast->trigger();
                w.menBack->trigger();
            }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureWindowRelief, ShadesThePixelsButNotTheGridTheLegendOrTheMissingPoints)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    WriteHills(f.dir.path());
    ASSERT_TRUE(f.window->ShowPicture());
    ASSERT_FALSE(f.window->menRelief->isChecked());
    const Picture flat = Shown(f);
    const QRgb swatch = f.window->Text5->palette().color(QPalette::Base).rgb();

    f.window->menRelief->trigger();
    const Picture shaded = Shown(f);
    EXPECT_EQ(shaded.grid, flat.grid);
    EXPECT_EQ(shaded.labels, flat.labels);
    EXPECT_EQ(f.window->Text5->palette().color(QPalette::Base).rgb(), swatch);
    int changed = 0, missing = 0;
    for (int j = 1; j <= static_cast<int>(f.state.PicRows); ++j) {
        for (int i = 1; i <= static_cast<int>(f.state.PicCols); ++i) {
            const QPoint px(NearestPixel(f.state.PicLeft + i - 1), NearestPixel(f.state.PicTop + j - 1));
            changed += shaded.pixels.pixel(px) != flat.pixels.pixel(px) ? 1 : 0;
            if (f.state.GridHeights(i, j) == NoData) {
                ++missing;
                EXPECT_EQ(shaded.pixels.pixel(px), qRgb(NoDataColour.r, NoDataColour.g, NoDataColour.b));
            }
        }
    }
    EXPECT_GT(missing, 0);
    EXPECT_GT(changed, shaded.pixels.width() * shaded.pixels.height() / 4);
    f.window->menRelief->trigger();
    EXPECT_EQ(Shown(f), flat);
}

} // namespace
} // namespace marn
