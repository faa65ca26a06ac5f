// main() for test programs that drive Qt widgets: a QApplication on the
// offscreen platform unless the caller chose another one.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("MARN_VIEWER");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
