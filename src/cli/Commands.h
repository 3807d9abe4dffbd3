#pragma once

// The subcommands of kmr5150-cli on top of the link, measure and cli cores, and the
// command line that chooses them.

#include "cli/LinkTarget.h"

#include <QString>

#include <optional>

enum class ReadFormat { Text, Json, Csv };

// One measurement to standard output, and to a measurement file when `saveAs` is not empty.
// `timeoutMs` 0 takes the default for the line speed. An existing `saveAs` is replaced only
// with `force`, through a temporary file beside it (see OutputFile).
int RunRead(const LinkTarget &target, ReadFormat format, int timeoutMs, const QString &saveAs = {},
    bool force = false);

// Reads the instrument's mode byte; with a choice, writes it back changed in that bit and
// reads it again to confirm. Prints the bandwidth and THD convention in force.
int RunMode(const LinkTarget &target, std::optional<bool> broadband, std::optional<bool> csa, int timeoutMs);

int RunPorts();

// Shared by the subcommands that talk to the instrument.
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

// Parses the command line and runs the chosen subcommand; returns the exit code. Messages
// go to standard error as one line "kmr5150-cli: ...".
int RunCli(int argc, char **argv);
