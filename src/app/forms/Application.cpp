#include "app/forms/Application.h"

#include "link/Errors.h"
#include "link/Platform.h"

#include <exception>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
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
