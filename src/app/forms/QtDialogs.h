#pragma once

// The message boxes, file dialogs and document opening of the running program.

#include "base/Platform.h"

class QWidget;

class QtDialogs final : public Dialogs
{
public:
    void message(const QString &text, Icon icon = Icon::None, const QString &title = {}) override;
    // A message box that is not modal and deletes itself when closed.
    void notice(const QString &text, Icon icon = Icon::Warning, const QString &title = {}) override;
    bool askYesNo(const QString &title, const QString &text) override;
    QString openFileName(const QString &filter, const QString &proposedName = {}) override;
    QString saveFileName(const QString &filter, const QString &proposedName = {}) override;
    // False when Qt finds no program to hand the address to. A desktop opener (xdg-open)
    // that starts but then fails is told in a message box of its own, naming the address.
    bool openUrl(const QString &address) override;
};

// "Text|*.ext|Other|*.*" (description and pattern pairs) as a file dialog's name filter,
// "Text (*.ext);;Other (*.*)".
QString DialogNameFilter(const QString &filter);
