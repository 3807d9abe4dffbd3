#include "app/forms/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

// The buttons speak the program's language: Qt's own translations may not be installed.
void nameButtons(QMessageBox &box)
{
    const struct
    {
        QMessageBox::StandardButton button;
        const char *text;
    } names[] = { { QMessageBox::Ok, QT_TRANSLATE_NOOP("QtDialogs", "OK") },
        { QMessageBox::Yes, QT_TRANSLATE_NOOP("QtDialogs", "&Yes") },
        { QMessageBox::No, QT_TRANSLATE_NOOP("QtDialogs", "&No") } };
    for (const auto &name : names)
        if (QAbstractButton *button = box.button(name.button))
            button->setText(QCoreApplication::translate("QtDialogs", name.text));
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
    // File names and addresses in a message can be copied from it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    nameButtons(box);
    box.exec();
}

void QtDialogs::notice(const QString &text, Icon icon, const QString &title)
{
    auto *box = new QMessageBox(boxIcon(icon), title.isEmpty() ? QApplication::applicationName() : title,
        text, QMessageBox::Ok, dialogParent());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    nameButtons(*box);
    box->show();
}

bool QtDialogs::askYesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
    nameButtons(box);
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

bool QtDialogs::openUrl(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands the address to xdg-open and forgets it: an xdg-open that finds no viewer or
    // browser fails unseen. Running it ourselves lets its exit status reach the user.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        auto *process = new QProcess(qApp);
        process->setProgram(opener);
        process->setArguments({ url.isLocalFile() ? url.toLocalFile() : url.toString() });
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        const QString shown
            = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
        QObject::connect(process, &QProcess::finished, process,
            [process, shown](int exitCode, QProcess::ExitStatus status) {
                process->deleteLater();
                // An opener still running when the program ends is ended with it, unreported.
                if ((status == QProcess::NormalExit && exitCode == 0) || QCoreApplication::closingDown())
                    return;
                platform::dialogs().message(
                    QCoreApplication::translate("QtDialogs",
                        "No program on this computer could open\n\n%1\n\nOpen it with a program "
                        "of your choice; the text above can be selected and copied.")
                        .arg(shown),
                    Dialogs::Icon::Information);
            });
        process->start();
        if (process->waitForStarted())
            return true;
        process->deleteLater();
        return false;
    }
#endif
    return QDesktopServices::openUrl(url);
}
