#include "base/IniFile.h"

#include "base/Errors.h"
#include "base/Platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

// Debian builds SimpleIni as a library; compiling its templates here keeps the link to ICU
// alone and works as well with the header-only upstream form.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <memory>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

// The reader's notion of a blank.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; // a zero byte reads as a blank
}

QByteArray trimmedBlanks(const QByteArray &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

// Names match as the reader matches them: ASCII letters without regard to case, every
// other byte exactly.
bool sameName(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (lower(a.at(i)) != lower(b.at(i)))
            return false;
    return true;
}

struct Line
{
    qsizetype start;
    qsizetype end; // before the line break
    qsizetype next; // after the line break
};

QList<Line> splitLines(const QByteArray &text)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != '\n' && text.at(end) != '\r')
            ++end;
        qsizetype next = end;
        if (next < text.size()) {
            if (text.at(next) == '\r' && next + 1 < text.size() && text.at(next + 1) == '\n')
                next += 2;
            else
                next += 1;
        }
        lines.append({ start, end, next });
        start = next;
    }
    return lines;
}

std::unique_ptr<CSimpleIniA> parse(QByteArray contents, const QString &path)
{
    // The parser stops at a zero byte (a file damaged by a crash may hold some); read it
    // as the blank the writer makes of one.
    contents.replace('\0', ' ');
    while (contents.startsWith(Bom))
        contents.remove(0, Bom.size());
    // A '[' line without its ']' is no section header, but the parser would read the
    // header on through the next lines: make it the comment the writer takes it for.
    for (const Line &line : splitLines(contents)) {
        qsizetype first = line.start;
        while (first < line.end && isBlank(contents.at(first)))
            ++first;
        if (first < line.end && contents.at(first) == '['
            && !contents.mid(first, line.end - first).contains(']'))
            contents[first] = ';';
    }
    auto ini = std::make_unique<CSimpleIniA>(/*a_bIsUtf8*/ true, /*a_bMultiKey*/ false,
        /*a_bMultiLine*/ false);
    ini->SetSpaces(false);
    if (ini->LoadData(contents.constData(), static_cast<size_t>(contents.size())) < 0)
        throw EInOutError(
            QCoreApplication::translate("IniFile", "Cannot read \"%1\": out of memory").arg(path));
    return ini;
}

} // namespace

IniFile::IniFile(const QString &fileName)
    : m_path(platform::programDir().settingsFilePath(fileName))
{
}

QByteArray IniFile::load() const
{
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(
            QCoreApplication::translate("IniFile", "Cannot read \"%1\": %2").arg(m_path, file.errorString()));
    QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(
            QCoreApplication::translate("IniFile", "Cannot read \"%1\": %2").arg(m_path, file.errorString()));
    return contents;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::unique_ptr<CSimpleIniA> ini = parse(load(), m_path);
    const char *value = ini->GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    return value ? QString::fromUtf8(value) : defaultValue;
}

int IniFile::readInteger(const QString &section, const QString &key, const QString &defaultValue) const
{
    return toInteger(readString(section, key, defaultValue), section, key);
}

int IniFile::toInteger(const QString &text, const QString &section, const QString &key)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    const QString number = text.trimmed();
    bool ok = false;
    int value = 0;
    if (decimal.match(number).hasMatch())
        value = number.toInt(&ok, 10);
    if (!ok)
        throw EConvertError(
            QCoreApplication::translate("IniFile", "'%1' is not a valid integer value for [%2] %3")
                .arg(text, section, key));
    return value;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value) const
{
    const QByteArray original = load();
    const QByteArray contents = withValue(original, section, key, value);
    if (contents == original)
        return; // the file already says so; rewriting it would only touch the disk
    QSaveFile file(m_path);
    // A program directory where new files cannot be made may still hold a writable file.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        throw EInOutError(QCoreApplication::translate("IniFile", "Cannot write \"%1\": %2")
                              .arg(m_path, file.errorString()));
}

void IniFile::writeInteger(const QString &section, const QString &key, int value) const
{
    writeString(section, key, QString::number(value));
}

QStringList IniFile::keys(const QString &section) const
{
    const std::unique_ptr<CSimpleIniA> ini = parse(load(), m_path);
    CSimpleIniA::TNamesDepend names;
    ini->GetAllKeys(section.toUtf8().constData(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList list;
    for (const CSimpleIniA::Entry &name : names)
        list << QString::fromUtf8(name.pItem);
    return list;
}

QByteArray IniFile::withValue(
    const QByteArray &original, const QString &section, const QString &key, const QString &value)
{
    QByteArray contents = original;
    while (contents.startsWith(Bom)) // an editor may have put in more than one
        contents.remove(0, Bom.size());
    const QByteArray sectionName = section.toUtf8();
    const QByteArray keyName = key.toUtf8();
    // A value is one line; a line break or a zero byte in it would cut the file apart.
    QByteArray valueText = value.toUtf8();
    for (char &c : valueText)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';

    const QList<Line> lines = splitLines(contents);
    QByteArray lineBreak = "\n";
    for (const Line &line : lines) {
        if (line.next > line.end) {
            lineBreak = contents.mid(line.end, line.next - line.end);
            break;
        }
    }

    // Find the line the reader takes the value from (the last one of that key in the
    // section, as repeated keys and sections merge with the later one winning), and the
    // last entry of the section, after which a new key goes.
    bool inSection = sectionName.isEmpty();
    bool sectionFound = false;
    qsizetype keyLine = -1;
    qsizetype lastEntryLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray text = contents.mid(lines[i].start, lines[i].end - lines[i].start);
        qsizetype first = 0;
        while (first < text.size() && isBlank(text.at(first)))
            ++first;
        if (first == text.size() || text.at(first) == ';' || text.at(first) == '#')
            continue;
        if (text.at(first) == '[') {
            const qsizetype close = text.indexOf(']', first + 1);
            if (close < 0)
                continue; // not a section header; the reader ignores the line
            inSection = sameName(trimmedBlanks(text.mid(first + 1, close - first - 1)), sectionName);
            if (inSection) {
                sectionFound = true;
                lastEntryLine = i;
            }
            continue;
        }
        const qsizetype equals = text.indexOf('=', first);
        if (equals < 0 || !inSection)
            continue;
        const QByteArray name = trimmedBlanks(text.mid(first, equals - first));
        if (name.isEmpty())
            continue;
        lastEntryLine = i;
        if (sameName(name, keyName))
            keyLine = i;
    }

    if (keyLine >= 0) {
        // Keep the indentation and the key as the file spells it.
        const Line &line = lines[keyLine];
        const QByteArray text = contents.mid(line.start, line.end - line.start);
        const QByteArray head = text.left(text.indexOf('='));
        qsizetype headEnd = head.size();
        while (headEnd > 0 && isBlank(head.at(headEnd - 1)))
            --headEnd;
        return contents.left(line.start) + head.left(headEnd) + '=' + valueText + contents.mid(line.end);
    }

    const QByteArray entry = keyName + '=' + valueText + lineBreak;
    if (sectionFound) {
        const Line &line = lines[lastEntryLine];
        if (line.next == line.end) // the last line of the file has no line break
            return contents + lineBreak + entry;
        return contents.left(line.next) + entry + contents.mid(line.next);
    }

    QByteArray result = contents;
    if (!result.isEmpty()) {
        if (!result.endsWith('\n') && !result.endsWith('\r'))
            result += lineBreak;
        const Line &last = lines.last();
        if (!trimmedBlanks(contents.mid(last.start, last.end - last.start)).isEmpty())
            result += lineBreak; // a blank line before the new section
    }
    return result + '[' + sectionName + ']' + lineBreak + entry;
}
