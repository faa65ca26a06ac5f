// The readout window under a real window manager (run by
// tests/support/with-window-manager.sh): a click into the picture window raises
// and activates it, and the readout window stays above it.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/Einzelergebnis.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

namespace marn {
namespace {

// Where a window lies in the window manager's stacking order (bottom first).
qsizetype StackingPlace(const QWidget& window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST_STACKING"});
    xprop.waitForFinished();
    const QString line = QString::fromLatin1(xprop.readAllStandardOutput());
    return line.mid(line.indexOf('#') + 1)
        .remove(' ')
        .trimmed()
        .split(',')
        .indexOf(QStringLiteral("0x%1").arg(window.winId(), 0, 16));
}

TEST(ReadoutUnderAWindowManager, StaysAboveThePictureAfterAClickIntoIt)
{
    test::PictureWindowFixture f({1280, 1024, 15.0}, 47.5, 8.0);
    test::WriteTwoLevelTiles(f.dir.path());
    ASSERT_TRUE(f.window->ShowPicture());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    const QPoint inside(static_cast<int>(f.state.PicLeft) + 40, static_cast<int>(f.state.PicTop) + 40);
    f.window->Picture1_MouseMove(static_cast<float>(inside.x()), static_cast<float>(inside.y()));
    Einzelergebnis& readout = f.window->readoutWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&readout));

    const QPoint click = f.window->Picture1->mapToGlobal(inside);
    QProcess::execute("xdotool", {"mousemove", QString::number(click.x()), QString::number(click.y()), "click", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.window->isActiveWindow(); }, 3000)) << "the click reached the picture";
    QTest::qWait(300);

    EXPECT_GE(StackingPlace(*f.window), 0);
    EXPECT_GT(StackingPlace(readout), StackingPlace(*f.window));
    EXPECT_TRUE(readout.isVisible());
}

} // namespace
} // namespace marn
