#pragma once

// Small pieces every window builds with: its named timers, and a command whose failure is
// shown to the user with the error's own text.

#include "base/Errors.h"
#include "base/Platform.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QTimer>

// A stopped timer named `name` (its objectName) that calls `handler` of `owner` every
// `interval` ms once started.
template <typename Owner>
QTimer *MakeTimer(Owner *owner, const char *name, int interval, void (Owner::*handler)())
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    QObject::connect(timer, &QTimer::timeout, owner, handler);
    return timer;
}

// Runs one command; an error ends it and is shown in an error box with its text.
template <typename Command> void ShowingErrors(Command &&command)
{
    try {
        command();
    } catch (const KmrError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
    }
}

// Opens `url` with the desktop's program for it; when none starts, `otherwise` is shown
// (it names the address or file so the user can open it by hand).
inline void OpenOrTell(const QString &url, const QString &otherwise)
{
    if (!platform::dialogs().openUrl(url))
        platform::dialogs().message(otherwise, Dialogs::Icon::Information);
}

// Shows `dialog` modally for `opener` and gives the focus back to `opener` when it closes.
// The windows are children of the main window, so the desktop would otherwise activate the
// main window behind the one the user was working in.
inline int ExecFrom(QDialog *dialog, QWidget *opener)
{
    const QPointer<QWidget> back(opener);
    const int result = dialog->exec();
    if (back && back->isVisible()) {
        back->raise();
        back->activateWindow();
    }
    return result;
}
