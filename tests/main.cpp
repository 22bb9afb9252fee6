#include <QApplication>
#include <gtest/gtest.h>

// Port events and timers of the real link classes need an application object, and
// the window tests need it to be a widget application. The tests never need a screen:
// without a platform chosen they run offscreen (test discovery runs them so too).
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
