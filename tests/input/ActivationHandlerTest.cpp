// The activation handler runs at the first showing and at later activations,
// but never inside itself.

#include "input/ActivationHandler.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

namespace marn {
namespace {

TEST(ActivationHandlerTest, RunsOnShowAndActivationButNeverInsideItself)
{
    QWidget window;
    int runs = 0;
    new ActivationHandler(window, [&] {
        ++runs;
        QEvent again(QEvent::WindowActivate); // what a window shown by the handler can cause
        QCoreApplication::sendEvent(&window, &again);
    });
    window.show();
    QTest::qWait(200);
    EXPECT_EQ(runs, 1);

    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    EXPECT_EQ(runs, 2);
}

} // namespace
} // namespace marn
