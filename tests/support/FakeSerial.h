#pragma once

// Fake serial devices and a fake port map. A test names device paths, feeds received bytes,
// reads back what was written, sets modem lines and makes single calls fail, without any
// hardware or pseudo-terminal.
//
//     FakeSerialBackend serial;                 // installed until it goes out of scope
//     FakePortMap ports({{2, "/dev/fake2"}});   // port number 2 opens "/dev/fake2"
//     FakePort &port = serial.port("/dev/fake2");
//     comm.setPortOpen(true);
//     port.feed(QByteArray::fromHex("010300"));
//     EXPECT_EQ(port.written, QByteArray::fromHex("01030094000285e7"));

#include "base/Platform.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class FakeSerialDevice;

// One device path and everything a test may want to set or see on it. A device opened on
// the path works on this state; it outlives the device, so a test can look after a close.
struct FakePort
{
    // The path exists (plugged in). Opening an absent path fails.
    bool present = true;
    // Held by someone else: opening fails although the path exists.
    bool busy = false;

    // Failures of single calls, checked at each call.
    bool failSetupQueues = false;
    bool failQueueStatus = false; // the query fails, as when the device is gone
    bool failRead = false;
    bool failWrite = false;
    int64_t writeLimit = -1; // a write takes at most this many bytes; -1 takes all
    bool failModemStatus = false;
    bool failSettings = false;
    bool failDtrRts = false;

    // Received bytes waiting in the driver's queue.
    QByteArray received;
    // Every byte written, in order.
    QByteArray written;
    uint32_t modemBits = 0; // SerialDevice::ModemBits of the far end
    uint32_t errorMask = 0; // reported by every queue query

    int opens = 0; // successful opens
    std::vector<LineSettings> settings; // every applySettings, in order
    std::vector<uint32_t> purges; // every purge's flags, in order
    std::vector<uint32_t> queueSizes; // input and output size of every setupQueues
    std::vector<int64_t> readSizes; // the size every read asked for
    bool dtr = false;
    bool rts = false;

    // The device that has the path open now, or nullptr.
    FakeSerialDevice *device = nullptr;

    void feed(const QByteArray &bytes) { received += bytes; }
    const LineSettings *lastSettings() const { return settings.empty() ? nullptr : &settings.back(); }
};

class FakeSerialDevice final : public SerialDevice
{
public:
    explicit FakeSerialDevice(class FakeSerialBackend &backend)
        : m_backend(backend)
    {
    }
    ~FakeSerialDevice() override;

    bool open(const QString &path) override;
    void close() override;
    bool isOpen() const override { return m_port != nullptr; }
    bool setupQueues(uint32_t inputSize, uint32_t outputSize) override;
    void purge(uint32_t flags) override;
    bool applySettings(const LineSettings &settings) override;
    bool queueStatus(uint32_t &errorMask, uint32_t &queued) override;
    int64_t read(char *data, int64_t size) override;
    int64_t write(const char *data, int64_t size) override;
    bool modemStatus(uint32_t &bits) override;
    bool setDtr(bool on) override;
    bool setRts(bool on) override;

    // True after the path was unplugged under the open device: every call fails.
    bool lost() const { return m_lost; }
    const QString &path() const { return m_path; }

private:
    friend class FakeSerialBackend;
    void loseDevice();

    FakeSerialBackend &m_backend;
    FakePort *m_port = nullptr;
    QString m_path;
    bool m_lost = false;
};

class FakeSerialBackend final : public SerialBackend
{
public:
    FakeSerialBackend();
    ~FakeSerialBackend() override;

    std::unique_ptr<SerialDevice> createDevice() override;

    // The state of `path`; an unknown path is created present and idle.
    FakePort &port(const QString &path);
    // The device that has `path` open now, or nullptr.
    FakeSerialDevice *device(const QString &path) const;
    bool isOpen(const QString &path) const { return device(path) != nullptr; }

    // The path vanishes; a device open on it is lost (its calls fail as after a hang-up).
    void unplug(const QString &path);
    // The path comes back; a new open may take it.
    void plugIn(const QString &path);

    // Every path an open was tried on, successful or not, in order.
    QStringList openAttempts;

private:
    friend class FakeSerialDevice;
    FakePort *findPort(const QString &path);

    std::map<QString, std::unique_ptr<FakePort>> m_ports;
};

// Maps port numbers to paths; numbers without an entry have no device.
class FakePortMap final : public PortMap
{
public:
    explicit FakePortMap(const QMap<int, QString> &paths = {})
        : paths(paths)
    {
        platform::install(this);
    }
    ~FakePortMap() override { platform::install(static_cast<PortMap *>(nullptr)); }

    QString devicePath(int portNumber) const override { return paths.value(portNumber); }

    QMap<int, QString> paths;
};
