// main() for tests that drive Qt widgets: a QApplication, offscreen unless chosen otherwise.

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
