#pragma once

// The log of a bench of instruments in one process: each instrument's exchange runs on a
// thread of its own, so that a slow, faulty or vanished instrument never holds up another;
// the outputs (a CSV and a record file per instrument, one long CSV with an id column, an
// MQTT client per instrument with its own status and last will, discovery messages for
// home-automation hubs) and the status table are the main thread's.

#include "base/Platform.h"
#include "cli/LinkTarget.h"
#include "cli/Logger.h"
#include "cli/MqttPublisher.h"
#include "measure/MeasurementRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// "PORT", "PORT@BAUD" or "PORT@BAUD/ADDRESS" (also "PORT@/ADDRESS"): one instrument in one
// word. Throws CliError (usage) for a bad speed or address text.
LinkOptions ParseInstrumentWord(const QString &word);

// The instruments of a `log` command line, from its arguments after "log": each `--port`
// starts one; a `--baud` or `--address` after it is that instrument's, one before the first
// `--port` is every instrument's default. `--usb` goes for all. No `--port` gives one
// instrument whose link comes from SysSet.ini. Throws CliError (usage) for a speed or address
// given twice to one instrument.
QList<LinkOptions> InstrumentOptionsFromArguments(const QStringList &arguments);

// The serial number of a USB device from its plug-and-play identifier
// ("USB\VID_0403&PID_6001\A50285BI"); empty for a device that has none (the inventory puts
// the port name in its place) or no USB device.
QString UsbSerialNumber(const QString &pnpDeviceId, const QString &portName);

// The instrument's id in file names and topics: the USB serial number of its port where the
// inventory knows one, else the port's name and the address ("ttyUSB0-3", "COM7-1"). Only
// letters, digits, '-' and '_'.
QString InstrumentId(const LinkTarget &target, const QList<InventoryEntry> &inventory);

// Ids for all targets; throws CliError (usage) for a port named twice, an address outside
// 1 to 247 or two instruments that would share an id.
QStringList CheckedInstrumentIds(const QList<LinkTarget> &targets, const QList<InventoryEntry> &inventory);

// The retained discovery messages of one instrument for a home-automation hub: one sensor
// per measured value at DISCOVERY/sensor/<id>_<field>/config, all of one device.
QList<MqttMessage> DiscoveryMessages(
    const QString &id, const QString &topicPrefix, const QString &discoveryPrefix);

// Every port of `ports` on which an instrument answers a measurement request, with the speed,
// address and USB link of `options` (else SysSet.ini's). Asked one after the other.
QList<LinkTarget> AnsweringInstruments(const LinkOptions &options);

struct BenchStatusRow
{
    QString id;
    QString port;
    int64_t samples = 0;
    int resends = 0;
    int64_t misses = 0;
    std::optional<MeasurementRecord> last;
    QString state; // "measuring", "port lost", "done", ...
};

// One line per instrument, in columns.
QStringList BenchStatusLines(const QList<BenchStatusRow> &rows);

struct BenchLogOptions
{
    // Step, duration, count (per instrument), harmonics, record settings, broker (its topic
    // prefix: PREFIX/<id>/measurement), save step and drain; statusLine: the table on a terminal.
    LogOptions log;
    QString csvDir; // one CSV per instrument, <id>.csv
    QString longCsvPath; // one CSV with an id column; "-" for standard output
    QString vqrDir; // one record file per instrument, <id>.vqr
    std::optional<QString> discoveryPrefix;
};

// Runs the log; returns the exit code. Throws CliError for failures that end it.
int RunBenchLog(const QList<LinkTarget> &targets, const BenchLogOptions &options);
