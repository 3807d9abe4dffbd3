#pragma once

// Two measurements side by side: the fifteen values and the RMS values of the harmonic orders
// 1 to 50 of voltage and current, each with the live value, the reference value, their
// difference and the difference in percent of the reference. The compare window, its
// clipboard and CSV export and the command line's compare all write these rows.

#include "measure/MeasurementRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the percent column says when the reference value is 0: a percentage of nothing has no
// value, and inf or nan would be read as one.
inline const QString ZeroReferenceText = QStringLiteral("reference is 0");
// ... and when either value is no number (NaN or infinite), so the difference has none either.
inline const QString NoPercentText = QStringLiteral("---");

struct ComparisonRow
{
    QString quantity; // "URMS" .. "KWH" (record order), "UHarm 1" .. "UHarm 50", "IHarm 1" .. "IHarm 50"
    QString unit; // THD in "%", harmonics as RMS "V" and "A"
    double live = 0.0; // in `unit`
    double reference = 0.0;
    double difference = 0.0; // live - reference
    std::optional<double> percent; // difference / |reference| * 100; none for a 0 or non-finite reference
    // The number texts of the main window's panels and the harmonic table (without suffix);
    // the difference in the same form, the percent with 2 decimals.
    QString liveText, referenceText, differenceText, percentText;
};

constexpr int ComparedHarmonicOrders = 50; // orders 1..50; the DC part is left out
constexpr int ComparisonRowCount = 15 + 2 * ComparedHarmonicOrders;

std::vector<ComparisonRow> CompareMeasurements(
    const MeasurementRecord &live, const MeasurementRecord &reference);

// Column titles: Quantity, Unit, the two measurements' titles ("Live", "Reference" in the
// window), Difference, Difference (%).
QStringList ComparisonHeader(const QString &liveTitle, const QString &referenceTitle);

// For a person: the header and one row per line, columns aligned with blanks, number
// columns right-aligned.
QString ComparisonText(const std::vector<ComparisonRow> &rows, const QStringList &header);
// For the clipboard: the texts separated by tabs, a line per row, so a spreadsheet takes them
// cell by cell.
QString ComparisonTabbed(const std::vector<ComparisonRow> &rows, const QStringList &header);
// CSV with the measurement CSV's field rules: numbers in full (the live and reference values
// of the fifteen as the float the record holds), an empty percent where there is none.
QString ComparisonCsv(const std::vector<ComparisonRow> &rows, const QStringList &header);
// {"live": NAME, "reference": NAME, "rows": [{"quantity": ..., "unit": ..., "live": ...,
// "reference": ..., "difference": ..., "percent": ... or null, "note": ...}]}
QByteArray ComparisonJson(
    const std::vector<ComparisonRow> &rows, const QString &liveName, const QString &referenceName);

// Writes ComparisonCsv to `csvPath`; the file appears whole or not at all. Throws EInOutError
// with the system's text.
void SaveComparisonCsv(
    const std::vector<ComparisonRow> &rows, const QStringList &header, const QString &csvPath);
