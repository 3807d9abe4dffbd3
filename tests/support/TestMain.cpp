// Entry point of every test program: a headless QApplication, so windows, images, fonts and
// timers work, and the production platform that real-line tests use (fakes go on top of it), then
// GoogleTest.

#include "link/Platform.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseProductionPlatform();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
