#pragma once

// The header fields of every printed report, kept in EnterInfo.ini, section PrintInfo.

#include <QDate>
#include <QString>

inline const QString PrintInfoFileName = QStringLiteral("EnterInfo.ini");
inline const QString PrintInfoSection = QStringLiteral("PrintInfo");

struct PrintInfo
{
    // Every field reads "2" when its key is missing, like every other key of the program.
    QString projectName = QStringLiteral("2");
    QString company = QStringLiteral("2"); // licenser
    QString conner = QStringLiteral("2"); // operator
    QString date = QStringLiteral("2");
    QString temperature = QStringLiteral("2");
    bool celsius = false; // units: 1 is Celsius, anything else Fahrenheit

    // What follows the temperature on paper: "℃", or "F" and a blank.
    QString unitSuffix() const;

    bool operator==(const PrintInfo &) const = default;
};

// What the reports print, read afresh from the file each time. A units value that is not a
// whole number prints as Fahrenheit: a report never fails over its header.
PrintInfo ReadPrintInfo();

// What the print information window shows when it is created: the stored texts with today's
// date instead of the stored one. A units value that is not a whole number leaves Celsius
// selected and puts the conversion error's text in `unitsError`.
PrintInfo EnterInfoFields(const QDate &today, QString &unitsError);

// Writes the six keys in the order ProjectName, company, conner, date, temperature, units
// ("1" or "0"); other keys and sections of the file stay. Throws EInOutError.
void SavePrintInfo(const PrintInfo &info);
