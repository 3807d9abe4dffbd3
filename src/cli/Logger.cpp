#include "cli/Logger.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "cli/CliError.h"
#include "cli/Exchange.h"
#include "cli/MeasurementValues.h"
#include "cli/OutputFile.h"
#include "measure/MeasurementCsv.h"
#include "measure/PanelTexts.h"
#include "record/Recorder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::atomic<bool> LogStopRequested { false };
std::atomic<int> LogStopSignals { 0 };

namespace {
void requestStop(int)
{
    LogStopRequested = true;
    ++LogStopSignals;
}

void installStopHandlers()
{
    struct sigaction action
    {
    };
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // A closed terminal or a service manager's SIGHUP ends the log as SIGTERM does: saved.
    for (const int signal : { SIGINT, SIGTERM, SIGHUP })
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Sleeps until `elapsed` reaches `dueMs` or a stop is requested.
void waitUntil(const QElapsedTimer &elapsed, int64_t dueMs)
{
    while (!LogStopRequested && elapsed.elapsed() < dueMs)
        QThread::msleep(static_cast<unsigned long>(std::clamp<int64_t>(dueMs - elapsed.elapsed(), 1, 20)));
}

// One line on standard error, over the status line when there is one.
void tell(const QString &text, bool statusLine)
{
    std::fprintf(stderr, "%skmr5150-cli: %s\n", statusLine ? "\r\033[K" : "", text.toUtf8().constData());
    std::fflush(stderr);
}

QString goneText(const QString &path, const QString &what)
{
    return QStringLiteral("%1: deleted or moved away during the log; made again with %2").arg(path, what);
}

} // namespace

RecordLog::RecordLog(const QString &path, const RecordSettings &settings)
    : m_recorder(std::make_unique<Recorder>())
{
    const QByteArray name = QFile::encodeName(path);
    // Made here, exclusively, so that no other writer starts on it in between.
    m_fd = ::open(name.constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0 && errno == EEXIST) {
        // A record is never written over: the samples in it would be lost.
        const int other = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (other >= 0) {
            const bool held = ::flock(other, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
            const QString holder = held ? LockHolderText(other) : QString();
            ::close(other);
            if (held)
                throw CliError(ExitFile, QStringLiteral("%1: in use by %2").arg(path, holder));
        }
        throw CliError(ExitFile, QStringLiteral("%1: exists; a record file is not written over").arg(path));
    }
    if (m_fd < 0)
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(path, SystemReason(errno)));
    m_recorder->settings = settings;
    try {
        LockForWriting(m_fd, path);
        m_recorder->newFile(path);
    } catch (const KmrError &error) {
        discard(path);
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(path, error.text()));
    } catch (const CliError &) {
        discard(path);
        throw;
    }
}

RecordLog::~RecordLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RecordLog::sample(const MeasurementRecord &record, const QDateTime &time)
{
    return m_recorder->sample(record, time) == Recorder::Sampled::Taken;
}

QString RecordLog::save(bool last, bool statusLine)
{
    try {
        remakeIfGone(statusLine);
        m_recorder->save();
        m_failed = false;
    } catch (const KmrError &error) {
        const QString text = QStringLiteral("%1: %2").arg(m_recorder->fileName(), error.text());
        if (last)
            return text;
        if (!m_failed)
            tell(text + QStringLiteral(" (tried again at the next save)"), statusLine);
        m_failed = true;
    } catch (const CliError &error) {
        if (last)
            return error.text();
        if (!m_failed)
            tell(error.text() + QStringLiteral(" (tried again at the next save)"), statusLine);
        m_failed = true;
    }
    return {};
}

void RecordLog::discardIfEmpty()
{
    if (m_recorder->count() == 0)
        discard(m_recorder->fileName());
}

const QString &RecordLog::fileName() const
{
    return m_recorder->fileName();
}

void RecordLog::discard(const QString &path)
{
    // Only the file this log made: another one may have taken the name since.
    if (m_fd >= 0 && IdentityOfPath(path) == IdentityOfDescriptor(m_fd))
        QFile::remove(path);
}

void RecordLog::remakeIfGone(bool statusLine)
{
    const QString &path = m_recorder->fileName();
    const std::optional<FileIdentity> named = IdentityOfPath(path);
    if (named && named == IdentityOfDescriptor(m_fd))
        return;
    // Someone put another file in its place; that one is not written over.
    if (named)
        throw CliError(ExitFile,
            QStringLiteral("%1: another file took its place during the log; it is left as it is").arg(path));
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(path, SystemReason(errno)));
    ::close(m_fd);
    m_fd = fd;
    LockForWriting(m_fd, path);
    // An empty first block that carries the record's settings; the save that follows
    // writes every block from the first.
    RecordBlock first = m_recorder->writeBuffer();
    first.clearSamples();
    CreateRecordFile(path, first);
    tell(goneText(path, QStringLiteral("all %1 samples").arg(m_recorder->count())), statusLine);
}

namespace {
void showStatus(const QString &text)
{
    const QByteArray line = "\r" + text.toUtf8() + "\033[K";
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
} // namespace

QString CsvLog::header(bool harmonics, bool idColumn)
{
    QString text = MeasurementCsvHeader();
    if (idColumn)
        text.prepend(QStringLiteral("id,"));
    if (!harmonics)
        return text;
    text.chop(2);
    for (int n = 0; n < HarmonicCount; ++n)
        text += QStringLiteral(",IH") + QString::number(n);
    return text + QStringLiteral("\r\n");
}

QString CsvLog::row(const MeasurementRecord &record, const QDateTime &time, bool harmonics)
{
    QString text = MeasurementCsvRow(record, time);
    if (!harmonics)
        return text;
    text.chop(2);
    for (int n = 0; n < HarmonicCount; ++n)
        text += QLatin1Char(',') + FloatText(record.IHarm[n]);
    return text + QStringLiteral("\r\n");
}

CsvLog::CsvLog(const QString &path, bool harmonics, bool idColumn)
    : m_path(path)
{
    const QByteArray header = CsvLog::header(harmonics, idColumn).toUtf8();
    QByteArray start = header;
    if (path == QStringLiteral("-")) {
        m_fd = ::dup(STDOUT_FILENO);
        m_stream = true;
        if (m_fd < 0)
            fail(errno);
    } else {
        const QByteArray name = QFile::encodeName(path);
        m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        m_created = m_fd >= 0;
        if (m_fd < 0 && errno == EEXIST)
            m_fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
        if (m_fd < 0)
            fail(errno);
        struct stat status;
        if (::fstat(m_fd, &status) != 0)
            fail(errno);
        m_stream = !S_ISREG(status.st_mode);
        if (!m_stream) {
            try {
                LockForWriting(m_fd, path);
            } catch (const CliError &) {
                ::close(m_fd);
                m_fd = -1;
                throw;
            }
        }
        if (!m_stream && status.st_size > 0) {
            // A log of this tool goes on where it ended (a restarted service keeps its
            // earlier rows); any other file is left as it is.
            QByteArray firstLine(header.size(), '\0');
            if (::pread(m_fd, firstLine.data(), size_t(header.size()), 0) != header.size()
                || firstLine != header) {
                ::close(m_fd);
                m_fd = -1;
                throw CliError(ExitFile,
                    QStringLiteral("%1: exists and is no measurement log of this tool; it is left as it is")
                        .arg(path));
            }
            // A row cut short (power lost while writing) stays a row of its own.
            char lastByte = 0;
            if (::pread(m_fd, &lastByte, 1, status.st_size - 1) != 1)
                fail(errno);
            start = lastByte == '\n' ? QByteArray() : QByteArray("\r\n");
            m_size = status.st_size;
            if (::lseek(m_fd, 0, SEEK_END) < 0)
                fail(errno);
        }
    }
    if (!WriteWhole(m_fd, start.constData(), start.size())) {
        const int error = errno;
        if (!m_stream)
            (void)::ftruncate(m_fd, m_size);
        if (m_created)
            ::unlink(QFile::encodeName(path).constData());
        fail(error);
    }
    m_size += start.size();
}

CsvLog::~CsvLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void CsvLog::fail(int error) const
{
    const QString name = m_path == QStringLiteral("-") ? QStringLiteral("standard output") : m_path;
    throw CliError(ExitFile, QStringLiteral("%1: %2").arg(name, SystemReason(error)));
}

void CsvLog::append(const QString &row)
{
    const QByteArray bytes = row.toUtf8();
    if (!WriteWhole(m_fd, bytes.constData(), bytes.size())) {
        const int error = errno;
        // A part of a row would run into the next one when a restarted log appends.
        if (!m_stream && ::ftruncate(m_fd, m_size) == 0)
            ::lseek(m_fd, m_size, SEEK_SET);
        fail(error);
    }
    m_size += bytes.size();
    ++m_rows;
}

void CsvLog::sync()
{
    if (!m_stream && ::fsync(m_fd) != 0)
        fail(errno);
}

QString CsvLog::remakeIfGone()
{
    if (m_stream)
        return {};
    const std::optional<FileIdentity> named = IdentityOfPath(m_path);
    if (named && named == IdentityOfDescriptor(m_fd))
        return {};
    if (named) {
        // Another file took the name; it is not written over, and the rows go on into the
        // file this log has open.
        if (m_replacedTold)
            return {};
        m_replacedTold = true;
        return QStringLiteral("%1: another file took its place during the log; the rows go on into the "
                              "file it replaced")
            .arg(m_path);
    }
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        fail(errno);
    // Everything written so far is still in the file open here, deleted or not.
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (qint64 at = 0; at < m_size;) {
        const ssize_t got
            = ::pread(m_fd, chunk.data(), size_t(std::min<qint64>(chunk.size(), m_size - at)), at);
        if (got <= 0 || !WriteWhole(fd, chunk.constData(), got)) {
            const int error = got == 0 ? EIO : errno;
            ::close(fd);
            ::unlink(name.constData());
            fail(error);
        }
        at += got;
    }
    ::close(m_fd);
    m_fd = fd;
    LockForWriting(m_fd, m_path);
    sync();
    return goneText(m_path, QStringLiteral("every row written before"));
}

void CsvLog::discardIfEmpty()
{
    if (m_rows == 0 && m_created && IdentityOfPath(m_path) == IdentityOfDescriptor(m_fd)) {
        ::close(m_fd);
        m_fd = -1;
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

void ArmLogStop()
{
    LogStopRequested = false;
    LogStopSignals = 0;
    installStopHandlers();
}

int RunLog(const LinkTarget &target, const LogOptions &options)
{
    ArmLogStop();

    // Outputs first: an output that cannot be written ends the log before the instrument is
    // asked anything.
    std::unique_ptr<CsvLog> csv;
    if (!options.csvPath.isEmpty())
        csv = std::make_unique<CsvLog>(options.csvPath, options.harmonics);
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
    const QString portName = DescribeTarget(target);
    const QString brokerName = mqtt
        ? QStringLiteral("MQTT broker %1:%2").arg(mqtt->target().host).arg(mqtt->target().port)
        : QString();

    QElapsedTimer elapsed;
    elapsed.start();
    LogProgress progress;
    progress.mqtt = mqtt.get();
    MeasurementRecord last {};
    int64_t dueMs = 0;
    int64_t lastSyncMs = 0;
    int64_t lastLinkCheckMs = -LinkCheckEveryMs;
    // Outages and recoveries get a line each, so that a service's journal shows them.
    bool portDown = false;
    bool brokerUp = true;
    const auto notePort = [&](bool down) {
        if (down != portDown)
            tell(down ? QStringLiteral("%1: the port went away; it is opened again when it comes back")
                            .arg(portName)
                      : QStringLiteral("%1: the port is back").arg(portName),
                options.statusLine);
        portDown = down;
    };
    const auto noteBroker = [&] {
        if (!mqtt || mqtt->connected() == brokerUp)
            return;
        brokerUp = !brokerUp;
        tell(brokerUp ? QStringLiteral("%1: connected again").arg(brokerName)
                      : QStringLiteral("%1: connection lost; messages wait for it").arg(brokerName),
            options.statusLine);
    };
    // The first failure of the CSV file ends the log; the record is still saved.
    std::optional<CliError> csvFailure;
    const auto saveCsv = [&] {
        try {
            if (const QString notice = csv->remakeIfGone(); !notice.isEmpty())
                tell(notice, options.statusLine);
            csv->sync();
        } catch (const CliError &error) {
            csvFailure = error;
        }
    };

    bool recordFull = false;
    const auto timeLeft = [&] { return !endMs || elapsed.elapsed() < *endMs; };
    while (!csvFailure && !recordFull && !LogStopRequested && timeLeft()
        && (!options.count || progress.samples < *options.count)) {
        waitUntil(elapsed, endMs ? std::min(dueMs, *endMs) : dueMs);
        noteBroker();
        if (LogStopRequested || !timeLeft())
            break;

        if (!link.isOpen() && !link.reopen()) {
            progress.portLost = true;
            notePort(true);
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
            if (progress.portLost)
                notePort(true);
            if (options.statusLine)
                showStatus(LogStatusText(progress, last));
            dueMs = elapsed.elapsed();
            continue;
        }
        notePort(false);

        const QDateTime time = platform::clock().now();
        last = RecordFromReply(frame);
        ++progress.samples;
        // The record first: a CSV that fails must not cost it the sample.
        if (record)
            recordFull = !record->sample(last, time);
        if (csv) {
            try {
                csv->append(CsvLog::row(last, time, options.harmonics));
            } catch (const CliError &error) {
                csvFailure = error;
            }
        }
        if (mqtt)
            mqtt->publish(MeasurementJson(last, time, true));
        if (!csvFailure && elapsed.elapsed() - lastSyncMs >= saveStepMs) {
            if (csv)
                saveCsv();
            if (record)
                record->save(false, options.statusLine);
            lastSyncMs = elapsed.elapsed();
        }
        if (options.statusLine)
            showStatus(LogStatusText(progress, last));

        dueMs += stepMs;
        dueMs = std::max<int64_t>(dueMs, elapsed.elapsed() + NextRequestPauseMs);
    }

    if (csv && !csvFailure)
        saveCsv();
    QString recordFailure;
    if (record && progress.samples > 0)
        recordFailure = record->save(true, options.statusLine);
    std::optional<CliError> mqttFailure;
    if (mqtt) {
        const int drainMs = static_cast<int>(options.mqttDrainSeconds * 1000.0 + 0.5);
        mqtt->drain(drainMs, [&] {
            noteBroker();
            return LogStopSignals.load() > 1;
        });
        noteBroker();
        mqtt->finish(0);
        if (const uint64_t lost = mqtt->backlog() + mqtt->dropped())
            mqttFailure = CliError(ExitDevice,
                QStringLiteral("%1: %2 of %3 messages not delivered%4")
                    .arg(brokerName)
                    .arg(lost)
                    .arg(mqtt->published())
                    .arg(drainMs > 0
                            ? QStringLiteral(" after waiting %1 s for the broker").arg(drainMs / 1000.0)
                            : QString()));
    }
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
    // Every failure is told; the exit status is that of the first, files before the broker.
    std::vector<CliError> failures;
    if (csvFailure)
        failures.push_back(*csvFailure);
    if (!recordFailure.isEmpty())
        failures.emplace_back(ExitFile, recordFailure);
    if (mqttFailure)
        failures.push_back(*mqttFailure);
    if (failures.empty())
        return ExitOk;
    for (size_t k = 1; k < failures.size(); ++k)
        tell(failures[k].text(), false);
    throw failures.front();
}
