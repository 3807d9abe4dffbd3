// The INI reader and writer fed arbitrary files: one key is written, and the result must
// keep every other line as it was, read the written value back, and stay as it is when the
// same key is written again.

#include "FuzzInput.h"
#include "base/Errors.h"
#include "base/IniFile.h"
#include "base/Platform.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
class FuzzProgramDir final : public ProgramDir
{
public:
    QString path() const override { return dir.path(); }
    QTemporaryDir dir;
};
FuzzProgramDir *programDir = nullptr;

// A name of one to eight characters from letters, digits and "_".
QString nameFrom(FuzzInput &input)
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    const int length = 1 + input.byte() % 8;
    QString name;
    for (int i = 0; i < length; ++i)
        name += QLatin1Char(alphabet[input.byte() % (sizeof alphabet - 1)]);
    return name;
}

// Lines without their line breaks; byte-order marks at the start are not part of the text.
QList<QByteArray> linesOf(QByteArray text)
{
    while (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != '\n' && text.at(end) != '\r')
            ++end;
        lines.append(text.mid(start, end - start));
        start = end;
        if (start < text.size() && text.at(start) == '\r' && start + 1 < text.size()
            && text.at(start + 1) == '\n')
            start += 2;
        else if (start < text.size())
            start += 1;
    }
    return lines;
}

// Every line of `before` is in `after`, in order, except at most one (the changed line);
// `after` has at most three lines more (a blank line, a new section and its key).
bool keepsUntouchedLines(const QList<QByteArray> &before, const QList<QByteArray> &after)
{
    if (after.size() > before.size() + 3)
        return false;
    // The longest common subsequence of lines, row by row.
    std::vector<int> previous(size_t(after.size()) + 1, 0);
    std::vector<int> current(previous.size(), 0);
    for (const QByteArray &line : before) {
        for (qsizetype j = 0; j < after.size(); ++j)
            current[size_t(j) + 1] = line == after.at(j)
                ? previous[size_t(j)] + 1
                : std::max(previous[size_t(j) + 1], current[size_t(j)]);
        std::swap(previous, current);
    }
    return previous.back() >= before.size() - 1;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    programDir = new FuzzProgramDir;
    platform::install(programDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString section = nameFrom(input);
    const QString key = nameFrom(input);
    const uint8_t *valueBytes = nullptr;
    const size_t valueSize = input.take(input.byte() % 24, valueBytes);
    const QString value = QString::fromUtf8(reinterpret_cast<const char *>(valueBytes), qsizetype(valueSize));
    const uint8_t *rest = nullptr;
    const size_t restSize = input.take(input.remaining(), rest);
    const QByteArray contents(reinterpret_cast<const char *>(rest), qsizetype(restSize));

    const QByteArray written = IniFile::withValue(contents, section, key, value);
    const auto fail = [&](const char *what) {
        std::fprintf(stderr, "%s\n[%s] %s = \"%s\"\n--- before\n%s\n--- after\n%s\n---\n", what,
            qPrintable(section), qPrintable(key), value.toUtf8().constData(),
            contents.toPercentEncoding(" =[]#;").constData(),
            written.toPercentEncoding(" =[]#;").constData());
        std::abort();
    };
    if (!keepsUntouchedLines(linesOf(contents), linesOf(written)))
        fail("a line the write did not change was lost");
    if (IniFile::withValue(written, section, key, value) != written)
        fail("writing the same value again changed the file");

    // What the reader makes of it: the written value, as one line with its blanks trimmed.
    {
        QFile file(programDir->dir.filePath(QStringLiteral("Fuzz.ini")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(written) != written.size())
            std::abort();
    }
    const IniFile ini(QStringLiteral("Fuzz.ini"));
    // Blanks and tabs around a value are not part of it.
    const auto trimmed = [](QByteArray text) {
        for (bool again = true; again;) {
            again = false;
            while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
                text.remove(0, 1);
            while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
                text.chop(1);
            // The reader's conversion takes a byte-order mark at the start of a value for a
            // signature and drops it.
            if (text.startsWith("\xEF\xBB\xBF")) {
                text.remove(0, 3);
                again = true;
            }
        }
        return text;
    };
    QByteArray expected = value.toUtf8();
    for (char &c : expected)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    expected = trimmed(expected);
    try {
        const QByteArray read = trimmed(ini.readString(section, key, QStringLiteral("<missing>")).toUtf8());
        if (read != expected) {
            std::fprintf(stderr, "read %s, expected %s\n", read.toHex(' ').constData(),
                expected.toHex(' ').constData());
            fail("the reader does not read the written value back");
        }
        ini.keys(section);
        ini.readInteger(section, key);
    } catch (const EConvertError &) {
    }
    return 0;
}
