#include "cli/Commands.h"

#include "base/Errors.h"
#include "cli/BenchLog.h"
#include "cli/CliError.h"
#include "cli/CommandParts.h"
#include "cli/CompareCommand.h"
#include "cli/ComplianceCheck.h"
#include "cli/Exchange.h"
#include "cli/Logger.h"
#include "cli/MeasurementExport.h"
#include "cli/MeasurementValues.h"
#include "cli/OutputFile.h"
#include "cli/PortList.h"
#include "cli/SettingsCommands.h"
#include "link/Globals.h"
#include "link/ProductionPlatform.h"
#include "measure/MeasurementFile.h"
#include "record/RecordFile.h"
#include "record/RecordSettings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include <unistd.h>

namespace {
const char Program[] = "kmr5150-cli";
// The instrument's own USB port carries this in its USB identifier.
const QString InstrumentUsbMark = QStringLiteral("5732");

QString modeText(uint8_t mode)
{
    return QStringLiteral("bandwidth %1\nthd %2\n")
        .arg(mode & 0x01 ? QStringLiteral("wide") : QStringLiteral("narrow"))
        .arg(mode & 0x02 ? QStringLiteral("csa") : QStringLiteral("iec"));
}

struct LinkArguments
{
    std::string port;
    uint32_t baud = 0;
    int address = 0;
    bool usb = false;
    bool paced = true; // read and log wait at the wire's pace unless --paced
    double timeout = 0;
    CLI::Option *portOption = nullptr;
    CLI::Option *baudOption = nullptr;
    CLI::Option *addressOption = nullptr;

    void add(CLI::App *command, bool withTimeout = true)
    {
        portOption = command->add_option("--port", port, "COMn or a device path (default: SysSet.ini)");
        baudOption
            = command->add_option("--baud", baud, "line speed in bits per second (default: SysSet.ini)");
        addressOption
            = command->add_option("--address", address, "instrument address 1 to 255 (default: SysSet.ini)");
        command->add_flag("--usb", usb, "the instrument's own USB port: no paced wait for long replies");
        if (withTimeout)
            command
                ->add_option("--timeout", timeout, "seconds to wait for a reply (default: by the line speed)")
                ->check(CLI::Range(0.1, 3600.0));
    }

    LinkOptions options() const
    {
        LinkOptions o;
        if (portOption->count())
            o.port = QString::fromStdString(port);
        if (baudOption->count())
            o.baud = baud;
        if (addressOption->count())
            o.address = address;
        o.usb = usb;
        o.wirePace = !paced;
        return o;
    }

    int timeoutMs() const { return static_cast<int>(timeout * 1000.0 + 0.5); }

    void addPace(CLI::App *command)
    {
        paced = false;
        command->add_flag(
            "--paced", paced, "wait for long replies with the program's paced steps, not at the wire's pace");
    }
};

// The sampling-step index of a step in seconds; nullopt when the record window has no such step.
std::optional<int> samplingIndexOf(double seconds)
{
    for (int index = 0; index < SamplingStepCount; ++index)
        if (std::abs(*SamplingIntervalMs(index) - seconds * 1000.0) < 0.5)
            return index;
    return std::nullopt;
}

QString samplingStepsText()
{
    QStringList steps;
    for (int index = 0; index < SamplingStepCount; ++index)
        steps << QString::number(*SamplingIntervalMs(index) / 1000);
    return steps.join(QStringLiteral(", "));
}

// "0,1,2,7,6,8": the signal of CH1 .. CH6, -1 for none.
std::array<int, RecordChannels> parseChannels(const std::string &text)
{
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    std::array<int, RecordChannels> channels {};
    bool ok = parts.size() == RecordChannels;
    for (int k = 0; ok && k < RecordChannels; ++k) {
        channels[size_t(k)] = parts[k].trimmed().toInt(&ok);
        ok = ok && channels[size_t(k)] >= -1 && channels[size_t(k)] < RecordSignalCount;
    }
    if (!ok)
        throw CliError(ExitUsage,
            QStringLiteral("log: --channels %1: give six signal numbers -1 to 12 separated by commas")
                .arg(QString::fromStdString(text)));
    return channels;
}

QString signalsHelp()
{
    QString text = QStringLiteral("signals of CH1..CH6 in the record file, six of -1 (none)");
    for (int signal = 0; signal < RecordSignalCount; ++signal)
        text += QStringLiteral(", %1 %2").arg(signal).arg(SignalEnglishCaption(signal));
    return text + QStringLiteral(" (default: SysSet.ini, as the record window)");
}

QString defaultCsvName(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".csv");
}
} // namespace

int RunRead(const LinkTarget &target, ReadFormat format, int timeoutMs, const QString &saveAs, bool force)
{
    // The file is checked and locked before the instrument is asked anything.
    std::unique_ptr<OutputFile> save;
    if (!saveAs.isEmpty())
        save = std::make_unique<OutputFile>(saveAs, force);
    InstrumentLink link(target);
    link.open();
    const int waitMs = timeoutMs > 0 ? timeoutMs : DefaultTimeoutMs(link);
    const QByteArray frame = link.readMeasurement(waitMs);
    const QDateTime time = platform::clock().now();
    if (frame.isEmpty()) {
        if (!link.isOpen())
            throw CliError(ExitDevice, QStringLiteral("%1: the port went away").arg(DescribeTarget(target)));
        throw CliError(ExitDevice, NoReplyText(target, waitMs));
    }
    SendCloseNotice(link);
    const MeasurementRecord record = RecordFromReply(frame);
    if (save) {
        save->write(QByteArray(reinterpret_cast<const char *>(&record), MeasurementRecordBytes));
        save->commit();
    }
    switch (format) {
    case ReadFormat::Text:
        WriteOut(MeasurementText(record, time).toUtf8());
        break;
    case ReadFormat::Json:
        WriteOut(MeasurementJson(record, time) + '\n');
        break;
    case ReadFormat::Csv:
        WriteOut((MeasurementCsvHeader() + MeasurementCsvRow(record, time)).toUtf8());
        break;
    }
    return ExitOk;
}

int RunMode(const LinkTarget &target, std::optional<bool> broadband, std::optional<bool> csa, int timeoutMs)
{
    InstrumentLink link(target);
    link.open();
    const int waitMs = timeoutMs > 0 ? timeoutMs : DefaultTimeoutMs(link);
    QByteArray reply = link.read(ModeRegister, 2, waitMs);
    if (reply.isEmpty())
        throw CliError(ExitDevice, NoReplyText(target, waitMs));
    ModeWord = static_cast<uint8_t>(reply[3]);

    if (broadband || csa) {
        // Only the chosen bits change; the others go back as the instrument sent them.
        uint8_t mode = ModeWord;
        if (broadband)
            mode = *broadband ? (mode | 0x01) : (mode & ~0x01);
        if (csa)
            mode = *csa ? (mode | 0x02) : (mode & ~0x02);
        const uint8_t data[4] = { mode, 0, 0, 0 };
        if (!link.writeBytes(ModeRegister, data))
            throw CliError(
                ExitDevice, QStringLiteral("%1: the mode could not be sent").arg(DescribeTarget(target)));
        ModeWord = mode;
        // The write has no reply: reading the byte back tells whether it took.
        QThread::msleep(50);
        reply = link.read(ModeRegister, 2, waitMs);
        if (reply.isEmpty())
            throw CliError(ExitDevice, NoReplyText(target, waitMs));
        if (static_cast<uint8_t>(reply[3]) != mode)
            throw CliError(ExitDevice,
                QStringLiteral("%1: the instrument kept mode byte %2 instead of %3")
                    .arg(DescribeTarget(target))
                    .arg(static_cast<uint8_t>(reply[3]))
                    .arg(mode));
    }
    SendCloseNotice(link);
    WriteOut(modeText(static_cast<uint8_t>(reply[3])).toUtf8());
    return ExitOk;
}

int RunPorts()
{
    WriteOut(PortListText(ListPorts()).toUtf8());
    return ExitOk;
}

int RunCli(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    // A closed pipe or a file size limit ends a write with its error, told as such, instead
    // of killing the tool before it can save what it holds.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    UseProductionPlatform();
    UsbDeviceIdMark = InstrumentUsbMark;
    InitMeasurement();

    CLI::App app {
        "Reads, logs and exports measurements of the Norvo KMR5150 power meter without the windows.\n"
        "Exit status: 0 done, 1 usage or settings, 2 instrument, port or broker, 3 file; check: 4 fail, 5 no "
        "limits apply.",
        Program
    };
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "all subcommands' options");

    CLI::App *ports
        = app.add_subcommand("ports", "list the ports that can be opened, the instrument's USB port marked");

    CLI::App *read = app.add_subcommand("read", "one measurement to standard output");
    LinkArguments readLink;
    readLink.add(read);
    readLink.addPace(read);
    std::string format = "text";
    read->add_option("--format", format, "text (for a person), json or csv")
        ->check(CLI::IsMember({ "text", "json", "csv" }));
    std::string saveAs;
    read->add_option(
        "--save", saveAs, "also save the measurement as a measurement file (.vqm) the program opens");
    bool readForce = false;
    read->add_flag("--force", readForce, "replace the --save file when it exists");

    CLI::App *mode = app.add_subcommand("mode", "show or set the bandwidth and the THD convention");
    LinkArguments modeLink;
    modeLink.add(mode);
    std::string bandwidth, thd;
    mode->add_option("--bandwidth", bandwidth, "narrow or wide")->check(CLI::IsMember({ "narrow", "wide" }));
    mode->add_option("--thd", thd, "iec (to the fundamental) or csa (to the total RMS)")
        ->check(CLI::IsMember({ "iec", "csa" }));

    CLI::App *log = app.add_subcommand(
        "log", "sample continuously into a record file (.vqr), a CSV file and/or an MQTT broker");
    // Each --port is one instrument; the --baud and --address after it are its own, the ones
    // before the first --port every instrument's (the grouping is read from the arguments).
    std::vector<std::string> logPorts, logBauds, logAddresses;
    bool logUsb = false, logAll = false, logLong = false;
    log->add_option("--port", logPorts,
        "COMn, a device path or PORT@BAUD/ADDRESS; repeat for several instruments (default: SysSet.ini)");
    log->add_option("--baud", logBauds, "line speed in bits per second of the --port before it, or of all");
    log->add_option(
        "--address", logAddresses, "address of the instrument at the --port before it, or of all");
    log->add_flag("--usb", logUsb, "the instruments' own USB ports: no paced wait for long replies");
    log->add_flag("--all", logAll, "every listed port on which an instrument answers");
    log->add_flag("--long", logLong, "--csv FILE holds every instrument's rows, with an id column");
    bool logPaced = false;
    log->add_flag(
        "--paced", logPaced, "wait for long replies with the program's paced steps, not at the wire's pace");
    std::vector<std::string> haDiscovery;
    CLI::Option *haDiscoveryOption = log->add_option("--ha-discovery", haDiscovery,
                                            "also publish home-automation discovery messages under PREFIX "
                                            "(default homeassistant)")
                                         ->expected(0, 1);
    double step = 1.0, duration = 0, saveStep = 10.0;
    int64_t count = 0;
    std::string csvPath, mqttTarget, topic = "kmr5150", vqrPath, channels;
    CLI::Option *stepOption
        = log->add_option("--step", step,
                 "seconds between measurements (default 1; with --vqr one of the record window's steps, "
                 "default SysSet.ini)")
              ->check(CLI::Range(0.05, 86400.0));
    CLI::Option *durationOption
        = log->add_option("--duration", duration, "seconds to log (default: until Ctrl-C or SIGTERM)")
              ->check(CLI::Range(0.0, 1e9));
    CLI::Option *countOption = log->add_option("--count", count, "stop after this many measurements")
                                   ->check(CLI::Range(int64_t(1), INT64_MAX));
    log->add_option("--vqr", vqrPath,
        "record file to write, as the record window writes it (a new file); DIR/ for one per instrument");
    log->add_option("--channels", channels, signalsHelp().toStdString());
    log->add_option(
        "--csv", csvPath, "CSV file to write (- for standard output); DIR/ for one file per instrument");
    bool logHarmonics = false;
    log->add_flag("--harmonics", logHarmonics,
        "the CSV also holds the current harmonics IH0..IH50 (peak A), for check FILE afterwards");
    log->add_option("--mqtt", mqttTarget, "broker HOST[:PORT] to publish each measurement to as JSON");
    log->add_option("--topic", topic, "topic prefix (default kmr5150): messages go to PREFIX/measurement");
    double mqttDrain = 10.0;
    log->add_option("--mqtt-drain", mqttDrain,
           "seconds to wait at the end for messages the broker has not taken yet (default 10)")
        ->check(CLI::Range(0.0, 3600.0));
    CLI::Option *saveStepOption
        = log->add_option("--save-step", saveStep,
                 "seconds between saves of the files to the disk (default 10; with --vqr SysSet.ini)")
              ->check(CLI::Range(0.0, 86400.0));

    CLI::App *alarm = app.add_subcommand("alarm", "the instrument's eight alarm limits and their switches");
    alarm->require_subcommand(1);
    CLI::App *alarmGet = alarm->add_subcommand("get", "read the limits and switches");
    LinkArguments alarmGetLink;
    alarmGetLink.add(alarmGet);
    CLI::App *alarmSet = alarm->add_subcommand("set",
        "change limits and switches; the others are read from the instrument and written back as they were");
    LinkArguments alarmSetLink;
    alarmSetLink.add(alarmSet);
    static const char *const limitHelp[] = { "voltage upper limit (V)", "voltage lower limit (V)",
        "current upper limit (A)", "current lower limit (A)", "power upper limit (W)",
        "power lower limit (W)", "power factor upper limit", "power factor lower limit" };
    std::array<std::string, AlarmLimitCount> limitTexts;
    std::array<CLI::Option *, AlarmLimitCount> limitOptions {};
    for (int k = 0; k < AlarmLimitCount; ++k)
        limitOptions[size_t(k)] = alarmSet->add_option(
            "--" + AlarmLimitName(k).toLower().toStdString(), limitTexts[size_t(k)], limitHelp[k]);
    std::vector<std::string> switchOn, switchOff;
    std::vector<std::string> limitNames;
    for (int k = 0; k < AlarmLimitCount; ++k)
        limitNames.push_back(AlarmLimitName(k).toLower().toStdString());
    limitNames.push_back("all");
    alarmSet->add_option("--on", switchOn, "switch these limits on: al1h,al1l,... or all")
        ->delimiter(',')
        ->check(CLI::IsMember(limitNames));
    alarmSet->add_option("--off", switchOff, "switch these limits off: al1h,al1l,... or all")
        ->delimiter(',')
        ->check(CLI::IsMember(limitNames));

    CLI::App *ct = app.add_subcommand("ct", "the external current transformer's compensation");
    ct->require_subcommand(1);
    CLI::App *ctSet = ct->add_subcommand("set", "write the delay of a phase error at a line frequency");
    LinkArguments ctLink;
    ctLink.add(ctSet, false);
    std::string angle, frequency;
    ctSet->add_option("--angle", angle, "phase error in degrees, -30 to +30 (0: no external CT)")->required();
    ctSet->add_option("--frequency", frequency, "line frequency in Hz, 50 to 60")->required();

    CLI::App *exportCommand
        = app.add_subcommand("export", "a measurement file (.vqm) or a record file (.vqr) as CSV");
    std::string exportInput, exportOutput;
    exportCommand->add_option("FILE", exportInput, "the measurement or record file")->required();
    exportCommand->add_option(
        "--out", exportOutput, "CSV file (default: FILE with .csv; - for standard output)");
    bool exportForce = false;
    exportCommand->add_flag("--force", exportForce, "replace the CSV file when it exists");

    CLI::App *check = app.add_subcommand("check",
        "judge the current harmonics against IEC 61000-3-2 over an observation period (or FILE: a "
        "measurement "
        "file or a CSV log made with log --harmonics); exit status 0 pass, 4 fail, 5 no limits apply. "
            + PreComplianceNote().toStdString());
    LinkArguments checkLink;
    checkLink.add(check);
    std::string checkClass, checkFormat = "text", checkFile;
    double checkPower = 0, checkDuration = 150;
    int checkCount = 0;
    check->add_option("--class", checkClass, "emission class A, B, C (lighting) or D (PC, TV up to 600 W)")
        ->required();
    CLI::Option *checkPowerOption = check->add_option(
        "--power", checkPower, "rated power in W for classes C and D (default: the measured active power)");
    check->add_option("--duration", checkDuration, "seconds of observation (default 150)")
        ->check(CLI::Range(0.0, 1e7));
    check->add_option("--count", checkCount, "measurements to observe instead of a duration")
        ->check(CLI::Range(1, 100000000));
    check->add_option("--format", checkFormat, "text (for a person) or json")
        ->check(CLI::IsMember({ "text", "json" }));
    check->add_option("FILE", checkFile, "a measurement file (.vqm) or a CSV log instead of the instrument");

    CompareArguments compare;
    compare.add(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &error) {
        const int code = app.exit(error);
        return code == 0 ? ExitOk : ExitUsage;
    }

    try {
        if (ports->parsed())
            return RunPorts();
        if (compare.parsed())
            return compare.run();
        if (read->parsed()) {
            const ReadFormat f = format == "json" ? ReadFormat::Json
                                                  : (format == "csv" ? ReadFormat::Csv : ReadFormat::Text);
            return RunRead(ResolveLinkTarget(readLink.options()), f, readLink.timeoutMs(),
                QString::fromStdString(saveAs), readForce);
        }
        if (mode->parsed()) {
            std::optional<bool> broadband, csa;
            if (!bandwidth.empty())
                broadband = bandwidth == "wide";
            if (!thd.empty())
                csa = thd == "csa";
            return RunMode(ResolveLinkTarget(modeLink.options()), broadband, csa, modeLink.timeoutMs());
        }
        if (log->parsed()) {
            if (csvPath.empty() && mqttTarget.empty() && vqrPath.empty())
                throw CliError(ExitUsage,
                    QStringLiteral(
                        "log: give --vqr FILE, --csv FILE (- for standard output) and/or --mqtt HOST"));
            if (!channels.empty() && vqrPath.empty())
                throw CliError(ExitUsage, QStringLiteral("log: --channels chooses what --vqr records"));
            LogOptions options;
            options.stepSeconds = step;
            if (!vqrPath.empty()) {
                RecordSettings &settings = options.recordSettings;
                // The record window's settings, as it reads them at start.
                try {
                    ReadRecordSettings(settings);
                } catch (const KmrError &error) {
                    throw CliError(
                        ExitUsage, QStringLiteral("SysSet.ini, section RecordSet: %1").arg(error.text()));
                }
                if (!channels.empty())
                    settings.channelSignal = parseChannels(channels);
                if (stepOption->count()) {
                    const std::optional<int> index = samplingIndexOf(step);
                    if (!index)
                        throw CliError(ExitUsage,
                            QStringLiteral("log: --step %1: a record file takes a step of %2 seconds")
                                .arg(step)
                                .arg(samplingStepsText()));
                    settings.samplingIndex = *index;
                } else {
                    const std::optional<int> ms = SamplingIntervalMs(settings.samplingIndex);
                    if (!ms)
                        throw CliError(ExitUsage,
                            QStringLiteral(
                                "SysSet.ini, section RecordSet: SampingSetp=%1 is no sampling step")
                                .arg(settings.samplingIndex));
                    options.stepSeconds = *ms / 1000.0;
                }
                if (!saveStepOption->count())
                    saveStep = SaveIntervalMs(settings.saveIndex).value_or(10000) / 1000.0;
                options.recordPath = QString::fromStdString(vqrPath);
            }
            if (durationOption->count())
                options.durationSeconds = duration;
            if (countOption->count())
                options.count = count;
            options.csvPath = QString::fromStdString(csvPath);
            options.harmonics = logHarmonics;
            if (logHarmonics && csvPath.empty())
                throw CliError(ExitUsage, QStringLiteral("log: --harmonics goes with --csv"));
            if (!mqttTarget.empty())
                options.mqtt
                    = ParseMqttTarget(QString::fromStdString(mqttTarget), QString::fromStdString(topic));
            options.saveStepSeconds = saveStep;
            options.mqttDrainSeconds = mqttDrain;
            options.statusLine = ::isatty(STDERR_FILENO) == 1;

            QStringList logArguments;
            for (int k = 1; k < argc; ++k)
                logArguments << QString::fromLocal8Bit(argv[k]);
            logArguments = logArguments.mid(logArguments.indexOf(QStringLiteral("log")) + 1);
            QList<LinkOptions> instruments = InstrumentOptionsFromArguments(logArguments);
            for (LinkOptions &instrument : instruments)
                instrument.wirePace = !logPaced;
            const auto isDir = [](const std::string &path) {
                return !path.empty()
                    && (path.back() == '/' || QFileInfo(QString::fromStdString(path)).isDir());
            };
            const bool bench = instruments.size() > 1 || logAll || logLong || isDir(csvPath) || isDir(vqrPath)
                || haDiscoveryOption->count() > 0;
            if (!bench)
                return RunLog(ResolveLinkTarget(instruments.front()), options);

            BenchLogOptions benchOptions;
            if (logLong) {
                if (csvPath.empty() || isDir(csvPath))
                    throw CliError(ExitUsage, QStringLiteral("log: --long goes with --csv FILE"));
                benchOptions.longCsvPath = options.csvPath;
            } else if (!csvPath.empty()) {
                if (!isDir(csvPath))
                    throw CliError(ExitUsage,
                        QStringLiteral("log: several instruments write --csv DIR/ or --csv FILE --long"));
                benchOptions.csvDir = options.csvPath;
            }
            if (!vqrPath.empty()) {
                if (!isDir(vqrPath))
                    throw CliError(ExitUsage, QStringLiteral("log: several instruments write --vqr DIR/"));
                benchOptions.vqrDir = options.recordPath;
                options.recordPath.clear();
            }
            if (haDiscoveryOption->count() > 0) {
                if (!options.mqtt)
                    throw CliError(ExitUsage, QStringLiteral("log: --ha-discovery goes with --mqtt HOST"));
                QString prefix = haDiscovery.empty() ? QString() : QString::fromStdString(haDiscovery[0]);
                while (prefix.endsWith(QLatin1Char('/')))
                    prefix.chop(1);
                if (prefix.contains(QLatin1Char('#')) || prefix.contains(QLatin1Char('+')))
                    throw CliError(ExitUsage,
                        QStringLiteral("--ha-discovery %1: a topic prefix without wildcards").arg(prefix));
                benchOptions.discoveryPrefix = prefix.isEmpty() ? QStringLiteral("homeassistant") : prefix;
            }
            options.csvPath.clear();
            benchOptions.log = options;
            QList<LinkTarget> targets;
            if (logAll) {
                if (!logPorts.empty())
                    throw CliError(ExitUsage, QStringLiteral("log: --all or --port, not both"));
                targets = AnsweringInstruments(instruments.front());
                if (targets.isEmpty())
                    throw CliError(
                        ExitDevice, QStringLiteral("log --all: no instrument answers on any port"));
            } else {
                for (const LinkOptions &instrument : instruments)
                    targets << ResolveLinkTarget(instrument);
            }
            return RunBenchLog(targets, benchOptions);
        }
        if (alarmGet->parsed())
            return RunAlarmGet(ResolveLinkTarget(alarmGetLink.options()), alarmGetLink.timeoutMs());
        if (alarmSet->parsed()) {
            AlarmChanges changes;
            for (int k = 0; k < AlarmLimitCount; ++k)
                if (limitOptions[size_t(k)]->count())
                    changes.limitTexts[k] = QString::fromStdString(limitTexts[size_t(k)]);
            for (const auto &[names, on] : { std::pair { &switchOn, true }, std::pair { &switchOff, false } })
                for (const std::string &name : *names)
                    for (int k = 0; k < AlarmLimitCount; ++k)
                        if (name == "all" || name == limitNames[size_t(k)]) {
                            if (changes.switches.count(k) && changes.switches[k] != on)
                                throw CliError(ExitUsage,
                                    QStringLiteral("alarm set: %1 is both switched on and off")
                                        .arg(AlarmLimitName(k)));
                            changes.switches[k] = on;
                        }
            if (changes.limitTexts.empty() && changes.switches.empty())
                throw CliError(
                    ExitUsage, QStringLiteral("alarm set: give a limit (--al1h ...) or --on/--off"));
            return RunAlarmSet(ResolveLinkTarget(alarmSetLink.options()), changes, alarmSetLink.timeoutMs());
        }
        if (ctSet->parsed())
            return RunCtSet(ResolveLinkTarget(ctLink.options()), QString::fromStdString(angle),
                QString::fromStdString(frequency));
        if (check->parsed()) {
            CheckOptions options;
            const auto emissionClass = EmissionClassFromText(QString::fromStdString(checkClass));
            if (!emissionClass)
                throw CliError(ExitUsage,
                    QStringLiteral("check: --class %1: the classes are A, B, C and D")
                        .arg(QString::fromStdString(checkClass)));
            options.emissionClass = *emissionClass;
            if (checkPowerOption->count()) {
                if (!std::isfinite(checkPower) || checkPower <= 0)
                    throw CliError(ExitUsage,
                        QStringLiteral("check: --power %1: a rated power is a positive number "
                                       "of watts")
                            .arg(checkPower));
                options.ratedPower = checkPower;
            }
            options.durationSeconds = checkDuration;
            options.count = checkCount;
            options.format = checkFormat == "json" ? CheckFormat::Json : CheckFormat::Text;
            const EmissionAssessment assessment = checkFile.empty()
                ? CheckInstrument(ResolveLinkTarget(checkLink.options()), options, checkLink.timeoutMs())
                : CheckFile(QString::fromStdString(checkFile), options);
            if (assessment.verdict == Verdict::NoVerdict)
                throw CliError(checkFile.empty() ? ExitDevice : ExitFile,
                    QStringLiteral("check: no verdict: %1").arg(assessment.reason));
            WriteOut(options.format == CheckFormat::Json ? CheckJson(assessment) : CheckText(assessment));
            return CheckExitCode(assessment);
        }
        if (exportCommand->parsed()) {
            const QString input = QString::fromStdString(exportInput);
            const bool record = input.endsWith(QStringLiteral(".vqr"), Qt::CaseInsensitive);
            if (!record && !input.endsWith(QStringLiteral(".vqm"), Qt::CaseInsensitive))
                throw CliError(ExitFile,
                    QStringLiteral("%1: not a measurement file (.vqm) or record file (.vqr)").arg(input));
            const QString output
                = exportOutput.empty() ? defaultCsvName(input) : QString::fromStdString(exportOutput);
            if (record)
                ExportRecordFile(input, output, exportForce);
            else
                ExportMeasurementFile(input, output, exportForce);
            return ExitOk;
        }
    } catch (const CliError &error) {
        std::fprintf(stderr, "%s: %s\n", Program, error.text().toUtf8().constData());
        return error.code();
    }
    return ExitUsage;
}
