#include "cli/ComplianceCheck.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "cli/CliError.h"
#include "cli/CommandParts.h"
#include "cli/Exchange.h"
#include "cli/MeasurementValues.h"
#include "measure/MeasurementFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace {

QString orderVerdictText(const OrderAssessment &o)
{
    switch (o.verdict) {
    case OrderVerdict::NoLimit:
        return QStringLiteral("no limit");
    case OrderVerdict::Disregarded:
        return QStringLiteral("below floor");
    case OrderVerdict::Pass:
        return o.allowanceUsed ? QStringLiteral("pass (+50 %)") : QStringLiteral("pass");
    case OrderVerdict::Fail:
        break;
    }
    return QStringLiteral("FAIL");
}

QJsonValue number(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
}

[[noreturn]] void fileError(const QString &fileName, const QString &what)
{
    throw CliError(ExitFile, QStringLiteral("%1: %2").arg(fileName, what));
}

// The columns of a CSV log the assessment reads: their indexes by name.
struct LogColumns
{
    int time = -1, current = -1, power = -1, powerFactor = -1;
    int harmonic[LastAssessedOrder + 1] {};
};

EmissionAssessment checkCsvLog(const QString &fileName, const CheckOptions &options)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fileError(fileName, file.errorString());
    const QByteArray header = file.readLine().trimmed();
    const QList<QByteArray> names = header.split(',');
    LogColumns columns;
    std::fill(std::begin(columns.harmonic), std::end(columns.harmonic), -1);
    for (int i = 0; i < names.size(); ++i) {
        const QByteArray name = names[i].trimmed();
        if (name == "time")
            columns.time = i;
        else if (name == "IRMS")
            columns.current = i;
        else if (name == "WRMS")
            columns.power = i;
        else if (name == "PF")
            columns.powerFactor = i;
        else if (name.startsWith("IH")) {
            bool ok = false;
            const int order = name.mid(2).toInt(&ok);
            if (ok && order >= 1 && order <= LastAssessedOrder)
                columns.harmonic[order] = i;
        }
    }
    if (columns.time < 0 || columns.current < 0 || columns.power < 0 || columns.powerFactor < 0)
        fileError(fileName,
            QStringLiteral("not a measurement file or a CSV log of kmr5150-cli (no time, IRMS, WRMS "
                           "and PF columns)"));
    for (int n = 1; n <= LastAssessedOrder; ++n)
        if (columns.harmonic[n] < 0)
            fileError(fileName,
                QStringLiteral("a CSV log without the harmonic columns IH1 to IH40 (log it with "
                               "--harmonics)"));

    EmissionCheck check(options.emissionClass, options.ratedPower);
    QDateTime origin;
    int line = 1;
    while (!file.atEnd()) {
        const QByteArray text = file.readLine().trimmed();
        ++line;
        if (text.isEmpty())
            continue;
        const QList<QByteArray> fields = text.split(',');
        const auto field = [&](int column) -> double {
            bool ok = false;
            const double value = column < fields.size() ? fields[column].toDouble(&ok) : 0.0;
            if (!ok)
                fileError(
                    fileName, QStringLiteral("line %1: column %2 is not a number").arg(line).arg(column + 1));
            return value;
        };
        if (columns.time >= fields.size())
            fileError(fileName, QStringLiteral("line %1 is cut short").arg(line));
        const QDateTime time
            = QDateTime::fromString(QString::fromLatin1(fields[columns.time]), Qt::ISODateWithMs);
        if (!time.isValid())
            fileError(
                fileName, QStringLiteral("line %1: the time is not an ISO 8601 date and time").arg(line));
        if (!origin.isValid())
            origin = time;
        EmissionSample sample;
        sample.seconds = origin.msecsTo(time) / 1000.0;
        sample.currentRms = field(columns.current);
        sample.activePower = field(columns.power);
        sample.powerFactor = field(columns.powerFactor);
        for (int n = 1; n <= LastAssessedOrder; ++n)
            sample.currentPeak[size_t(n)] = field(columns.harmonic[n]);
        check.add(sample);
    }
    if (file.error() != QFile::NoError)
        fileError(fileName, file.errorString());
    return check.result();
}

} // namespace

QByteArray CheckText(const EmissionAssessment &a)
{
    QString text
        = QStringLiteral("%1 (class %2): %3\n")
              .arg(QString::fromLatin1(VerdictText(a.verdict)), EmissionClassText(a.emissionClass), a.reason);
    text += QStringLiteral("period %1 s, %2 measurement(s)")
                .arg(a.periodSeconds, 0, 'f', 1)
                .arg(a.measurements);
    if (a.verdict == Verdict::Pass || a.verdict == Verdict::Fail || a.verdict == Verdict::NoLimits)
        text += QStringLiteral(", power %1 W (%2)")
                    .arg(a.basis.activePower, 0, 'f', 1)
                    .arg(a.ratedPowerUsed ? QStringLiteral("rated") : QStringLiteral("measured"));
    text += QLatin1Char('\n');
    if (a.verdict == Verdict::Pass || a.verdict == Verdict::Fail) {
        text += QStringLiteral("order  limit A  present A  max A  average A  %limit  verdict\n");
        for (const OrderAssessment &o : a.orders) {
            if (!o.limit)
                continue;
            text += QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
                        .arg(o.order, 5)
                        .arg(*o.limit, 7, 'f', 3)
                        .arg(o.present, 9, 'f', 3)
                        .arg(o.smoothedMax, 5, 'f', 3)
                        .arg(o.average, 9, 'f', 3)
                        .arg(o.averagePercent, 6, 'f', 0)
                        .arg(orderVerdictText(o));
        }
    }
    text += PreComplianceNote() + QLatin1Char('\n');
    return text.toUtf8();
}

QByteArray CheckJson(const EmissionAssessment &a)
{
    QJsonArray orders;
    for (const OrderAssessment &o : a.orders) {
        QJsonObject row { { QStringLiteral("order"), o.order },
            { QStringLiteral("limit"), o.limit ? QJsonValue(*o.limit) : QJsonValue() },
            { QStringLiteral("present"), number(o.present) },
            { QStringLiteral("smoothed_max"), number(o.smoothedMax) },
            { QStringLiteral("average"), number(o.average) },
            { QStringLiteral("percent_of_limit"), o.limit ? number(o.averagePercent) : QJsonValue() },
            { QStringLiteral("verdict"), orderVerdictText(o) } };
        orders.append(row);
    }
    const QJsonObject object {
        { QStringLiteral("class"), EmissionClassText(a.emissionClass) },
        { QStringLiteral("verdict"), QString::fromLatin1(VerdictText(a.verdict)) },
        { QStringLiteral("reason"), a.reason },
        { QStringLiteral("measurements"), a.measurements },
        { QStringLiteral("refused"), a.refused },
        { QStringLiteral("period_s"), number(a.periodSeconds) },
        { QStringLiteral("power_w"), number(a.basis.activePower) },
        { QStringLiteral("rated_power"), a.ratedPowerUsed },
        { QStringLiteral("class_a_limits"), a.classALimitsUsed },
        { QStringLiteral("worst_order"), a.worstOrder },
        { QStringLiteral("worst_percent"), number(a.worstPercent) },
        { QStringLiteral("partial_odd_a"), number(a.partialOddMeasured) },
        { QStringLiteral("partial_odd_limit_a"), number(a.partialOddLimit) },
        { QStringLiteral("orders"), orders },
        { QStringLiteral("note"), PreComplianceNote() },
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

int CheckExitCode(const EmissionAssessment &a)
{
    switch (a.verdict) {
    case Verdict::Pass:
        return ExitOk;
    case Verdict::Fail:
        return ExitCheckFail;
    case Verdict::NoLimits:
        return ExitCheckNoLimits;
    case Verdict::NoVerdict:
        break;
    }
    return -1;
}

EmissionAssessment CheckFile(const QString &fileName, const CheckOptions &options)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        fileError(fileName, QStringLiteral("no such file"));
    if (!info.isFile())
        fileError(fileName, QStringLiteral("not a file"));
    if (fileName.endsWith(QStringLiteral(".vqm"), Qt::CaseInsensitive)) {
        // The loader refuses a file of another size, with both sizes.
        MeasurementRecord record {};
        try {
            LoadMeasurementFile(fileName, record);
        } catch (const KmrError &error) {
            fileError(fileName, error.text());
        }
        EmissionCheck check(options.emissionClass, options.ratedPower);
        check.add(EmissionSampleFrom(record, 0));
        return check.result();
    }
    return checkCsvLog(fileName, options);
}

EmissionAssessment CheckInstrument(const LinkTarget &target, const CheckOptions &options, int timeoutMs)
{
    InstrumentLink link(target);
    link.open();
    const int waitMs = timeoutMs > 0 ? timeoutMs : DefaultTimeoutMs(link);
    EmissionCheck check(options.emissionClass, options.ratedPower);
    const QDateTime origin = platform::clock().now();
    for (;;) {
        const QByteArray frame = link.readMeasurement(waitMs);
        if (frame.isEmpty()) {
            if (!link.isOpen())
                throw CliError(
                    ExitDevice, QStringLiteral("%1: the port went away").arg(DescribeTarget(target)));
            throw CliError(ExitDevice, NoReplyText(target, waitMs));
        }
        const QDateTime time = platform::clock().now();
        check.add(EmissionSampleFrom(RecordFromReply(frame), origin.msecsTo(time) / 1000.0));
        const bool enough = options.count > 0 ? check.measurements() >= options.count
                                              : origin.msecsTo(time) >= options.durationSeconds * 1000.0;
        if (enough)
            break;
    }
    SendCloseNotice(link);
    return check.result();
}
