// Entry point of every test program: a headless QApplication, so windows, images, fonts and
// timers work, and the production platform that real-line tests use (fakes go on top of it), then
// GoogleTest.

#include "link/ProductionPlatform.h"

#include <QApplication>

#include <gtest/gtest.h>

// Allocations that Qt's, fontconfig's and D-Bus's process-wide globals keep until exit; a
// sanitizer build looks these up itself, whatever the environment.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libQt6Core.so\n"
           "leak:libQt6Gui.so\n"
           "leak:libQt6Widgets.so\n"
           "leak:libdbus-1.so\n";
}

extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseProductionPlatform();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
