#pragma once

// Continuous sampling at a chosen step into a record file, a CSV file and/or an MQTT broker,
// for a duration,
// a number of measurements, or until stopped (SIGINT, SIGTERM, SIGHUP). A port that goes
// away is opened again as soon as it comes back; a broker that goes away is connected again
// by the publisher while the file goes on. Every file it writes is locked against a second
// writer, and one deleted or moved while the log runs is made again whole at the next save.

#include "cli/LinkTarget.h"
#include "cli/MqttPublisher.h"
#include "measure/MeasurementRecord.h"
#include "record/RecordSettings.h"

#include <QDateTime>

class Recorder;
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

struct LogOptions
{
    double stepSeconds = 1.0;
    std::optional<double> durationSeconds;
    std::optional<int64_t> count;
    QString csvPath; // "-" for standard output; empty for none
    // The CSV also carries the current harmonics' peak amplitudes IH0..IH50 (A), so that a
    // long log can be judged afterwards (`check FILE`).
    bool harmonics = false;
    // A record file as the record window writes it, with the channels and step byte of
    // `recordSettings`; empty for none. It is written at every save step.
    QString recordPath;
    RecordSettings recordSettings;
    std::optional<MqttTarget> mqtt;
    double saveStepSeconds = 10.0; // the files are synced to the disk at this step
    int mqttConnectTimeoutMs = 3000;
    // At the end, messages the broker has not taken get this long before they count as lost.
    double mqttDrainSeconds = 10.0;
    bool statusLine = false; // the live one-line status (on a terminal)
};

// A CSV log file: header at creation, every row handed to the system at once, synced to the
// disk at each save step and at the end, locked against a second writer. An existing log of
// this tool is appended to; any other existing file is refused. Throws CliError (file) naming
// the file and the system's reason; a file it created for nothing is removed again.
class CsvLog
{
public:
    // With `idColumn`, the first column names the instrument of each row (one table for
    // several instruments).
    explicit CsvLog(const QString &path, bool harmonics = false, bool idColumn = false);
    ~CsvLog();
    CsvLog(const CsvLog &) = delete;
    CsvLog &operator=(const CsvLog &) = delete;

    // The header and a row of this log: the measurement's fifteen values and, when asked for,
    // the current harmonics.
    static QString header(bool harmonics, bool idColumn = false);
    static QString row(const MeasurementRecord &record, const QDateTime &time, bool harmonics);

    // A row that cannot be written whole is cut off again, so the file ends with its last
    // whole row, and CliError tells why.
    void append(const QString &row);
    void sync();
    // When the path no longer names the file being written (deleted or moved away), makes it
    // again with everything written so far and returns a line saying so; empty otherwise.
    QString remakeIfGone();
    // Removes a file that this log created and that holds no row.
    void discardIfEmpty();
    int64_t rows() const { return m_rows; }

private:
    [[noreturn]] void fail(int error) const;

    QString m_path;
    int m_fd = -1;
    bool m_stream = false; // standard output, a device or a FIFO: written as it comes
    qint64 m_size = 0; // bytes up to the end of the last whole row
    int64_t m_rows = 0;
    bool m_created = false;
    bool m_replacedTold = false;
};

// The record file of a log: made before the instrument is asked anything, locked, written at
// every save step; one that never received a sample is removed again. Throws CliError (file).
class RecordLog
{
public:
    RecordLog(const QString &path, const RecordSettings &settings);
    ~RecordLog();
    RecordLog(const RecordLog &) = delete;
    RecordLog &operator=(const RecordLog &) = delete;

    // False once the record is full: this sample was the last it takes, or it took none.
    bool sample(const MeasurementRecord &record, const QDateTime &time);
    // Writes the newest blocks, or the whole record into a file made again when the path no
    // longer names the file (told once). A failure is told on standard error once and the
    // next save tries again with everything since; `last` returns it instead.
    QString save(bool last, bool statusLine);
    void discardIfEmpty();
    const QString &fileName() const;

private:
    void discard(const QString &path);
    void remakeIfGone(bool statusLine);

    std::unique_ptr<Recorder> m_recorder;
    int m_fd = -1; // holds the lock and tells whether the path still names the file
    bool m_failed = false;
};

struct LogProgress
{
    int64_t samples = 0;
    int64_t misses = 0; // steps without a measurement
    int resends = 0;
    bool portLost = false;
    const MqttPublisher *mqtt = nullptr;
};

// "12 samples  230.01 V  5.0213 A  1138.3 W  PF 0.998  resends 0  MQTT connected"
QString LogStatusText(const LogProgress &progress, const MeasurementRecord &last);

// Set by SIGINT, SIGTERM and SIGHUP once RunLog installed its handlers; a second signal
// also cuts short the wait for the broker at the end.
extern std::atomic<bool> LogStopRequested;
extern std::atomic<int> LogStopSignals;
// Clears both and installs the handlers (SIGPIPE ignored): a log's first step.
void ArmLogStop();

// The program's pace, which every log keeps: a lost port is tried again each second, the
// next request goes out 50 ms after a measurement, and over the instrument's USB port
// register 187 is asked about every 1.1 s.
constexpr int ReopenEveryMs = 1000;
constexpr int NextRequestPauseMs = 50;
constexpr int LinkCheckEveryMs = 1100;

// Runs the log; returns the exit code. Throws CliError for failures that end it.
int RunLog(const LinkTarget &target, const LogOptions &options);
