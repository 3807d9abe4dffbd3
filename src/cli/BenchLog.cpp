#include "cli/BenchLog.h"

#include "base/Errors.h"
#include "cli/CliError.h"
#include "cli/Exchange.h"
#include "cli/MeasurementValues.h"
#include "cli/PortList.h"
#include "link/PortTable.h"
#include "measure/MeasurementCsv.h"
#include "measure/PanelTexts.h"
#include "record/RecordFile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include <unistd.h>

namespace {
constexpr int TableRefreshMs = 250;
constexpr int LowestAddress = 1;
constexpr int HighestAddress = 247;

QString idText(const QString &text)
{
    QString id;
    for (const QChar c : text)
        id += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('-') || c == QLatin1Char('_')
            ? c
            : QLatin1Char('_');
    return id;
}

uint32_t parseSpeed(const QString &text, const QString &what)
{
    bool ok = false;
    const uint32_t speed = text.toUInt(&ok);
    if (!ok)
        throw CliError(ExitUsage, QStringLiteral("%1: %2 is no line speed").arg(what, text));
    return speed;
}

int parseAddress(const QString &text, const QString &what)
{
    bool ok = false;
    const int address = text.toInt(&ok);
    if (!ok)
        throw CliError(ExitUsage, QStringLiteral("%1: %2 is no address").arg(what, text));
    return address;
}

// What every exchange thread reports to the main thread.
struct Event
{
    enum class Kind { Opened, OpenFailed, Measurement, PortLost, PortBack, Finished };
    int instrument = 0;
    Kind kind = Kind::Measurement;
    QByteArray frame;
    QDateTime time;
    QString text;
};

class EventQueue
{
public:
    void push(Event event)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_events.push_back(std::move(event));
        }
        m_changed.notify_one();
    }
    // Everything queued, waiting up to `timeoutMs` for the first.
    std::deque<Event> take(int timeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !m_events.empty(); });
        std::deque<Event> events;
        events.swap(m_events);
        return events;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Event> m_events;
};

// The order in which the threads make and drop their links. A link puts its port map in
// front of the one in force and gives that back when it goes, so the links are made one
// after the other and dropped in the reverse order; none runs while another is being made.
class LinkOrder
{
public:
    explicit LinkOrder(int count)
        : m_count(count)
        , m_nextDropped(count - 1)
    {
    }
    void make(int index, const std::function<void()> &f)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_made == index; });
        f();
        ++m_made;
        m_changed.notify_all();
    }
    // Waits for every link made and the main thread's word; true to run.
    bool waitToRun()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_made == m_count && m_decided; });
        return m_run;
    }
    void decide(bool run)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_decided = true;
            m_run = run;
        }
        m_changed.notify_all();
    }
    void finishRunning()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_finished;
        m_changed.notify_all();
    }
    void drop(int index, const std::function<void()> &f)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_finished == m_count && m_nextDropped == index; });
        f();
        --m_nextDropped;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_count;
    int m_made = 0;
    int m_finished = 0;
    int m_nextDropped;
    bool m_decided = false;
    bool m_run = false;
};

struct ExchangeSettings
{
    int64_t stepMs = 1000;
    std::optional<int64_t> endMs;
    std::optional<int64_t> count;
};

// What the status table shows of an instrument while its thread runs.
struct SharedCounters
{
    std::atomic<int> resends { 0 };
    std::atomic<int64_t> misses { 0 };
    std::atomic<bool> portLost { false };
    std::atomic<bool> finished { false };
};

// One instrument's exchange, on its own thread: the log's loop without its outputs.
void runExchange(int index, const LinkTarget &target, const ExchangeSettings &settings, LinkOrder &order,
    EventQueue &events, SharedCounters &counters, const std::atomic<bool> &stop)
{
    std::unique_ptr<InstrumentLink> link;
    const auto stopping = [&] { return stop.load() || LogStopRequested.load(); };
    // Opened in turn too: opening reads the port map that the next link replaces.
    order.make(index, [&] {
        link = std::make_unique<InstrumentLink>(target);
        link->stopRequested = stopping;
        try {
            link->open();
            events.push(Event { index, Event::Kind::Opened, {}, {}, {} });
        } catch (const CliError &error) {
            events.push(Event { index, Event::Kind::OpenFailed, {}, {}, error.text() });
        }
    });

    if (order.waitToRun() && link->isOpen()) {
        QElapsedTimer elapsed;
        elapsed.start();
        const auto timeLeft = [&] { return !settings.endMs || elapsed.elapsed() < *settings.endMs; };
        int64_t dueMs = 0;
        int64_t taken = 0;
        int64_t lastLinkCheckMs = -LinkCheckEveryMs;
        bool lost = false;
        const auto noteLost = [&](bool now) {
            if (now != lost)
                events.push(Event { index, now ? Event::Kind::PortLost : Event::Kind::PortBack, {}, {}, {} });
            lost = now;
            counters.portLost = now;
        };
        while (!stopping() && timeLeft() && (!settings.count || taken < *settings.count)) {
            const int64_t until = settings.endMs ? std::min(dueMs, *settings.endMs) : dueMs;
            while (!stopping() && elapsed.elapsed() < until)
                QThread::msleep(
                    static_cast<unsigned long>(std::clamp<int64_t>(until - elapsed.elapsed(), 1, 20)));
            if (stopping() || !timeLeft())
                break;
            if (!link->isOpen() && !link->reopen()) {
                noteLost(true);
                dueMs = elapsed.elapsed() + ReopenEveryMs;
                continue;
            }
            if (target.usb && elapsed.elapsed() - lastLinkCheckMs >= LinkCheckEveryMs) {
                link->sendRead(LinkCheckRegister, 15);
                QThread::msleep(NextRequestPauseMs);
                link->discardInput();
                lastLinkCheckMs = elapsed.elapsed();
            }
            int64_t budgetMs = std::max<int64_t>(link->measurementBudgetMs(), settings.stepMs);
            if (settings.endMs)
                budgetMs = std::min(budgetMs, std::max<int64_t>(*settings.endMs - elapsed.elapsed(), 1));
            const QByteArray frame = link->readMeasurement(static_cast<int>(budgetMs));
            counters.resends = link->counters().resends;
            if (frame.isEmpty()) {
                if (!stopping() && timeLeft())
                    ++counters.misses;
                if (!link->isOpen())
                    noteLost(true);
                dueMs = elapsed.elapsed();
                continue;
            }
            noteLost(false);
            events.push(Event { index, Event::Kind::Measurement, frame, platform::clock().now(), {} });
            ++taken;
            dueMs += settings.stepMs;
            dueMs = std::max<int64_t>(dueMs, elapsed.elapsed() + NextRequestPauseMs);
        }
        if (target.usb && link->isOpen())
            link->sendRead(CloseNoticeRegister, 0);
    }
    counters.finished = true;
    events.push(Event { index, Event::Kind::Finished, {}, {}, {} });
    order.finishRunning();
    order.drop(index, [&] { link.reset(); });
}

// The status table on a terminal, written over itself; lines told in between go above it.
class StatusBoard
{
public:
    explicit StatusBoard(bool terminal)
        : m_terminal(terminal)
    {
    }
    void show(const QStringList &lines)
    {
        QByteArray out;
        if (m_terminal && m_shown > 0)
            out += "\033[" + QByteArray::number(m_shown) + "A";
        for (const QString &line : lines)
            out += (m_terminal ? "\r" : "") + line.toUtf8() + (m_terminal ? "\033[K\n" : "\n");
        m_shown = m_terminal ? int(lines.size()) : 0;
        write(out);
    }
    void tell(const QString &text)
    {
        QByteArray out;
        if (m_terminal && m_shown > 0)
            out += "\033[" + QByteArray::number(m_shown) + "A\r\033[J";
        m_shown = 0;
        out += "kmr5150-cli: " + text.toUtf8() + '\n';
        write(out);
    }

private:
    static void write(const QByteArray &bytes)
    {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        std::fflush(stderr);
    }
    bool m_terminal;
    int m_shown = 0;
};

struct FieldDiscovery
{
    const char *field;
    const char *name;
    const char *unit; // empty: none
    const char *deviceClass; // empty: none
    const char *stateClass;
    bool percent; // the value is a fraction, shown in per cent
};

constexpr FieldDiscovery DiscoveredFields[] = {
    { "URMS", "Voltage", "V", "voltage", "measurement", false },
    { "UPP", "Voltage peak", "V", "voltage", "measurement", false },
    { "UF", "Frequency", "Hz", "frequency", "measurement", false },
    { "IRMS", "Current", "A", "current", "measurement", false },
    { "IPP", "Current peak", "A", "current", "measurement", false },
    { "IPA", "Phase angle", "°", "", "measurement", false },
    { "PF", "Power factor", "", "power_factor", "measurement", false },
    { "WRMS", "Active power", "W", "power", "measurement", false },
    { "PS", "Apparent power", "VA", "apparent_power", "measurement", false },
    { "PQ", "Reactive power", "var", "reactive_power", "measurement", false },
    { "VTHD", "Voltage THD", "%", "", "measurement", true },
    { "ITHD", "Current THD", "%", "", "measurement", true },
    { "VKF", "Voltage crest factor", "", "", "measurement", false },
    { "IKF", "Current crest factor", "", "", "measurement", false },
    { "KWH", "Energy", "kWh", "energy", "total_increasing", false },
};

QByteArray jsonString(const QString &text)
{
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}
} // namespace

LinkOptions ParseInstrumentWord(const QString &word)
{
    LinkOptions options;
    const qsizetype at = word.lastIndexOf(QLatin1Char('@'));
    options.port = at < 0 ? word : word.left(at);
    if (at < 0)
        return options;
    const QString rest = word.mid(at + 1);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const QString speed = slash < 0 ? rest : rest.left(slash);
    if (!speed.isEmpty())
        options.baud = parseSpeed(speed, QStringLiteral("--port ") + word);
    if (slash >= 0)
        options.address = parseAddress(rest.mid(slash + 1), QStringLiteral("--port ") + word);
    if (options.port->isEmpty() || (speed.isEmpty() && slash < 0))
        throw CliError(
            ExitUsage, QStringLiteral("--port %1: give PORT, PORT@BAUD or PORT@BAUD/ADDRESS").arg(word));
    return options;
}

QList<LinkOptions> InstrumentOptionsFromArguments(const QStringList &arguments)
{
    LinkOptions defaults;
    QList<LinkOptions> instruments;
    for (qsizetype k = 0; k < arguments.size(); ++k) {
        const QString &argument = arguments[k];
        QString name = argument;
        QString value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const bool inWord = argument.startsWith(QStringLiteral("--")) && equals > 0;
        if (inWord) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        if (name == QStringLiteral("--usb")) {
            defaults.usb = true;
            continue;
        }
        if (name != QStringLiteral("--port") && name != QStringLiteral("--baud")
            && name != QStringLiteral("--address"))
            continue;
        if (!inWord) {
            if (k + 1 >= arguments.size())
                continue; // the parser tells that the value is missing
            value = arguments[++k];
        }
        if (name == QStringLiteral("--port")) {
            instruments.append(ParseInstrumentWord(value));
            continue;
        }
        LinkOptions &target = instruments.isEmpty() ? defaults : instruments.last();
        const QString whose
            = instruments.isEmpty() ? QString() : QStringLiteral(" for --port %1").arg(*target.port);
        if (name == QStringLiteral("--baud")) {
            if (target.baud)
                throw CliError(ExitUsage, QStringLiteral("log: --baud given twice%1").arg(whose));
            target.baud = parseSpeed(value, QStringLiteral("--baud"));
        } else {
            if (target.address)
                throw CliError(ExitUsage, QStringLiteral("log: --address given twice%1").arg(whose));
            target.address = parseAddress(value, QStringLiteral("--address"));
        }
    }
    if (instruments.isEmpty())
        return { defaults };
    for (LinkOptions &instrument : instruments) {
        if (!instrument.baud)
            instrument.baud = defaults.baud;
        if (!instrument.address)
            instrument.address = defaults.address;
        instrument.usb = instrument.usb || defaults.usb;
    }
    return instruments;
}

QString UsbSerialNumber(const QString &pnpDeviceId, const QString &portName)
{
    const QStringList parts = pnpDeviceId.split(QLatin1Char('\\'));
    if (parts.size() != 3 || parts[0] != QStringLiteral("USB") || parts[2].isEmpty() || parts[2] == portName)
        return {};
    return parts[2];
}

QString InstrumentId(const LinkTarget &target, const QList<InventoryEntry> &inventory)
{
    const QString wanted = target.devicePath.isEmpty() ? QString() : CanonicalDevicePath(target.devicePath);
    for (const InventoryEntry &device : inventory) {
        const bool same = (!wanted.isEmpty() && !device.devicePath.isEmpty()
                              && CanonicalDevicePath(device.devicePath) == wanted)
            || (target.portNumber > 0 && device.portNumber == target.portNumber && wanted.isEmpty());
        if (!same)
            continue;
        const QString serial = UsbSerialNumber(device.pnpDeviceId, QFileInfo(device.devicePath).fileName());
        if (!serial.isEmpty())
            return idText(serial);
    }
    QString port = target.portName;
    if (port.startsWith(QStringLiteral("/dev/")))
        port = port.mid(5);
    else if (port.contains(QLatin1Char('/')))
        port = QFileInfo(port).fileName();
    return idText(port) + QLatin1Char('-') + QString::number(target.address);
}

QStringList CheckedInstrumentIds(const QList<LinkTarget> &targets, const QList<InventoryEntry> &inventory)
{
    QStringList ids;
    QStringList devices;
    for (const LinkTarget &target : targets) {
        if (target.address < LowestAddress || target.address > HighestAddress)
            throw CliError(ExitUsage,
                QStringLiteral("--address %1 for %2: addresses run from %3 to %4")
                    .arg(target.address)
                    .arg(target.portName)
                    .arg(LowestAddress)
                    .arg(HighestAddress));
        const QString device = target.devicePath.isEmpty()
            ? target.portName
            : (QFileInfo::exists(target.devicePath) ? CanonicalDevicePath(target.devicePath)
                                                    : target.devicePath);
        if (devices.contains(device))
            throw CliError(ExitUsage, QStringLiteral("--port %1: named twice").arg(target.portName));
        devices << device;
        const QString id = InstrumentId(target, inventory);
        if (ids.contains(id))
            throw CliError(ExitUsage,
                QStringLiteral("--port %1: its id %2 is another instrument's already")
                    .arg(target.portName, id));
        ids << id;
    }
    return ids;
}

QList<MqttMessage> DiscoveryMessages(
    const QString &id, const QString &topicPrefix, const QString &discoveryPrefix)
{
    const QString stateTopic = QStringLiteral("%1/%2/measurement").arg(topicPrefix, id);
    const QString statusTopic = QStringLiteral("%1/%2/status").arg(topicPrefix, id);
    const QByteArray device = "{\"identifiers\":[" + jsonString(QStringLiteral("kmr5150_") + id)
        + "],\"name\":" + jsonString(QStringLiteral("KMR5150 ") + id)
        + ",\"manufacturer\":\"Norvo\",\"model\":\"KMR5150\"}";
    QList<MqttMessage> messages;
    for (const FieldDiscovery &field : DiscoveredFields) {
        const QString object = id + QLatin1Char('_') + QString::fromLatin1(field.field).toLower();
        const QString value = field.percent
            ? QStringLiteral("{{ (value_json.%1 * 100) | round(3) }}").arg(QLatin1String(field.field))
            : QStringLiteral("{{ value_json.%1 }}").arg(QLatin1String(field.field));
        QByteArray json = "{\"name\":" + jsonString(QString::fromUtf8(field.name));
        json += ",\"unique_id\":" + jsonString(QStringLiteral("kmr5150_") + object);
        json += ",\"state_topic\":" + jsonString(stateTopic);
        json += ",\"value_template\":" + jsonString(value);
        if (*field.unit)
            json += ",\"unit_of_measurement\":" + jsonString(QString::fromUtf8(field.unit));
        if (*field.deviceClass)
            json += ",\"device_class\":" + jsonString(QString::fromLatin1(field.deviceClass));
        json += ",\"state_class\":" + jsonString(QString::fromLatin1(field.stateClass));
        json += ",\"availability_topic\":" + jsonString(statusTopic);
        json += ",\"payload_available\":\"online\",\"payload_not_available\":\"offline\"";
        json += ",\"device\":" + device + '}';
        messages.append(MqttMessage {
            QStringLiteral("%1/sensor/%2/config").arg(discoveryPrefix, object).toUtf8(), json, true });
    }
    return messages;
}

QList<LinkTarget> AnsweringInstruments(const LinkOptions &options)
{
    QList<LinkTarget> targets;
    for (const PortListing &port : ListPorts()) {
        LinkOptions portOptions = options;
        portOptions.port = QStringLiteral("COM%1").arg(port.portNumber);
        const LinkTarget target = ResolveLinkTarget(portOptions);
        InstrumentLink link(target);
        try {
            link.open();
        } catch (const CliError &) {
            continue; // taken by another program since it was listed
        }
        if (!link.readMeasurement(link.measurementBudgetMs()).isEmpty())
            targets << target;
        if (target.usb && link.isOpen())
            link.sendRead(CloseNoticeRegister, 0);
    }
    return targets;
}

QStringList BenchStatusLines(const QList<BenchStatusRow> &rows)
{
    std::vector<QStringList> cells;
    for (const BenchStatusRow &row : rows) {
        QStringList line { row.id, row.port, QStringLiteral("%1 measurements").arg(row.samples),
            QStringLiteral("resends %1").arg(row.resends) };
        if (row.last) {
            const std::array<QString, PanelCount> panels = PanelTexts(*row.last);
            line << panels[Panel_URMS] << panels[Panel_IRMS] + QStringLiteral(" A")
                 << panels[Panel_WRMS] + QStringLiteral(" W") << QStringLiteral("PF ") + panels[Panel_PF];
        } else {
            line << QString() << QString() << QString() << QString();
        }
        QString state = row.state;
        if (row.misses > 0)
            state += QStringLiteral(", missed %1").arg(row.misses);
        line << state;
        cells.push_back(line);
    }
    std::vector<qsizetype> widths;
    for (const QStringList &line : cells)
        for (qsizetype c = 0; c < line.size(); ++c) {
            if (size_t(c) >= widths.size())
                widths.push_back(0);
            widths[size_t(c)] = std::max(widths[size_t(c)], line[c].size());
        }
    QStringList lines;
    for (const QStringList &line : cells) {
        QString text;
        for (qsizetype c = 0; c < line.size(); ++c)
            text += (c ? QStringLiteral("  ") : QString()) + line[c].leftJustified(widths[size_t(c)]);
        lines << text.trimmed();
    }
    return lines;
}

namespace {
// One instrument's outputs and what the main thread knows of it.
struct Instrument
{
    LinkTarget target;
    QString id;
    std::unique_ptr<CsvLog> csv;
    std::unique_ptr<RecordLog> record;
    std::unique_ptr<MqttPublisher> mqtt;
    SharedCounters counters;
    int64_t samples = 0;
    std::optional<MeasurementRecord> last;
    bool recordFull = false;
    bool brokerUp = true;
    QString failure; // why its open failed
};

QString withSlash(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}
} // namespace

int RunBenchLog(const QList<LinkTarget> &targets, const BenchLogOptions &options)
{
    ArmLogStop();

    QList<InventoryEntry> inventory;
    try {
        inventory = platform::inventory().serialDevices();
    } catch (const KmrError &error) {
        throw CliError(ExitDevice, QStringLiteral("device inventory: ") + error.text());
    }
    const QStringList ids = CheckedInstrumentIds(targets, inventory);
    const LogOptions &log = options.log;
    const int count = int(targets.size());

    std::vector<std::unique_ptr<Instrument>> instruments;
    for (int k = 0; k < count; ++k) {
        auto instrument = std::make_unique<Instrument>();
        instrument->target = targets[k];
        // A path that no port number reaches gets a number of its own: the link maps it to
        // the device, and the links of one process must not share one.
        if (instrument->target.portNumber <= 0)
            instrument->target.portNumber = HighestPortNumber - k;
        instrument->id = ids[k];
        instruments.push_back(std::move(instrument));
    }
    // A number given to a path may be one that another instrument's COMn has.
    for (auto &a : instruments)
        for (auto &b : instruments)
            if (a != b && a->target.portNumber == b->target.portNumber)
                throw CliError(ExitUsage,
                    QStringLiteral("--port %1 and --port %2: name the ports by device path")
                        .arg(a->target.portName, b->target.portName));

    // Outputs first: an output that cannot be written ends the log before any instrument is
    // asked anything, and the files made for it go again.
    std::unique_ptr<CsvLog> longCsv;
    const auto discardFiles = [&] {
        if (longCsv)
            longCsv->discardIfEmpty();
        for (auto &instrument : instruments) {
            if (instrument->csv)
                instrument->csv->discardIfEmpty();
            if (instrument->record)
                instrument->record->discardIfEmpty();
        }
    };
    try {
        for (const QString &dir : { options.csvDir, options.vqrDir })
            if (!dir.isEmpty() && !QFileInfo(dir).isDir())
                throw CliError(ExitFile, QStringLiteral("%1: no such directory").arg(dir));
        if (!options.longCsvPath.isEmpty())
            longCsv = std::make_unique<CsvLog>(options.longCsvPath, log.harmonics, true);
        for (auto &instrument : instruments) {
            if (!options.csvDir.isEmpty())
                instrument->csv = std::make_unique<CsvLog>(
                    withSlash(options.csvDir) + instrument->id + QStringLiteral(".csv"), log.harmonics);
            if (!options.vqrDir.isEmpty())
                instrument->record = std::make_unique<RecordLog>(
                    withSlash(options.vqrDir) + instrument->id + QStringLiteral(".vqr"), log.recordSettings);
        }
    } catch (const CliError &) {
        discardFiles();
        throw;
    }

    ExchangeSettings settings;
    settings.stepMs = std::max<int64_t>(1, static_cast<int64_t>(log.stepSeconds * 1000.0 + 0.5));
    if (log.durationSeconds)
        settings.endMs = static_cast<int64_t>(*log.durationSeconds * 1000.0 + 0.5);
    settings.count = log.count;

    EventQueue events;
    LinkOrder order(count);
    std::atomic<bool> stop { false };
    std::vector<std::unique_ptr<QThread>> threads;
    for (int k = 0; k < count; ++k) {
        Instrument *instrument = instruments[size_t(k)].get();
        threads.emplace_back(QThread::create([k, instrument, &settings, &order, &events, &stop] {
            runExchange(k, instrument->target, settings, order, events, instrument->counters, stop);
        }));
        threads.back()->start();
    }
    const auto joinAll = [&] {
        for (auto &thread : threads)
            thread->wait();
    };

    StatusBoard board(log.statusLine);
    // Every port open, or the first failure ends it all before anything is written.
    int answered = 0;
    QString openFailure;
    while (answered < count) {
        for (Event &event : events.take(1000)) {
            ++answered;
            if (event.kind == Event::Kind::OpenFailed && openFailure.isEmpty())
                openFailure = event.text;
        }
    }
    const auto abandon = [&] {
        order.decide(false);
        joinAll();
        discardFiles();
    };
    if (!openFailure.isEmpty()) {
        abandon();
        throw CliError(ExitDevice, openFailure);
    }
    QString topicPrefix;
    if (log.mqtt) {
        topicPrefix = log.mqtt->topic;
        topicPrefix.chop(int(std::strlen("/measurement")));
        try {
            for (auto &instrument : instruments) {
                MqttTarget target = *log.mqtt;
                target.topic = QStringLiteral("%1/%2/measurement").arg(topicPrefix, instrument->id);
                target.statusTopic = QStringLiteral("%1/%2/status").arg(topicPrefix, instrument->id);
                target.clientSuffix = instrument->id;
                instrument->mqtt = std::make_unique<MqttPublisher>(target);
                instrument->mqtt->start(log.mqttConnectTimeoutMs);
                if (options.discoveryPrefix)
                    for (MqttMessage &message :
                        DiscoveryMessages(instrument->id, topicPrefix, *options.discoveryPrefix))
                        instrument->mqtt->publish(std::move(message));
            }
        } catch (const CliError &) {
            for (auto &instrument : instruments)
                if (instrument->mqtt)
                    instrument->mqtt->finish(1000);
            abandon();
            throw;
        }
    }
    order.decide(true);

    const int64_t saveStepMs = static_cast<int64_t>(log.saveStepSeconds * 1000.0 + 0.5);
    QElapsedTimer elapsed;
    elapsed.start();
    int64_t lastSyncMs = 0;
    int64_t lastTableMs = -TableRefreshMs;
    std::optional<CliError> csvFailure;
    int finished = 0;
    const auto tableRows = [&] {
        QList<BenchStatusRow> rows;
        for (auto &instrument : instruments) {
            BenchStatusRow row;
            row.id = instrument->id;
            row.port = DescribeTarget(instrument->target);
            row.samples = instrument->samples;
            row.resends = instrument->counters.resends;
            row.misses = instrument->counters.misses;
            row.last = instrument->last;
            row.state = instrument->counters.finished ? QStringLiteral("done")
                : instrument->counters.portLost       ? QStringLiteral("port lost, waiting for it")
                                                      : QStringLiteral("measuring");
            if (instrument->mqtt && !instrument->counters.finished)
                row.state += instrument->mqtt->connected() ? QStringLiteral(", MQTT connected")
                                                           : QStringLiteral(", MQTT reconnecting");
            rows << row;
        }
        return rows;
    };
    const auto saveAll = [&](bool last) {
        QStringList failures; // of the record files
        const auto syncCsv = [&](CsvLog &csv) {
            try {
                if (const QString notice = csv.remakeIfGone(); !notice.isEmpty())
                    board.tell(notice);
                csv.sync();
            } catch (const CliError &error) {
                if (!csvFailure)
                    csvFailure = error;
            }
        };
        if (longCsv && !csvFailure)
            syncCsv(*longCsv);
        for (auto &instrument : instruments) {
            if (instrument->csv && !csvFailure)
                syncCsv(*instrument->csv);
            if (instrument->record && instrument->samples > 0) {
                const QString failure = instrument->record->save(last, false);
                if (!failure.isEmpty())
                    failures << failure;
            }
        }
        return failures;
    };

    while (finished < count) {
        for (Event &event : events.take(TableRefreshMs)) {
            Instrument &instrument = *instruments[size_t(event.instrument)];
            const QString name
                = QStringLiteral("%1 (%2)").arg(instrument.id, DescribeTarget(instrument.target));
            switch (event.kind) {
            case Event::Kind::Measurement: {
                const MeasurementRecord record = RecordFromReply(event.frame);
                instrument.last = record;
                ++instrument.samples;
                if (instrument.record && !instrument.recordFull)
                    instrument.recordFull = !instrument.record->sample(record, event.time);
                if (!csvFailure) {
                    try {
                        if (instrument.csv)
                            instrument.csv->append(CsvLog::row(record, event.time, log.harmonics));
                        if (longCsv)
                            longCsv->append(CsvField(instrument.id) + QLatin1Char(',')
                                + CsvLog::row(record, event.time, log.harmonics));
                    } catch (const CliError &error) {
                        csvFailure = error;
                        stop = true;
                    }
                }
                if (instrument.mqtt)
                    instrument.mqtt->publish(MeasurementJson(record, event.time, true));
                break;
            }
            case Event::Kind::PortLost:
                board.tell(QStringLiteral("%1: the port went away; it is opened again when it comes back")
                               .arg(name));
                break;
            case Event::Kind::PortBack:
                board.tell(QStringLiteral("%1: the port is back").arg(name));
                break;
            case Event::Kind::Finished:
                ++finished;
                break;
            default:
                break;
            }
        }
        for (auto &instrument : instruments) {
            if (instrument->mqtt && instrument->mqtt->connected() != instrument->brokerUp) {
                instrument->brokerUp = !instrument->brokerUp;
                board.tell(instrument->brokerUp
                        ? QStringLiteral("%1: MQTT broker connected again").arg(instrument->id)
                        : QStringLiteral("%1: MQTT broker connection lost; messages wait for it")
                              .arg(instrument->id));
            }
        }
        if (!csvFailure && elapsed.elapsed() - lastSyncMs >= saveStepMs) {
            saveAll(false);
            lastSyncMs = elapsed.elapsed();
            if (!log.statusLine)
                board.show(BenchStatusLines(tableRows()));
        }
        if (log.statusLine && elapsed.elapsed() - lastTableMs >= TableRefreshMs) {
            board.show(BenchStatusLines(tableRows()));
            lastTableMs = elapsed.elapsed();
        }
    }
    joinAll();

    const QStringList recordFailures = saveAll(true);
    QStringList mqttFailures;
    const int drainMs = static_cast<int>(log.mqttDrainSeconds * 1000.0 + 0.5);
    for (auto &instrument : instruments) {
        if (!instrument->mqtt)
            continue;
        MqttPublisher &mqtt = *instrument->mqtt;
        mqtt.drain(drainMs, [] { return LogStopSignals.load() > 1; });
        mqtt.finish(std::min(drainMs, 2000));
        if (const uint64_t lost = mqtt.backlog() + mqtt.dropped())
            mqttFailures << QStringLiteral("%1: MQTT broker %2:%3: %4 of %5 messages not delivered")
                                .arg(instrument->id, mqtt.target().host)
                                .arg(mqtt.target().port)
                                .arg(lost)
                                .arg(mqtt.published());
    }
    board.show(BenchStatusLines(tableRows()));

    QStringList silent;
    for (auto &instrument : instruments) {
        if (instrument->recordFull)
            board.tell(QStringLiteral("%1: the record is full (%2 samples)")
                           .arg(instrument->record->fileName())
                           .arg(MaxRecordSamples));
        if (instrument->samples == 0) {
            if (instrument->csv)
                instrument->csv->discardIfEmpty();
            if (instrument->record)
                instrument->record->discardIfEmpty();
            silent << QStringLiteral("%1: no measurement from the instrument at address %2")
                          .arg(DescribeTarget(instrument->target))
                          .arg(instrument->target.address);
        }
    }
    if (longCsv)
        longCsv->discardIfEmpty();
    std::vector<CliError> errors;
    if (csvFailure)
        errors.push_back(*csvFailure);
    // Every failure is told; the exit status is that of the first, files before the broker.
    for (const QString &failure : recordFailures)
        errors.emplace_back(ExitFile, failure);
    for (const QString &failure : mqttFailures)
        errors.emplace_back(ExitDevice, failure);
    for (const QString &text : silent)
        errors.emplace_back(ExitDevice, text);
    if (errors.empty())
        return ExitOk;
    for (size_t k = 1; k < errors.size(); ++k)
        board.tell(errors[k].text());
    throw errors.front();
}
