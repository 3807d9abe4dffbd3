#pragma once

#include <QString>

#include <stdexcept>

// Errors that end the current command and are shown to the user with their text by the
// application's top-level handler.
class KmrError : public std::runtime_error
{
public:
    explicit KmrError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// Raised by the serial component.
class ECommError : public KmrError
{
public:
    using KmrError::KmrError;
};

// A text that must be a number and is not.
class EConvertError : public KmrError
{
public:
    using KmrError::KmrError;
};

// A file that cannot be created, opened, read or written.
class EInOutError : public KmrError
{
public:
    using KmrError::KmrError;
};

// Runs `operation`; a file error it raises comes out with the file's name in front
// ("/home/u/a.vqm: No such file or directory"), unless its text names the file already.
template <typename Operation> decltype(auto) NamingFile(const QString &fileName, Operation &&operation)
{
    try {
        return operation();
    } catch (const EInOutError &error) {
        if (error.text().contains(fileName))
            throw;
        throw EInOutError(fileName + QStringLiteral(": ") + error.text());
    }
}
