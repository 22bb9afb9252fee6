#include <QCoreApplication>
#include <gtest/gtest.h>

// Port events and timers of the real link classes need an application object.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
