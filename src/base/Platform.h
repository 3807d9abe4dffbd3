#pragma once

// Seams between the program and the machine it runs on. Each has one production
// implementation, installed by default, and tests put fakes in their place.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

// Line settings in the form the serial component applies them.
struct LineSettings
{
    // Bits of the flag word.
    enum Flags : uint32_t {
        Binary = 0x0001, // transfer-mode bit, always set
        ParityCheck = 0x0002,
        CtsOutFlow = 0x0004,
        XonXoffOut = 0x0100,
        XonXoffIn = 0x0200,
        RtsEnable = 0x1000, // RTS held on
        RtsHandshake = 0x2000, // RTS driven by the handshake
    };

    uint32_t baud = 9600;
    int dataBits = 8; // 5 to 8
    int parity = 0; // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0; // 0 one, 1 one and a half, 2 two
    uint32_t flags
        = 1; // transfer-mode bit, parity check 0x2, RTS 0x1000/0x2000, CTS 0x4, XON/XOFF 0x100/0x200
};

// One opened (or openable) serial device. All calls are synchronous.
class SerialDevice
{
public:
    // Modem status bits, as the serial component expects them.
    enum ModemBits : uint32_t { Cts = 0x10, Dsr = 0x20, Ring = 0x40, Rlsd = 0x80 };
    // Purge flags: 8 clears the receive queue; 15 aborts and clears both directions.
    enum PurgeFlags : uint32_t {
        PurgeTxAbort = 1,
        PurgeRxAbort = 2,
        PurgeTxClear = 4,
        PurgeRxClear = 8,
        PurgeAll = 15
    };

    virtual ~SerialDevice() = default;

    // Opens `path` for reading and writing, exclusively. False when absent or in use.
    virtual bool open(const QString &path) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool setupQueues(uint32_t inputSize, uint32_t outputSize) = 0;
    virtual void purge(uint32_t flags) = 0;
    virtual bool applySettings(const LineSettings &settings) = 0;
    // Driver error mask and the number of received bytes waiting in the driver.
    // False when the query itself failed (the device is gone).
    virtual bool queueStatus(uint32_t &errorMask, uint32_t &queued) = 0;
    // Reads up to `size` queued bytes; -1 on failure.
    virtual int64_t read(char *data, int64_t size) = 0;
    // Writes the bytes; the count written, or -1 on failure.
    virtual int64_t write(const char *data, int64_t size) = 0;
    virtual bool modemStatus(uint32_t &bits) = 0;
    virtual bool setDtr(bool on) = 0;
    virtual bool setRts(bool on) = 0;
};

class SerialBackend
{
public:
    virtual ~SerialBackend() = default;
    virtual std::unique_ptr<SerialDevice> createDevice() = 0;
};

// Turns a port number (1 to 255) into the device path to open; empty when there is none.
class PortMap
{
public:
    virtual ~PortMap() = default;
    virtual QString devicePath(int portNumber) const = 0;
};

// One serial device as the operating system's inventory reports it.
struct InventoryEntry
{
    QString pnpDeviceId; // "USB\VID_xxxx&PID_xxxx\serial" for USB devices
    QString name; // "… (COMn)" as the inventory names it
    int portNumber = 0; // 0 when the device has no port number
    QString devicePath;
};

class DeviceInventory
{
public:
    virtual ~DeviceInventory() = default;
    // The serial devices of this computer; throws KmrError when the inventory fails.
    virtual QList<InventoryEntry> serialDevices() = 0;
};

// Where the program's data folders (path()) and its INI files (settingsPath()) live. The
// production answer comes from base/Locations.h.
class ProgramDir
{
public:
    virtual ~ProgramDir() = default;
    virtual QString path() const = 0;
    // The INI files' folder; the data folder unless an implementation keeps them apart.
    virtual QString settingsPath() const { return path(); }
    QString filePath(const QString &name) const;
    QString settingsFilePath(const QString &name) const;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Blocks the calling thread; the program uses it for the paced reply wait.
    virtual void sleepMs(int ms) = 0;
};

// Message boxes and file dialogs. The production implementation lives with the windows and
// is installed at program start; the core's default one only writes to standard error and
// answers "no"/"cancel".
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    virtual ~Dialogs() = default;
    virtual void message(const QString &text, Icon icon = Icon::None, const QString &title = {}) = 0;
    // A message that does not wait for the user: shown, and the caller goes on at once.
    virtual void notice(const QString &text, Icon icon = Icon::Warning, const QString &title = {}) = 0;
    virtual bool askYesNo(const QString &title, const QString &text) = 0;
    // Empty when the user cancels.
    virtual QString openFileName(const QString &filter, const QString &proposedName = {}) = 0;
    virtual QString saveFileName(const QString &filter, const QString &proposedName = {}) = 0;
    // Opens a document or web address with its associated application. False when nothing
    // could be started to open it (no viewer or browser), so the caller can tell the user.
    virtual bool openUrl(const QString &address) = 0;
};

namespace platform {
SerialBackend &serial();
PortMap &portMap();
DeviceInventory &inventory();
ProgramDir &programDir();
Clock &clock();
Dialogs &dialogs();

// Installing nullptr puts the production implementation back. The caller keeps ownership.
void install(SerialBackend *backend);
void install(PortMap *map);
void install(DeviceInventory *inventory);
void install(ProgramDir *dir);
void install(Clock *clock);
void install(Dialogs *dialogs);

// The production implementations of the serial device, the port map and the device
// inventory, set once at program start (and by the test programs, whose real-line tests
// use them). Until then there are no ports, no devices and an empty inventory.
void setProduction(SerialBackend &backend, PortMap &map, DeviceInventory &inventory);
} // namespace platform
