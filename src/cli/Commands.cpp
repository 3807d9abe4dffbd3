#include "cli/Commands.h"

#include "cli/CliError.h"
#include "cli/Exchange.h"
#include "cli/Logger.h"
#include "cli/MeasurementExport.h"
#include "cli/MeasurementValues.h"
#include "cli/PortList.h"
#include "link/Errors.h"
#include "link/Globals.h"
#include "link/Platform.h"
#include "measure/MeasurementFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include <unistd.h>

namespace {
const char Program[] = "kmr5150-cli";
// The instrument's own USB port carries this in its USB identifier.
const QString InstrumentUsbMark = QStringLiteral("5732");

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int defaultTimeoutMs(const InstrumentLink &link)
{
    // Room for a resend after silence beyond one exchange at this speed.
    return link.measurementBudgetMs() + 2000;
}

QString noReply(const LinkTarget &target, int timeoutMs)
{
    return QStringLiteral("%1: no reply from the instrument at address %2 within %3 s (is it on, at %4 bit/s "
                          "and this address?)")
        .arg(DescribeTarget(target))
        .arg(target.address)
        .arg(timeoutMs / 1000.0)
        .arg(target.baud);
}

void closeNotice(InstrumentLink &link)
{
    // The program tells the instrument when it lets go of its USB port.
    if (link.target().usb && link.isOpen())
        link.sendRead(CloseNoticeRegister, 0);
}

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
        return o;
    }

    int timeoutMs() const { return static_cast<int>(timeout * 1000.0 + 0.5); }
};

QString defaultCsvName(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".csv");
}
} // namespace

int RunRead(const LinkTarget &target, ReadFormat format, int timeoutMs, const QString &saveAs)
{
    InstrumentLink link(target);
    link.open();
    const int waitMs = timeoutMs > 0 ? timeoutMs : defaultTimeoutMs(link);
    const QByteArray frame = link.readMeasurement(waitMs);
    const QDateTime time = platform::clock().now();
    if (frame.isEmpty()) {
        if (!link.isOpen())
            throw CliError(ExitDevice, QStringLiteral("%1: the port went away").arg(DescribeTarget(target)));
        throw CliError(ExitDevice, noReply(target, waitMs));
    }
    closeNotice(link);
    const MeasurementRecord record = RecordFromReply(frame);
    if (!saveAs.isEmpty()) {
        try {
            SaveMeasurementFile(saveAs, record);
        } catch (const KmrError &error) {
            throw CliError(ExitFile, QStringLiteral("%1: %2").arg(saveAs, error.text()));
        }
    }
    switch (format) {
    case ReadFormat::Text:
        writeOut(MeasurementText(record, time).toUtf8());
        break;
    case ReadFormat::Json:
        writeOut(MeasurementJson(record, time) + '\n');
        break;
    case ReadFormat::Csv:
        writeOut((MeasurementCsvHeader() + MeasurementCsvRow(record, time)).toUtf8());
        break;
    }
    return ExitOk;
}

int RunMode(const LinkTarget &target, std::optional<bool> broadband, std::optional<bool> csa, int timeoutMs)
{
    InstrumentLink link(target);
    link.open();
    const int waitMs = timeoutMs > 0 ? timeoutMs : defaultTimeoutMs(link);
    QByteArray reply = link.read(ModeRegister, 2, waitMs);
    if (reply.isEmpty())
        throw CliError(ExitDevice, noReply(target, waitMs));
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
            throw CliError(ExitDevice, noReply(target, waitMs));
        if (static_cast<uint8_t>(reply[3]) != mode)
            throw CliError(ExitDevice,
                QStringLiteral("%1: the instrument kept mode byte %2 instead of %3")
                    .arg(DescribeTarget(target))
                    .arg(static_cast<uint8_t>(reply[3]))
                    .arg(mode));
    }
    closeNotice(link);
    writeOut(modeText(static_cast<uint8_t>(reply[3])).toUtf8());
    return ExitOk;
}

int RunPorts()
{
    writeOut(PortListText(ListPorts()).toUtf8());
    return ExitOk;
}

int RunCli(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    UseProductionPlatform();
    UsbDeviceIdMark = InstrumentUsbMark;
    InitMeasurement();

    CLI::App app {
        "Reads, logs and exports measurements of the Norvo KMR5150 power meter without the windows.\n"
        "Exit status: 0 done, 1 usage or settings, 2 instrument, port or broker, 3 file.",
        Program
    };
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "all subcommands' options");

    CLI::App *ports
        = app.add_subcommand("ports", "list the ports that can be opened, the instrument's USB port marked");

    CLI::App *read = app.add_subcommand("read", "one measurement to standard output");
    LinkArguments readLink;
    readLink.add(read);
    std::string format = "text";
    read->add_option("--format", format, "text (for a person), json or csv")
        ->check(CLI::IsMember({ "text", "json", "csv" }));
    std::string saveAs;
    read->add_option(
        "--save", saveAs, "also save the measurement as a measurement file (.vqm) the program opens");

    CLI::App *mode = app.add_subcommand("mode", "show or set the bandwidth and the THD convention");
    LinkArguments modeLink;
    modeLink.add(mode);
    std::string bandwidth, thd;
    mode->add_option("--bandwidth", bandwidth, "narrow or wide")->check(CLI::IsMember({ "narrow", "wide" }));
    mode->add_option("--thd", thd, "iec (to the fundamental) or csa (to the total RMS)")
        ->check(CLI::IsMember({ "iec", "csa" }));

    CLI::App *log = app.add_subcommand("log", "sample continuously into a CSV file and/or an MQTT broker");
    LinkArguments logLink;
    logLink.add(log, false);
    double step = 1.0, duration = 0, saveStep = 10.0;
    int64_t count = 0;
    std::string csvPath, mqttTarget, topic = "kmr5150";
    log->add_option("--step", step, "seconds between measurements (default 1)")
        ->check(CLI::Range(0.05, 86400.0));
    CLI::Option *durationOption
        = log->add_option("--duration", duration, "seconds to log (default: until Ctrl-C or SIGTERM)")
              ->check(CLI::Range(0.0, 1e9));
    CLI::Option *countOption = log->add_option("--count", count, "stop after this many measurements")
                                   ->check(CLI::Range(int64_t(1), INT64_MAX));
    log->add_option("--csv", csvPath, "CSV file to write (- for standard output)");
    log->add_option("--mqtt", mqttTarget, "broker HOST[:PORT] to publish each measurement to as JSON");
    log->add_option("--topic", topic, "topic prefix (default kmr5150): messages go to PREFIX/measurement");
    log->add_option("--save-step", saveStep, "seconds between syncs of the CSV file to the disk (default 10)")
        ->check(CLI::Range(0.0, 86400.0));

    CLI::App *exportCommand = app.add_subcommand("export", "a measurement file (.vqm) as CSV");
    std::string exportInput, exportOutput;
    exportCommand->add_option("FILE", exportInput, "the measurement file")->required();
    exportCommand->add_option(
        "--out", exportOutput, "CSV file (default: FILE with .csv; - for standard output)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &error) {
        const int code = app.exit(error);
        return code == 0 ? ExitOk : ExitUsage;
    }

    try {
        if (ports->parsed())
            return RunPorts();
        if (read->parsed()) {
            const ReadFormat f = format == "json" ? ReadFormat::Json
                                                  : (format == "csv" ? ReadFormat::Csv : ReadFormat::Text);
            return RunRead(ResolveLinkTarget(readLink.options()), f, readLink.timeoutMs(),
                QString::fromStdString(saveAs));
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
            if (csvPath.empty() && mqttTarget.empty())
                throw CliError(ExitUsage,
                    QStringLiteral("log: give --csv FILE (- for standard output) and/or --mqtt HOST"));
            LogOptions options;
            options.stepSeconds = step;
            if (durationOption->count())
                options.durationSeconds = duration;
            if (countOption->count())
                options.count = count;
            options.csvPath = QString::fromStdString(csvPath);
            if (!mqttTarget.empty())
                options.mqtt
                    = ParseMqttTarget(QString::fromStdString(mqttTarget), QString::fromStdString(topic));
            options.saveStepSeconds = saveStep;
            options.statusLine = ::isatty(STDERR_FILENO) == 1;
            return RunLog(ResolveLinkTarget(logLink.options()), options);
        }
        if (exportCommand->parsed()) {
            const QString input = QString::fromStdString(exportInput);
            if (!input.endsWith(QStringLiteral(".vqm"), Qt::CaseInsensitive))
                throw CliError(ExitFile, QStringLiteral("%1: not a measurement file (.vqm)").arg(input));
            const QString output
                = exportOutput.empty() ? defaultCsvName(input) : QString::fromStdString(exportOutput);
            ExportMeasurementFile(input, output);
            return ExitOk;
        }
    } catch (const CliError &error) {
        std::fprintf(stderr, "%s: %s\n", Program, error.text().toUtf8().constData());
        return error.code();
    }
    return ExitUsage;
}
