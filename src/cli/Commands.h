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

// Parses the command line and runs the chosen subcommand; returns the exit code. Messages
// go to standard error as one line "kmr5150-cli: ...".
int RunCli(int argc, char **argv);
