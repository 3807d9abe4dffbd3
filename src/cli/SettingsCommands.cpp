#include "cli/SettingsCommands.h"

#include "base/Errors.h"
#include "base/NumberInput.h"
#include "cli/CliError.h"
#include "cli/CommandParts.h"
#include "cli/Exchange.h"
#include "instrument/CtDelay.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "measure/MeasurementCsv.h"

#include <cstring>

namespace {

// The key filter of the windows' number boxes, over a text given whole.
void checkKeys(const QString &what, const QString &text, bool minusAllowed)
{
    for (const QChar c : text)
        if (!NumberKeyAccepted(QString(c), minusAllowed))
            throw CliError(ExitUsage,
                QStringLiteral("%1 %2: the box takes digits%3 and the point only")
                    .arg(what, text, minusAllowed ? QStringLiteral(", the minus sign") : QString()));
}

QString limitOption(int k)
{
    return QStringLiteral("--") + AlarmLimitName(k).toLower();
}

QByteArray readRegister(InstrumentLink &link, uint16_t reg, int waitMs)
{
    const QByteArray reply = link.read(reg, 2, waitMs);
    if (reply.size() < 9)
        throw CliError(ExitDevice, NoReplyText(link.target(), waitMs));
    return reply;
}

AlarmSettings readAlarms(InstrumentLink &link, int waitMs)
{
    // The chain starts at the mode byte, as the window's does.
    ModeWord = static_cast<uint8_t>(readRegister(link, ModeRegister, waitMs)[3]);
    AlarmSettings settings;
    for (int k = 0; k < AlarmLimitCount; ++k) {
        const QByteArray reply = readRegister(link, uint16_t(AlarmRegisterAL1H + k), waitMs);
        settings.limits[size_t(k)] = BytesToSingle(reinterpret_cast<const uint8_t *>(reply.constData()) + 3);
    }
    settings.mask = static_cast<uint8_t>(readRegister(link, AlarmMaskRegister, waitMs)[3]);
    return settings;
}

int waitFor(const InstrumentLink &link, int timeoutMs)
{
    return timeoutMs > 0 ? timeoutMs : DefaultTimeoutMs(link);
}

QString namesOf(int first, int last)
{
    QStringList names;
    for (int reg = first; reg <= last; ++reg)
        names << (reg == AlarmMaskRegister ? QStringLiteral("the switches")
                                           : AlarmLimitName(reg - AlarmRegisterAL1H));
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

} // namespace

QString SaveStoppedText(
    const LinkTarget &target, int stoppedAt, int waitMs, const QString &status, bool portGone)
{
    const QString what = portGone
        ? QStringLiteral("the port went away while register %1 was being written").arg(stoppedAt)
        : QStringLiteral("the instrument did not acknowledge register %1 within %2 s")
              .arg(stoppedAt)
              .arg(waitMs / 1000.0);
    // The window's status texts end in a Chinese full stop; the tool's messages are English.
    const QString step = QString(status).remove(QChar(0x3002));
    return QStringLiteral("%1: %2; saving stopped at \"%3\". Written: %4; not confirmed: %5; not written: %6")
        .arg(DescribeTarget(target), what, step, namesOf(AlarmRegisterAL1H, stoppedAt - 1),
            namesOf(stoppedAt, stoppedAt), namesOf(stoppedAt + 1, AlarmMaskRegister));
}

QString AlarmSettingsText(const AlarmSettings &settings)
{
    const AlarmSwitchArray switches = AlarmSwitches(settings.mask);
    QString text;
    for (int k = 0; k < AlarmLimitCount; ++k)
        text += QStringLiteral("%1  %2  %3\n")
                    .arg(AlarmLimitName(k), AlarmLimitText(settings.limits[size_t(k)]),
                        switches[size_t(k)] ? QStringLiteral("on") : QStringLiteral("off"));
    return text;
}

AlarmLimitArray ConvertedLimits(const AlarmChanges &changes, const AlarmLimitArray &current)
{
    AlarmLimitArray limits = current;
    for (const auto &[k, text] : changes.limitTexts) {
        checkKeys(limitOption(k), text, false);
        try {
            limits[size_t(k)] = DecimalSingle(text);
        } catch (const EConvertError &error) {
            throw CliError(ExitUsage, error.text());
        }
    }
    return limits;
}

int RunAlarmGet(const LinkTarget &target, int timeoutMs)
{
    InstrumentLink link(target);
    link.open();
    const AlarmSettings settings = readAlarms(link, waitFor(link, timeoutMs));
    SendCloseNotice(link);
    WriteOut(AlarmSettingsText(settings).toUtf8());
    return ExitOk;
}

int RunAlarmSet(const LinkTarget &target, const AlarmChanges &changes, int timeoutMs)
{
    // Every text is checked before the instrument is asked anything.
    ConvertedLimits(changes, {});

    InstrumentLink link(target);
    link.open();
    const int waitMs = waitFor(link, timeoutMs);
    AlarmSettings settings = readAlarms(link, waitMs);
    settings.limits = ConvertedLimits(changes, settings.limits);
    AlarmSwitchArray switches = AlarmSwitches(settings.mask);
    for (const auto &[k, on] : changes.switches)
        switches[size_t(k)] = on;
    settings.mask = AlarmMask(switches);

    // Each acknowledgement leads to the next write, as in the window.
    uint8_t reg = AlarmRegisterAL1H;
    QString status = QStringLiteral("Saving ......");
    for (;;) {
        const bool acknowledged = reg == AlarmMaskRegister
            ? link.writeAcknowledged(reg, AlarmMaskBytes(settings.mask).data(), waitMs)
            : link.writeAcknowledged(reg, settings.limits[size_t(reg - AlarmRegisterAL1H)], waitMs);
        if (!acknowledged)
            throw CliError(ExitDevice, SaveStoppedText(target, reg, waitMs, status, !link.isOpen()));
        const std::optional<AlarmSaveStep> step = AlarmSaveStepAfter(reg);
        status = step->status;
        if (!step->nextRegister)
            break;
        reg = *step->nextRegister;
    }
    SendCloseNotice(link);
    WriteOut((status + QLatin1Char('\n')).toUtf8());
    return ExitOk;
}

int RunCtSet(const LinkTarget &target, const QString &angleText, const QString &frequencyText)
{
    checkKeys(QStringLiteral("--frequency"), frequencyText, true);
    checkKeys(QStringLiteral("--angle"), angleText, true);
    CtDelayResult result;
    try {
        result = CtDelayFromTexts(angleText, frequencyText);
    } catch (const EConvertError &error) {
        throw CliError(ExitUsage, error.text());
    }
    if (!result.valid)
        throw CliError(ExitUsage, result.message.trimmed());

    InstrumentLink link(target);
    link.open();
    if (!link.writeValue(CtDelayRegister, result.delay))
        throw CliError(
            ExitDevice, QStringLiteral("%1: the delay could not be sent").arg(DescribeTarget(target)));
    SendCloseNotice(link);
    WriteOut(QStringLiteral("delay %1 s written to register %2\n")
                 .arg(FloatText(result.delay))
                 .arg(CtDelayRegister)
                 .toUtf8());
    return ExitOk;
}
