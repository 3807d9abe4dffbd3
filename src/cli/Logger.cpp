#include "cli/Logger.h"

#include "cli/CliError.h"
#include "cli/Exchange.h"
#include "cli/MeasurementValues.h"
#include "link/Errors.h"
#include "link/Platform.h"
#include "measure/PanelTexts.h"
#include "record/Recorder.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <unistd.h>

std::atomic<bool> LogStopRequested { false };

namespace {
constexpr int ReopenEveryMs = 1000;
// The program pauses this long between a measurement and the next request.
constexpr int NextRequestPauseMs = 50;
// Over the instrument's USB port the program asks register 187 about every 1.1 s.
constexpr int LinkCheckEveryMs = 1100;
constexpr int MqttFinishMs = 3000;

void requestStop(int)
{
    LogStopRequested = true;
}

void installStopHandlers()
{
    struct sigaction action
    {
    };
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Sleeps until `elapsed` reaches `dueMs` or a stop is requested.
void waitUntil(const QElapsedTimer &elapsed, int64_t dueMs)
{
    while (!LogStopRequested && elapsed.elapsed() < dueMs)
        QThread::msleep(static_cast<unsigned long>(std::clamp<int64_t>(dueMs - elapsed.elapsed(), 1, 20)));
}

// The record file of a log: made before the instrument is asked anything, written at every
// save step; one that never received a sample is removed again.
class RecordLog
{
public:
    RecordLog(const QString &path, const RecordSettings &settings)
        : m_recorder(std::make_unique<Recorder>())
    {
        // A record is never written over: the samples in it would be lost.
        if (QFileInfo::exists(path))
            throw CliError(
                ExitFile, QStringLiteral("%1: exists; a record file is not written over").arg(path));
        m_recorder->settings = settings;
        try {
            m_recorder->newFile(path);
        } catch (const KmrError &error) {
            throw CliError(ExitFile, QStringLiteral("%1: %2").arg(path, error.text()));
        }
    }

    // False once the record is full: this sample was the last it takes, or it took none.
    bool sample(const MeasurementRecord &record, const QDateTime &time)
    {
        return m_recorder->sample(record, time) == Recorder::Sampled::Taken;
    }

    // Writes the newest blocks. A failure is told on standard error and the next save tries
    // again with everything since; `last` makes it end the log instead.
    void save(bool last)
    {
        try {
            m_recorder->save();
            m_failed = false;
        } catch (const KmrError &error) {
            const QString text = QStringLiteral("%1: %2").arg(m_recorder->fileName(), error.text());
            if (last)
                throw CliError(ExitFile, text);
            if (!m_failed)
                std::fprintf(stderr, "\n%s (tried again at the next save)\n", text.toUtf8().constData());
            m_failed = true;
        }
    }

    void discardIfEmpty()
    {
        if (m_recorder->count() == 0)
            QFile::remove(m_recorder->fileName());
    }

    const QString &fileName() const { return m_recorder->fileName(); }

private:
    std::unique_ptr<Recorder> m_recorder;
    bool m_failed = false;
};

void showStatus(const QString &text)
{
    const QByteArray line = "\r" + text.toUtf8() + "\033[K";
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
} // namespace

CsvLog::CsvLog(const QString &path)
    : m_path(path)
{
    const QByteArray header = MeasurementCsvHeader().toUtf8();
    QByteArray start = header;
    if (path == QStringLiteral("-")) {
        if (!m_file.open(stdout, QIODevice::WriteOnly))
            fail();
    } else {
        m_created = !QFileInfo::exists(path);
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::ReadWrite))
            fail();
        // A log of this tool goes on where it ended (a restarted service keeps its earlier
        // rows); any other file is left as it is.
        if (m_file.size() > 0) {
            const QByteArray firstLine = m_file.readLine(header.size() + 1);
            if (firstLine != header) {
                m_file.close();
                throw CliError(ExitFile,
                    QStringLiteral("%1: exists and is no measurement log of this tool; it is left as it is")
                        .arg(path));
            }
            // A row cut short (power lost while writing) stays a row of its own.
            m_file.seek(m_file.size() - 1);
            start = m_file.read(1) == "\n" ? QByteArray() : QByteArray("\r\n");
            m_file.seek(m_file.size());
        }
    }
    if (m_file.write(start) != start.size() || !m_file.flush())
        fail();
}

CsvLog::~CsvLog()
{
    if (m_file.isOpen())
        m_file.close();
}

void CsvLog::fail() const
{
    const QString name = m_path == QStringLiteral("-") ? QStringLiteral("standard output") : m_path;
    throw CliError(ExitFile, QStringLiteral("%1: %2").arg(name, m_file.errorString()));
}

void CsvLog::append(const QString &row)
{
    const QByteArray bytes = row.toUtf8();
    if (m_file.write(bytes) != bytes.size() || !m_file.flush())
        fail();
    ++m_rows;
}

void CsvLog::sync()
{
    if (m_path != QStringLiteral("-") && ::fsync(m_file.handle()) != 0)
        throw CliError(
            ExitFile, QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno))));
}

void CsvLog::discardIfEmpty()
{
    if (m_rows == 0 && m_created) {
        m_file.close();
        QFile::remove(m_path);
    }
}

QString LogStatusText(const LogProgress &progress, const MeasurementRecord &last)
{
    QString text = QStringLiteral("%1 samples").arg(progress.samples);
    if (progress.samples > 0) {
        const std::array<QString, PanelCount> panels = PanelTexts(last);
        text += QStringLiteral("  %1  %2 A  %3 W  PF %4")
                    .arg(panels[Panel_URMS], panels[Panel_IRMS], panels[Panel_WRMS], panels[Panel_PF]);
    }
    text += QStringLiteral("  resends %1").arg(progress.resends);
    if (progress.misses > 0)
        text += QStringLiteral("  missed %1").arg(progress.misses);
    if (progress.portLost)
        text += QStringLiteral("  port lost, waiting for it");
    if (progress.mqtt) {
        text += progress.mqtt->connected() ? QStringLiteral("  MQTT connected")
                                           : QStringLiteral("  MQTT reconnecting");
        if (const size_t waiting = progress.mqtt->backlog())
            text += QStringLiteral(" (%1 waiting)").arg(waiting);
    }
    return text;
}

int RunLog(const LinkTarget &target, const LogOptions &options)
{
    LogStopRequested = false;
    installStopHandlers();

    // Outputs first: an output that cannot be written ends the log before the instrument is
    // asked anything.
    std::unique_ptr<CsvLog> csv;
    if (!options.csvPath.isEmpty())
        csv = std::make_unique<CsvLog>(options.csvPath);
    std::unique_ptr<RecordLog> record;
    if (!options.recordPath.isEmpty()) {
        try {
            record = std::make_unique<RecordLog>(options.recordPath, options.recordSettings);
        } catch (const CliError &) {
            if (csv)
                csv->discardIfEmpty();
            throw;
        }
    }

    InstrumentLink link(target);
    link.stopRequested = [] { return LogStopRequested.load(); };
    std::unique_ptr<MqttPublisher> mqtt;
    try {
        link.open();
        if (options.mqtt) {
            mqtt = std::make_unique<MqttPublisher>(*options.mqtt);
            mqtt->start(options.mqttConnectTimeoutMs);
        }
    } catch (const CliError &) {
        if (csv)
            csv->discardIfEmpty();
        if (record)
            record->discardIfEmpty();
        throw;
    }

    const int64_t stepMs = std::max<int64_t>(1, static_cast<int64_t>(options.stepSeconds * 1000.0 + 0.5));
    const int64_t saveStepMs = static_cast<int64_t>(options.saveStepSeconds * 1000.0 + 0.5);
    const std::optional<int64_t> endMs = options.durationSeconds
        ? std::optional<int64_t>(static_cast<int64_t>(*options.durationSeconds * 1000.0 + 0.5))
        : std::nullopt;

    QElapsedTimer elapsed;
    elapsed.start();
    LogProgress progress;
    progress.mqtt = mqtt.get();
    MeasurementRecord last {};
    int64_t dueMs = 0;
    int64_t lastSyncMs = 0;
    int64_t lastLinkCheckMs = -LinkCheckEveryMs;

    bool recordFull = false;
    const auto timeLeft = [&] { return !endMs || elapsed.elapsed() < *endMs; };
    while (!recordFull && !LogStopRequested && timeLeft()
        && (!options.count || progress.samples < *options.count)) {
        waitUntil(elapsed, endMs ? std::min(dueMs, *endMs) : dueMs);
        if (LogStopRequested || !timeLeft())
            break;

        if (!link.isOpen() && !link.reopen()) {
            progress.portLost = true;
            if (options.statusLine)
                showStatus(LogStatusText(progress, last));
            dueMs = elapsed.elapsed() + ReopenEveryMs;
            continue;
        }
        progress.portLost = false;

        if (target.usb && elapsed.elapsed() - lastLinkCheckMs >= LinkCheckEveryMs) {
            // An answer to the check is not used; should the instrument send one, it must not
            // run into the measurement's reply.
            link.sendRead(LinkCheckRegister, 15);
            platform::clock().sleepMs(NextRequestPauseMs);
            link.discardInput();
            lastLinkCheckMs = elapsed.elapsed();
        }

        int64_t budgetMs = std::max<int64_t>(link.measurementBudgetMs(), stepMs);
        if (endMs)
            budgetMs = std::min(budgetMs, std::max<int64_t>(*endMs - elapsed.elapsed(), 1));
        const QByteArray frame = link.readMeasurement(static_cast<int>(budgetMs));
        progress.resends = link.counters().resends;
        if (frame.isEmpty()) {
            if (!LogStopRequested && timeLeft())
                ++progress.misses;
            progress.portLost = !link.isOpen();
            if (options.statusLine)
                showStatus(LogStatusText(progress, last));
            dueMs = elapsed.elapsed();
            continue;
        }

        const QDateTime time = platform::clock().now();
        last = RecordFromReply(frame);
        ++progress.samples;
        if (csv)
            csv->append(MeasurementCsvRow(last, time));
        if (record)
            recordFull = !record->sample(last, time);
        if (elapsed.elapsed() - lastSyncMs >= saveStepMs) {
            if (csv)
                csv->sync();
            if (record)
                record->save(false);
            lastSyncMs = elapsed.elapsed();
        }
        if (mqtt)
            mqtt->publish(MeasurementJson(last, time, true));
        if (options.statusLine)
            showStatus(LogStatusText(progress, last));

        dueMs += stepMs;
        dueMs = std::max<int64_t>(dueMs, elapsed.elapsed() + NextRequestPauseMs);
    }

    if (csv)
        csv->sync();
    if (record && progress.samples > 0)
        record->save(true);
    if (mqtt)
        mqtt->finish(MqttFinishMs);
    if (target.usb && link.isOpen())
        link.sendRead(CloseNoticeRegister, 0);
    link.close();
    if (options.statusLine) {
        showStatus(LogStatusText(progress, last));
        std::fputc('\n', stderr);
    }
    if (recordFull)
        std::fprintf(stderr, "%s: the record is full (%d samples); the log ends here\n",
            record->fileName().toUtf8().constData(), MaxRecordSamples);
    if (progress.samples == 0) {
        if (csv)
            csv->discardIfEmpty();
        if (record)
            record->discardIfEmpty();
        throw CliError(ExitDevice,
            QStringLiteral("%1: no measurement from the instrument at address %2")
                .arg(DescribeTarget(target))
                .arg(target.address));
    }
    return ExitOk;
}
