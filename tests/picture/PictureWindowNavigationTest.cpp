// Navigation in the picture window over hilly tiles: a view reached from the
// picture is the picture a new window loads for it, "Back" brings the one
// before back exactly, and relief shading changes only the picture's pixels.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/HeightClasses.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTest>

#include <cmath>

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

TEST(PictureWindowNavigation, EachStepShowsWhatAFreshLoadShowsAndBackReturnsExactly)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    WriteHills(f.dir.path());
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
    EXPECT_EQ(CurrentView(f.state), views.front().first);
    EXPECT_EQ(Shown(f), views.front().second);
    EXPECT_TRUE(f.platform.messages.isEmpty());
}

TEST(PictureWindowRelief, ShadesThePixelsButNotTheGridTheLabelsOrTheMissingPoints)
{
    test::PictureWindowFixture f(Screen, 47.5, 8.0, 50);
    WriteHills(f.dir.path());
    ASSERT_TRUE(f.window->ShowPicture());
    const Picture flat = Shown(f);
    f.window->menRelief->trigger();
    const Picture shaded = Shown(f);
    EXPECT_EQ(std::tie(shaded.grid, shaded.labels), std::tie(flat.grid, flat.labels));
    const QRgb grey = qRgb(NoDataColour.r, NoDataColour.g, NoDataColour.b);
    int changed = 0, missing = 0, notGrey = 0;
    for (int j = 1; j <= static_cast<int>(f.state.PicRows); ++j) {
        for (int i = 1; i <= static_cast<int>(f.state.PicCols); ++i) {
            const QPoint px(NearestPixel(f.state.PicLeft + i - 1), NearestPixel(f.state.PicTop + j - 1));
            changed += shaded.pixels.pixel(px) != flat.pixels.pixel(px) ? 1 : 0;
            const bool noData = f.state.GridHeights(i, j) == NoData;
            missing += noData ? 1 : 0;
            notGrey += noData && shaded.pixels.pixel(px) != grey ? 1 : 0;
        }
    }
    EXPECT_GT(missing, 0);
    EXPECT_EQ(notGrey, 0);
    EXPECT_GT(changed, shaded.pixels.width() * shaded.pixels.height() / 4);
    f.window->menRelief->trigger();
    EXPECT_EQ(Shown(f), flat);
}

} // namespace
} // namespace marn
