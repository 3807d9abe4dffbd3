#include "cli/CommandParts.h"

#include "cli/CliError.h"
#include "cli/Exchange.h"
#include "cli/OutputFile.h"

#include <cerrno>
#include <cstdio>

#include <unistd.h>

void WriteOut(const QByteArray &bytes)
{
    std::fflush(stdout);
    if (!WriteWhole(STDOUT_FILENO, bytes.constData(), bytes.size()))
        throw CliError(ExitFile, QStringLiteral("standard output: %1").arg(SystemReason(errno)));
}

int DefaultTimeoutMs(const InstrumentLink &link)
{
    // Room for a resend after silence beyond one exchange at this speed.
    return link.measurementBudgetMs() + 2000;
}

QString NoReplyText(const LinkTarget &target, int timeoutMs)
{
    return QStringLiteral("%1: no reply from the instrument at address %2 within %3 s (is it on, at %4 bit/s "
                          "and this address?)")
        .arg(DescribeTarget(target))
        .arg(target.address)
        .arg(timeoutMs / 1000.0)
        .arg(target.baud);
}

void SendCloseNotice(InstrumentLink &link)
{
    if (link.target().usb && link.isOpen())
        link.sendRead(CloseNoticeRegister, 0);
}
