#pragma once

// Dates and times as the user's locale writes them on screen and paper.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

QString ShortDateText(const QDate &date, const QLocale &locale = QLocale());
// The locale's long time format without its time-zone part: the clock time of a measurement
// is local, and a zone name only crowds the status bar.
QString LongTimeText(const QTime &time, const QLocale &locale = QLocale());
