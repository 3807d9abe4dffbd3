// Soak run: the program's acquisition (main window, connection window, reply handling, the
// production serial device) sampling continuously from the simulated instrument with every
// fault kind on, at 115.2 kbit/s or over the USB link, with a vanish and return in the
// middle. Every byte the program reads is logged, so that each intact reply the instrument
// sent and the program did not store can be explained.
//
//     soak [--seconds N] [--usb] [--vanish SECONDS]
//
// Prints: intact replies sent, measurements stored, measurements stored that the
// instrument did not send (must be 0), the longest stall without a request, resends, the
// memory of the process at the start and the end, and why each intact reply was not stored.

#include "app/forms/Wiring.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Starting.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/ProductionPlatform.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "link/sim/SimServer.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int SimPort = 7;
QElapsedTimer clockSinceStart;

double now()
{
    return clockSinceStart.nsecsElapsed() / 1e9;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// What the program did with the line, in order.
struct LineEvent
{
    enum Kind { Open, Close, Purge, Read, Write } kind;
    double time;
    QByteArray bytes; // read or written
    uint32_t dropped = 0; // bytes waiting in the kernel when a purge or close threw them away
};

std::deque<LineEvent> lineLog;
std::vector<double> requestTimes; // every measurement request the program wrote

bool isMeasurementRequest(const char *data, int64_t size)
{
    static const auto frame = BuildReadFrame(1, 148, 2);
    return size == int64_t(frame.size()) && std::memcmp(data, frame.data(), frame.size()) == 0;
}

class LoggingDevice final : public SerialDevice
{
public:
    explicit LoggingDevice(std::unique_ptr<SerialDevice> device)
        : m_device(std::move(device))
    {
    }

    bool open(const QString &path) override
    {
        const bool ok = m_device->open(path);
        if (ok)
            lineLog.push_back({ LineEvent::Open, now(), {} });
        return ok;
    }
    void close() override
    {
        if (m_device->isOpen())
            lineLog.push_back({ LineEvent::Close, now(), {}, waiting() });
        m_device->close();
    }
    bool isOpen() const override { return m_device->isOpen(); }
    bool setupQueues(uint32_t in, uint32_t out) override { return m_device->setupQueues(in, out); }
    void purge(uint32_t flags) override
    {
        lineLog.push_back({ LineEvent::Purge, now(), {}, waiting() });
        m_device->purge(flags);
    }
    bool applySettings(const LineSettings &settings) override { return m_device->applySettings(settings); }
    bool queueStatus(uint32_t &mask, uint32_t &queued) override
    {
        return m_device->queueStatus(mask, queued);
    }
    int64_t read(char *data, int64_t size) override
    {
        const int64_t n = m_device->read(data, size);
        if (n > 0)
            lineLog.push_back({ LineEvent::Read, now(), QByteArray(data, qsizetype(n)) });
        return n;
    }
    int64_t write(const char *data, int64_t size) override
    {
        const int64_t n = m_device->write(data, size);
        if (n > 0)
            lineLog.push_back({ LineEvent::Write, now(), QByteArray(data, qsizetype(n)) });
        if (n > 0 && isMeasurementRequest(data, size))
            requestTimes.push_back(now());
        return n;
    }
    bool modemStatus(uint32_t &bits) override { return m_device->modemStatus(bits); }
    bool setDtr(bool on) override { return m_device->setDtr(on); }
    bool setRts(bool on) override { return m_device->setRts(on); }

private:
    uint32_t waiting()
    {
        uint32_t mask = 0;
        uint32_t queued = 0;
        return m_device->isOpen() && m_device->queueStatus(mask, queued) ? queued : 0;
    }

    std::unique_ptr<SerialDevice> m_device;
};

class LoggingBackend final : public SerialBackend
{
public:
    std::unique_ptr<SerialDevice> createDevice() override
    {
        return std::make_unique<LoggingDevice>(defaultSerialBackend().createDevice());
    }
};

class LinkPortMap final : public PortMap
{
public:
    QString path;
    QString devicePath(int portNumber) const override { return portNumber == SimPort ? path : QString(); }
};

class TempDir final : public ProgramDir
{
public:
    QString path() const override { return dir.path(); }
    QTemporaryDir dir;
};

class CountingDialogs final : public Dialogs
{
public:
    std::map<std::string, int> messages;
    void message(const QString &text, Icon, const QString &) override { ++messages[text.toStdString()]; }
    void notice(const QString &text, Icon, const QString &) override { ++messages[text.toStdString()]; }
    bool askYesNo(const QString &, const QString &) override { return false; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    bool openUrl(const QString &) override { return false; }
};

struct Options
{
    double seconds = 180;
    bool usb = false;
    double vanishSeconds = 3;
};

Options parse(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--usb")
            options.usb = true;
        else if (arg == "--seconds" && i + 1 < argc)
            options.seconds = std::atof(argv[++i]);
        else if (arg == "--vanish" && i + 1 < argc)
            options.vanishSeconds = std::atof(argv[++i]);
        else {
            std::fprintf(stderr, "usage: soak [--seconds N] [--usb] [--vanish SECONDS]\n");
            std::exit(2);
        }
    }
    return options;
}

QByteArray dataOf(const sim::SentReply &reply)
{
    return QByteArray(reinterpret_cast<const char *>(reply.frame.data()), MeasurementReplyDataBytes);
}

bool intact(const sim::SentReply &reply)
{
    // A reply sent in two bursts is whole on the line; every other fault damages it.
    return (reply.faults & ~unsigned(sim::FaultSplit)) == sim::NoFault;
}

// Why an intact reply that was not stored did not make it, from the program's side of the
// line: where its bytes went. `offset` turns the server's times into the program's.
std::string explain(const sim::SentReply &reply, double offset, double vanishFrom, double vanishTo)
{
    const QByteArray frame(reinterpret_cast<const char *>(reply.frame.data()), qsizetype(reply.frame.size()));
    const QByteArray head = frame.left(24);
    const double started = reply.started + offset;
    const double finished = reply.finished + offset;
    for (const LineEvent &event : lineLog) {
        if (event.kind != LineEvent::Read)
            continue;
        const qsizetype at = event.bytes.indexOf(head);
        if (at < 0)
            continue;
        if (event.bytes.size() == frame.size())
            return "fetched whole and alone, yet not stored";
        if (event.bytes.indexOf(frame) >= 0)
            return at > 0 ? "fetched behind other bytes (the rest of an earlier reply) in one fetch: dropped"
                          : "fetched with the start of a later reply behind it in one fetch: dropped";
        if (reply.faults & sim::FaultSplit)
            return "sent in two bursts with a pause: the first burst fetched alone, dropped as short";
        return "still arriving when fetched: the first part dropped as short";
    }
    if (reply.finished >= vanishFrom - 0.5 && reply.started <= vanishTo + 0.5)
        return "in transit when the instrument vanished";
    for (size_t i = 0; i < lineLog.size(); ++i) {
        const LineEvent &event = lineLog[i];
        if (event.kind != LineEvent::Close || event.time > finished)
            continue;
        double reopened = 1e18;
        for (size_t k = i + 1; k < lineLog.size(); ++k)
            if (lineLog[k].kind == LineEvent::Open) {
                reopened = lineLog[k].time;
                break;
            }
        if (reopened >= started)
            return "sent while the port was closed (the link check's close, probe and reopen)";
    }
    for (const LineEvent &event : lineLog) {
        if ((event.kind == LineEvent::Purge || event.kind == LineEvent::Close) && event.dropped > 0
            && event.time >= started - 0.2 && event.time <= finished + 3)
            return event.kind == LineEvent::Purge ? "thrown away by the purge of a reopen"
                                                  : "thrown away when the port was closed";
    }
    return "never read";
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options = parse(argc, argv);
    clockSinceStart.start();

    LoggingBackend backend;
    LinkPortMap ports;
    TempDir programDir;
    CountingDialogs dialogs;
    platform::install(&backend);
    platform::install(&ports);
    platform::install(&programDir);
    platform::install(&dialogs);

    sim::ServerOptions serverOptions;
    serverOptions.linkPath = programDir.dir.filePath(QStringLiteral("kmr5150")).toStdString();
    serverOptions.pacing = !options.usb;
    serverOptions.faults.corruptEvery = 7;
    serverOptions.faults.dropEvery = 11;
    serverOptions.faults.truncateEvery = 13;
    serverOptions.faults.splitEvery = 5;
    serverOptions.faults.garbageEvery = 17;
    const double serverEpoch = now();
    sim::SimServer server(serverOptions);
    std::string error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "soak: cannot start the simulated instrument: %s\n", error.c_str());
        return 1;
    }
    ports.path = QString::fromStdString(server.linkPath());

    ResetGlobals();
    InitMeasurement();
    auto *form = new TMainForm;
    MainForm = form;
    CommForm = new TCommForm(form);
    ConnectCommAndMain(CommForm, form);
    StartingForm = new TStartingForm(form);
    AlarmForm = new TAlarmForm(form);
    ConnectWindows();
    InstrumentAddress = 1;
    CommForm->SelectedPort = SimPort;
    CommForm->ComboBox1->setCurrentIndex(7);
    form->Comm1->setBaudRate(br115200);
    form->Comm1->setCommPort(pnCOM(SimPort));
    form->Comm1->setPortOpen(true);
    // Over the instrument's own USB port the connection window checks and reopens the
    // link every 1.6 s by itself.
    UsbLink = options.usb ? 1 : 2;
    form->SeSkinSpeedButton8->setEnabled(true);

    // Kept as hashes: a long run must not grow by its own bookkeeping.
    std::set<size_t> storedData;
    std::set<size_t> sentData;
    int stored = 0;
    int storedNotSent = 0;
    std::map<int, sim::SentReply> measurements; // sent, not yet judged, by serial
    std::set<int> seen; // serials already taken in
    std::vector<size_t> pendingStored; // stored, not yet matched against what was sent
    QObject::connect(form, &TMainForm::MeasurementStored, form, [&] {
        ++stored;
        pendingStored.push_back(
            qHash(QByteArray(reinterpret_cast<const char *>(&Measurement), MeasurementReplyDataBytes)));
    });

    const long memoryStart = residentKb();
    const double vanishAt = options.seconds / 2;
    double vanishFrom = 1e9;
    double vanishTo = 1e9;
    bool vanished = false;
    bool returned = false;
    std::map<std::string, int> reasons;
    int sentCount = 0;
    int intactSent = 0;
    int intactNotStored = 0;
    int damaged = 0;

    // Takes in what the instrument sent and what the program stored, and judges every reply
    // that finished before `dueBefore` (server time): by then the program has had it.
    const auto collect = [&](double dueBefore) {
        for (const sim::SentReply &reply : server.sentReplies())
            if (reply.kind == sim::Reply::Kind::Measurement && seen.insert(reply.serial).second) {
                measurements.emplace(reply.serial, reply);
                sentData.insert(qHash(dataOf(reply)));
                ++sentCount;
            }
        for (const size_t data : pendingStored) {
            if (!sentData.count(data))
                ++storedNotSent;
            storedData.insert(data);
        }
        pendingStored.clear();
        for (auto it = measurements.begin(); it != measurements.end();) {
            const sim::SentReply &reply = it->second;
            if (reply.finished > dueBefore) {
                ++it;
                continue;
            }
            if (!intact(reply))
                ++damaged;
            else {
                ++intactSent;
                if (!storedData.count(qHash(dataOf(reply)))) {
                    ++intactNotStored;
                    ++reasons[explain(reply, serverEpoch, vanishFrom, vanishTo)];
                }
            }
            it = measurements.erase(it);
        }
        while (!lineLog.empty() && lineLog.front().time < now() - 60)
            lineLog.pop_front();
    };

    std::vector<std::pair<double, long>> memory; // every five minutes
    QTimer tick;
    tick.setInterval(1000);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double t = now();
        if (t >= 300.0 * double(memory.size() + 1))
            memory.emplace_back(t, residentKb());
        collect(t - serverEpoch - 10);
        if (!vanished && t >= vanishAt) {
            server.vanish();
            vanished = true;
            vanishFrom = t - serverEpoch;
        } else if (vanished && !returned && t >= vanishAt + options.vanishSeconds) {
            server.comeBack(&error);
            returned = true;
            vanishTo = t - serverEpoch;
        }
        if (t >= options.seconds)
            app.quit();
    });
    tick.start();
    form->SeSkinSpeedButton8->click();
    app.exec();
    form->SeSkinSpeedButton9->click();
    // Replies of the last seconds may still have been on their way: they are not judged.
    collect(now() - serverEpoch - 3);
    const long memoryEnd = residentKb();

    double longestStall = 0;
    double longestStallOutsideVanish = 0;
    for (size_t i = 1; i < requestTimes.size(); ++i) {
        const double gap = requestTimes[i] - requestTimes[i - 1];
        longestStall = std::max(longestStall, gap);
        const bool acrossVanish = requestTimes[i - 1] <= vanishTo + serverEpoch + 3
            && requestTimes[i] >= vanishFrom + serverEpoch;
        if (!acrossVanish)
            longestStallOutsideVanish = std::max(longestStallOutsideVanish, gap);
    }
    const int requests = int(requestTimes.size());

    std::printf("soak: %.0f s, %s, every fault kind on, vanished at %.1f s for %.1f s\n", options.seconds,
        options.usb ? "USB link (no pacing)" : "115.2 kbit/s", vanishFrom, vanishTo - vanishFrom);
    std::printf(
        "measurement replies sent:                  %d (%d judged damaged on purpose)\n", sentCount, damaged);
    std::printf("intact replies sent:                       %d\n", intactSent);
    std::printf("measurements stored:                       %d\n", stored);
    std::printf("stored that the instrument did not send:   %d\n", storedNotSent);
    std::printf("intact replies not stored:                 %d\n", intactNotStored);
    for (const auto &[reason, count] : reasons)
        std::printf("    %5d  %s\n", count, reason.c_str());
    std::printf("measurement requests sent:                 %d (resends: %d)\n", requests, requests - stored);
    std::printf("longest stall without a request:           %.2f s (%.2f s outside the vanish)\n",
        longestStall, longestStallOutsideVanish);
    std::printf("memory (resident):                         %ld kB at the start, %ld kB at the end\n",
        memoryStart, memoryEnd);
    for (const auto &[time, kb] : memory)
        std::printf("    %6.0f s: %ld kB\n", time, kb);
    std::printf("    (the simulated instrument runs in this process and keeps its last %zu replies)\n",
        sim::SimServer::MaxHistory);
    for (const auto &[text, count] : dialogs.messages)
        std::printf("message box %d times: %s\n", count, text.c_str());
    std::printf("status at the end: %s\n", qPrintable(form->statusText(TMainForm::PanelCommunication)));

    server.stop();
    delete form;
    return storedNotSent == 0 ? 0 : 1;
}
