#include "link/PortMessages.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString tr(const char *source)
{
    return QCoreApplication::translate("TCommForm", source);
}

const char *const PortNotFoundLines[] = {
    QT_TRANSLATE_NOOP("TCommForm", "       Did not find the default communication port! Please check："),
    "",
    QT_TRANSLATE_NOOP("TCommForm", "               Instrument power is turned on?"),
    QT_TRANSLATE_NOOP("TCommForm", "               Lines of communication connecting apparatus"),
    QT_TRANSLATE_NOOP("TCommForm",
        "               Change the USB port, please re-set in the communication settings！       "),
};

} // namespace

QString PortNotFoundMessage(bool translated)
{
    QStringList lines;
    for (const char *line : PortNotFoundLines)
        lines << (translated && *line ? tr(line) : QString::fromUtf8(line));
    return lines.join(QLatin1Char('\r'));
}

QString PortInUseMessage(int portNumber, const DeviceHolder &holder)
{
    return QCoreApplication::translate("TCommForm",
        "       COM%1 is in use by %2.\n\n"
        "       Close that program: the port is opened by itself as soon as it is free.\n"
        "       Or choose another port in the communication settings.")
        .arg(portNumber)
        .arg(HolderText(holder));
}

QString NoAnswerMessage(int portNumber, const QString &speed, int address)
{
    return QCoreApplication::translate("TCommForm",
        "No instrument answered on COM%1 at %2, address %3. Check that the instrument "
        "is switched on and connected to this port, and that its speed and address "
        "are the ones set here.")
        .arg(portNumber)
        .arg(speed.isEmpty() ? tr(QT_TRANSLATE_NOOP("TCommForm", "no speed chosen")) : speed)
        .arg(address);
}
