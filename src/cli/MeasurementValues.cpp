#include "cli/MeasurementValues.h"

#include "measure/PanelTexts.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {
// The panel that shows each field, in ValueFields order.
constexpr PanelIndex FieldPanels[] = { Panel_URMS, Panel_UPP, Panel_UF, Panel_IRMS, Panel_IPP, Panel_IPA,
    Panel_PF, Panel_WRMS, Panel_PS, Panel_PQ, Panel_VTHD, Panel_ITHD, Panel_VKF, PANEL_IKF, Panel_KWH };

// What the panels append themselves; the text form writes units apart from the number.
QString withoutSuffix(const QString &text, const char *suffix)
{
    const QString s = QString::fromUtf8(suffix);
    return !s.isEmpty() && text.endsWith(s) ? text.left(text.size() - s.size()) : text;
}
} // namespace

const std::array<ValueField, 15> ValueFields = { {
    { "URMS", offsetof(MeasurementRecord, URMS), "V" },
    { "UPP", offsetof(MeasurementRecord, UPP), "V" },
    { "UF", offsetof(MeasurementRecord, UF), "Hz" },
    { "IRMS", offsetof(MeasurementRecord, IRMS), "A" },
    { "IPP", offsetof(MeasurementRecord, IPP), "A" },
    { "IPA", offsetof(MeasurementRecord, IPA), "°" },
    { "PF", offsetof(MeasurementRecord, PF), "" },
    { "WRMS", offsetof(MeasurementRecord, WRMS), "W" },
    { "PS", offsetof(MeasurementRecord, PS), "VA" },
    { "PQ", offsetof(MeasurementRecord, PQ), "var" },
    { "VTHD", offsetof(MeasurementRecord, VTHD), "" },
    { "ITHD", offsetof(MeasurementRecord, ITHD), "" },
    { "VKF", offsetof(MeasurementRecord, VKF), "" },
    { "IKF", offsetof(MeasurementRecord, IKF), "" },
    { "KWH", offsetof(MeasurementRecord, KWH), "kWh" },
} };

float FieldValue(const MeasurementRecord &record, const ValueField &field)
{
    float value;
    std::memcpy(&value, reinterpret_cast<const char *>(&record) + field.offset, sizeof value);
    return value;
}

QString FloatText(float value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char buffer[32];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString IsoTime(const QDateTime &time)
{
    // Qt writes local times without their offset; a fixed offset is written with it.
    const QDateTime withOffset = time.toOffsetFromUtc(time.offsetFromUtc());
    QString text = withOffset.toString(Qt::ISODateWithMs);
    if (text.endsWith(QLatin1Char('Z'))) {
        text.chop(1);
        text += QStringLiteral("+00:00");
    }
    return text;
}

QString MeasurementText(const MeasurementRecord &record, const QDateTime &time)
{
    const std::array<QString, PanelCount> panels = PanelTexts(record);
    // The panels' own suffixes, which the text form puts after a blank.
    static const char *const panelSuffixes[]
        = { "V", "V", "Hz", "", "", "", "", "", "", "", " %", " %", "", "", "" };
    QString text = QStringLiteral("time  %1\n").arg(IsoTime(time));
    for (size_t i = 0; i < ValueFields.size(); ++i) {
        const ValueField &field = ValueFields[i];
        const QString number = withoutSuffix(panels[FieldPanels[i]], panelSuffixes[i]);
        const bool thd = FieldPanels[i] == Panel_VTHD || FieldPanels[i] == Panel_ITHD;
        const QString unit = thd ? QStringLiteral("%") : QString::fromUtf8(field.unit);
        text += QStringLiteral("%1  %2%3\n")
                    .arg(QString::fromLatin1(field.name).leftJustified(4))
                    .arg(number)
                    .arg(unit.isEmpty() ? QString() : QStringLiteral(" ") + unit);
    }
    return text;
}

QByteArray MeasurementJson(const MeasurementRecord &record, const QDateTime &time, bool units)
{
    // Written by hand: QJsonDocument writes a float widened to double with all its digits.
    QByteArray json = "{\"time\":\"" + IsoTime(time).toUtf8() + '"';
    for (const ValueField &field : ValueFields) {
        const float value = FieldValue(record, field);
        json += ",\"" + QByteArray(field.name) + "\":";
        json += std::isfinite(value) ? FloatText(value).toLatin1() : QByteArray("null");
    }
    if (units) {
        json += ",\"units\":{";
        for (size_t i = 0; i < ValueFields.size(); ++i)
            json
                += (i ? ",\"" : "\"") + QByteArray(ValueFields[i].name) + "\":\"" + ValueFields[i].unit + '"';
        json += '}';
    }
    return json + '}';
}

QString CsvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvRow(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted << CsvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString MeasurementCsvHeader()
{
    QStringList fields { QStringLiteral("time") };
    for (const ValueField &field : ValueFields)
        fields << QString::fromLatin1(field.name);
    return CsvRow(fields);
}

QString MeasurementCsvRow(const MeasurementRecord &record, const QDateTime &time)
{
    QStringList fields { IsoTime(time) };
    for (const ValueField &field : ValueFields)
        fields << FloatText(FieldValue(record, field));
    return CsvRow(fields);
}

MeasurementRecord RecordFromReply(const QByteArray &frame)
{
    const MeasurementRecord saved = Measurement;
    InitMeasurement();
    if (frame.size() >= MeasurementReplyDataBytes)
        StoreMeasurementReply(reinterpret_cast<const uint8_t *>(frame.constData()));
    const MeasurementRecord record = Measurement;
    Measurement = saved;
    return record;
}
