#pragma once

// The compare subcommand: the difference table of two measurement files, A against B as
// the reference, written by the measure core's comparison as the compare window shows it.

#include <QByteArray>
#include <QString>

#include <string>

namespace CLI {
class App;
}

enum class CompareFormat { Text, Json, Csv };

// The table for A.vqm against B.vqm: columns titled with the files' names. Throws CliError
// (file) naming a file that cannot be read or is no measurement file.
QByteArray CompareFiles(const QString &aPath, const QString &bPath, CompareFormat format);

// The subcommand's options on the command line, and running it once parsed.
struct CompareArguments
{
    CLI::App *command = nullptr;
    std::string a, b, format = "text";

    void add(CLI::App &app);
    bool parsed() const;
    int run() const; // writes the table to standard output
};
