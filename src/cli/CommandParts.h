#pragma once

// What every subcommand that talks to the instrument or writes to standard output shares,
// below the command line that chooses among them.

#include "cli/LinkTarget.h"

#include <QByteArray>
#include <QString>

class InstrumentLink;

// The wait for one reply when no --timeout is given: room for a resend after silence.
int DefaultTimeoutMs(const InstrumentLink &link);
// "PORT: no reply from the instrument at address N within S s (...)"
QString NoReplyText(const LinkTarget &target, int timeoutMs);
// The notice the program sends when it lets go of the instrument's USB port.
void SendCloseNotice(InstrumentLink &link);
// Writes to standard output at once; throws CliError (file) with the system's reason when it
// cannot (a full disk, a closed pipe).
void WriteOut(const QByteArray &bytes);
