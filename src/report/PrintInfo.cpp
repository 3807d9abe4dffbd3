#include "report/PrintInfo.h"

#include "base/DateTimeText.h"
#include "base/Errors.h"
#include "base/IniFile.h"

namespace {
QString read(const IniFile &file, const char *key)
{
    return file.readString(PrintInfoSection, QString::fromLatin1(key));
}
} // namespace

QString PrintInfo::unitSuffix() const
{
    return celsius ? QStringLiteral("℃") : QStringLiteral("F ");
}

PrintInfo ReadPrintInfo()
{
    const IniFile file(PrintInfoFileName);
    PrintInfo info;
    info.projectName = read(file, "ProjectName");
    info.company = read(file, "company");
    info.conner = read(file, "conner");
    info.date = read(file, "date");
    info.temperature = read(file, "temperature");
    try {
        info.celsius = file.readInteger(PrintInfoSection, QStringLiteral("units")) == 1;
    } catch (const EConvertError &) {
        info.celsius = false;
    }
    return info;
}

PrintInfo EnterInfoFields(const QDate &today, QString &unitsError)
{
    const IniFile file(PrintInfoFileName);
    PrintInfo info;
    info.projectName = read(file, "ProjectName");
    info.company = read(file, "company");
    info.conner = read(file, "conner");
    info.date = ShortDateText(today);
    info.temperature = read(file, "temperature");
    unitsError.clear();
    try {
        info.celsius = file.readInteger(PrintInfoSection, QStringLiteral("units")) == 1;
    } catch (const EConvertError &error) {
        info.celsius = true;
        unitsError = error.text();
    }
    return info;
}

void SavePrintInfo(const PrintInfo &info)
{
    const IniFile file(PrintInfoFileName);
    file.writeString(PrintInfoSection, QStringLiteral("ProjectName"), info.projectName);
    file.writeString(PrintInfoSection, QStringLiteral("company"), info.company);
    file.writeString(PrintInfoSection, QStringLiteral("conner"), info.conner);
    file.writeString(PrintInfoSection, QStringLiteral("date"), info.date);
    file.writeString(PrintInfoSection, QStringLiteral("temperature"), info.temperature);
    file.writeString(
        PrintInfoSection, QStringLiteral("units"), info.celsius ? QStringLiteral("1") : QStringLiteral("0"));
}
