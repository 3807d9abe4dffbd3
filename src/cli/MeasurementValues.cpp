#include "cli/MeasurementValues.h"

#include "measure/PanelTexts.h"

#include <QJsonDocument>
#include <QJsonObject>

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
