#include "measure/Comparison.h"

#include "base/Errors.h"
#include "measure/HarmonicTable.h"
#include "measure/MeasurementCsv.h"
#include "measure/NumberText.h"
#include "measure/PanelTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {
// The instrument's constant for the square root of 2, as the harmonic table divides by it.
constexpr double Sqrt2 = 1.41421;

// The panel of each of the fifteen values, in record order (that of ValueFields).
constexpr PanelIndex PanelOfField[15] = { Panel_URMS, Panel_UPP, Panel_UF, Panel_IRMS, Panel_IPP, Panel_IPA,
    Panel_PF, Panel_WRMS, Panel_PS, Panel_PQ, Panel_VTHD, Panel_ITHD, Panel_VKF, PANEL_IKF, Panel_KWH };

// The value a float stands for as its shortest text reads (230.1234f is 230.1234, not
// 230.12339782...), so that differences come out as a person computes them from the files.
double decimalValue(float value)
{
    if (!std::isfinite(value))
        return double(value);
    return FloatText(value).toDouble();
}

void fillPercent(ComparisonRow &row)
{
    if (!std::isfinite(row.live) || !std::isfinite(row.reference)) {
        row.percentText = NoPercentText;
        return;
    }
    if (row.reference == 0.0) {
        row.percentText = ZeroReferenceText;
        return;
    }
    // Relative to the size of the reference, so a rise reads positive also for a negative
    // reference (a phase angle, a reactive power).
    row.percent = row.difference / std::abs(row.reference) * 100.0;
    row.percentText = NumberText(*row.percent, 2, QStringLiteral(".00"), false, QString());
}

QString number(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', 10) : FloatText(float(value));
}

QStringList rowTexts(const ComparisonRow &row)
{
    return { row.quantity, row.unit, row.liveText, row.referenceText, row.differenceText, row.percentText };
}
} // namespace

std::vector<ComparisonRow> CompareMeasurements(
    const MeasurementRecord &live, const MeasurementRecord &reference)
{
    std::vector<ComparisonRow> rows;
    rows.reserve(ComparisonRowCount);
    for (size_t f = 0; f < ValueFields.size(); ++f) {
        const ValueField &field = ValueFields[f];
        const PanelIndex panel = PanelOfField[f];
        const bool isThd = panel == Panel_VTHD || panel == Panel_ITHD;
        const double scale = isThd ? 100.0 : 1.0; // THD is held as a fraction, shown in percent
        const double a = decimalValue(FieldValue(live, field));
        const double b = decimalValue(FieldValue(reference, field));
        ComparisonRow row;
        row.quantity = QString::fromLatin1(field.name);
        row.unit = isThd ? QStringLiteral("%") : QString::fromUtf8(field.unit);
        row.live = a * scale;
        row.reference = b * scale;
        row.difference = (a - b) * scale;
        row.liveText = PanelValueText(panel, a, false);
        row.referenceText = PanelValueText(panel, b, false);
        row.differenceText = PanelValueText(panel, a - b, false);
        fillPercent(row);
        rows.push_back(row);
    }
    struct Spectrum
    {
        const char *name;
        const char *unit;
        int decimals; // those of the harmonic table
        bool voltage;
        const float *live;
        const float *reference;
    };
    const Spectrum spectra[] = { { "UHarm", "V", 2, true, live.UHarm, reference.UHarm },
        { "IHarm", "A", 4, false, live.IHarm, reference.IHarm } };
    for (const Spectrum &s : spectra)
        for (int n = 1; n <= ComparedHarmonicOrders; ++n) {
            ComparisonRow row;
            row.quantity = QStringLiteral("%1 %2").arg(QLatin1String(s.name)).arg(n);
            row.unit = QLatin1String(s.unit);
            row.live = decimalValue(s.live[n]) / Sqrt2;
            row.reference = decimalValue(s.reference[n]) / Sqrt2;
            row.difference = row.live - row.reference;
            const HarmonicRow liveRow = HarmonicTableRow(live, n);
            const HarmonicRow referenceRow = HarmonicTableRow(reference, n);
            row.liveText = (s.voltage ? liveRow.uRms : liveRow.iRms).trimmed();
            row.referenceText = (s.voltage ? referenceRow.uRms : referenceRow.iRms).trimmed();
            row.differenceText
                = NumberText(row.difference, s.decimals, QStringLiteral(".00"), false, QString());
            fillPercent(row);
            rows.push_back(row);
        }
    return rows;
}

QStringList ComparisonHeader(const QString &liveTitle, const QString &referenceTitle)
{
    return { QStringLiteral("Quantity"), QStringLiteral("Unit"), liveTitle, referenceTitle,
        QStringLiteral("Difference"), QStringLiteral("Difference (%)") };
}

QString ComparisonText(const std::vector<ComparisonRow> &rows, const QStringList &header)
{
    std::vector<QStringList> table { header };
    for (const ComparisonRow &row : rows)
        table.push_back(rowTexts(row));
    std::vector<qsizetype> widths(size_t(header.size()), 0);
    for (const QStringList &line : table)
        for (qsizetype c = 0; c < line.size() && c < qsizetype(widths.size()); ++c)
            widths[size_t(c)] = std::max(widths[size_t(c)], line[c].size());
    QString text;
    for (const QStringList &line : table) {
        QStringList cells;
        for (qsizetype c = 0; c < line.size() && c < qsizetype(widths.size()); ++c) {
            const int width = int(widths[size_t(c)]);
            // Names left, numbers right, so that decimal points of one column line up more often.
            cells << (c < 2 ? line[c].leftJustified(width) : line[c].rightJustified(width));
        }
        text += cells.join(QStringLiteral("  ")).trimmed() + QLatin1Char('\n');
    }
    return text;
}

QString ComparisonTabbed(const std::vector<ComparisonRow> &rows, const QStringList &header)
{
    QString text = header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const ComparisonRow &row : rows)
        text += rowTexts(row).join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QString ComparisonCsv(const std::vector<ComparisonRow> &rows, const QStringList &header)
{
    QString csv = CsvRow(header);
    for (const ComparisonRow &row : rows)
        csv += CsvRow({ row.quantity, row.unit, number(row.live), number(row.reference),
            number(row.difference), row.percent ? number(*row.percent) : QString() });
    return csv;
}

QByteArray ComparisonJson(
    const std::vector<ComparisonRow> &rows, const QString &liveName, const QString &referenceName)
{
    const auto value
        = [](double v) { return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null); };
    QJsonArray list;
    for (const ComparisonRow &row : rows) {
        QJsonObject item { { QStringLiteral("quantity"), row.quantity }, { QStringLiteral("unit"), row.unit },
            { QStringLiteral("live"), value(row.live) },
            { QStringLiteral("reference"), value(row.reference) },
            { QStringLiteral("difference"), value(row.difference) },
            { QStringLiteral("percent"), row.percent ? value(*row.percent) : QJsonValue(QJsonValue::Null) } };
        if (!row.percent)
            item.insert(QStringLiteral("note"), row.percentText);
        list.append(item);
    }
    const QJsonObject root { { QStringLiteral("live"), liveName },
        { QStringLiteral("reference"), referenceName }, { QStringLiteral("rows"), list } };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void SaveComparisonCsv(
    const std::vector<ComparisonRow> &rows, const QStringList &header, const QString &csvPath)
{
    const QByteArray csv = ComparisonCsv(rows, header).toUtf8();
    QSaveFile out(csvPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(csv) != csv.size() || !out.commit())
        throw EInOutError(out.errorString());
}
