#include "app/forms/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace {
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString DialogNameFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (")
                + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QStringLiteral(")");
    return filters.join(QStringLiteral(";;"));
}

void QtDialogs::message(const QString &text, Icon icon, const QString &title)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QApplication::applicationName() : title, text,
        QMessageBox::Ok, dialogParent());
    box.exec();
}

void QtDialogs::notice(const QString &text, Icon icon, const QString &title)
{
    auto *box = new QMessageBox(boxIcon(icon), title.isEmpty() ? QApplication::applicationName() : title,
        text, QMessageBox::Ok, dialogParent());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

bool QtDialogs::askYesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::openFileName(const QString &filter, const QString &proposedName)
{
    return QFileDialog::getOpenFileName(dialogParent(), QString(), proposedName, DialogNameFilter(filter));
}

QString QtDialogs::saveFileName(const QString &filter, const QString &proposedName)
{
    // The callers ask about an existing file themselves, with their own words.
    return QFileDialog::getSaveFileName(dialogParent(), QString(), proposedName, DialogNameFilter(filter),
        nullptr, QFileDialog::DontConfirmOverwrite);
}

void QtDialogs::openUrl(const QString &address)
{
    // Nothing is reported when no application takes the document.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
