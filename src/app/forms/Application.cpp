#include "app/forms/Application.h"

#include "base/Errors.h"
#include "base/Platform.h"

#include <exception>

namespace {
// The progress bar repaints its few hundred pixels fifty times for each long reply; with
// X11 shared-memory images every such paint first waits for a round trip to the X server
// (the last image put may still be reading the memory), which tripled the program's context
// switches in continuous sampling. Plain image puts copy the pixels through the socket
// instead and never wait. The display connection reads the variable when it is made; a
// user's own setting is kept, and programs started from here (a PDF viewer, a browser) do
// not inherit ours.
constexpr char PlainImagePuts[] = "QT_XCB_NO_MITSHM";
bool g_setPlainImagePuts = false;

int &withDisplaySettings(int &argc)
{
    g_setPlainImagePuts = !qEnvironmentVariableIsSet(PlainImagePuts);
    if (g_setPlainImagePuts)
        qputenv(PlainImagePuts, "1");
    return argc;
}
} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(withDisplaySettings(argc), argv)
{
    if (g_setPlainImagePuts)
        qunsetenv(PlainImagePuts);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const KmrError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
    } catch (const std::exception &error) {
        platform::dialogs().message(QString::fromLocal8Bit(error.what()), Dialogs::Icon::Error);
    }
    return false;
}
