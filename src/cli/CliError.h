#pragma once

// Exit codes of kmr5150-cli and the error that carries one to main().

#include <QString>

#include <stdexcept>

enum ExitCode : int {
    ExitOk = 0,
    ExitUsage = 1, // bad options or settings
    ExitDevice = 2, // instrument, port or broker cannot be reached or does not answer
    ExitFile = 3, // a file cannot be read, written or understood
};

// A failure that ends the command: one line for standard error and the exit code.
class CliError : public std::runtime_error
{
public:
    CliError(ExitCode code, const QString &text)
        : std::runtime_error(text.toStdString())
        , m_code(code)
        , m_text(text)
    {
    }
    ExitCode code() const { return m_code; }
    const QString &text() const { return m_text; }

private:
    ExitCode m_code;
    QString m_text;
};
