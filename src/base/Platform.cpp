#include "base/Platform.h"

#include "base/Locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include <cstdio>

QString ProgramDir::filePath(const QString &name) const
{
    return QDir(path()).filePath(name);
}

QString ProgramDir::settingsFilePath(const QString &name) const
{
    return QDir(settingsPath()).filePath(name);
}

namespace {
class ApplicationDir final : public ProgramDir
{
public:
    QString path() const override { return here().dataDir(); }
    QString settingsPath() const override { return here().settingsDir(); }

private:
    static Locations here() { return Locations::fromEnvironment(QCoreApplication::applicationDirPath()); }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    void sleepMs(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }
};

// Used until the windows install the real message boxes (and by command-line tools).
class ConsoleDialogs final : public Dialogs
{
public:
    void message(const QString &text, Icon, const QString &title) override
    {
        std::fprintf(stderr, "%s%s%s\n", qPrintable(title), title.isEmpty() ? "" : ": ", qPrintable(text));
    }
    void notice(const QString &text, Icon icon, const QString &title) override { message(text, icon, title); }
    bool askYesNo(const QString &, const QString &) override { return false; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    bool openUrl(const QString &) override { return false; }
};

// What the core has before the program sets the production implementations.
class NoDevice final : public SerialDevice
{
public:
    bool open(const QString &) override { return false; }
    void close() override { }
    bool isOpen() const override { return false; }
    bool setupQueues(uint32_t, uint32_t) override { return false; }
    void purge(uint32_t) override { }
    bool applySettings(const LineSettings &) override { return false; }
    bool queueStatus(uint32_t &, uint32_t &) override { return false; }
    int64_t read(char *, int64_t) override { return -1; }
    int64_t write(const char *, int64_t) override { return -1; }
    bool modemStatus(uint32_t &) override { return false; }
    bool setDtr(bool) override { return false; }
    bool setRts(bool) override { return false; }
};

class NoSerial final : public SerialBackend
{
public:
    std::unique_ptr<SerialDevice> createDevice() override { return std::make_unique<NoDevice>(); }
};

class NoPorts final : public PortMap
{
public:
    QString devicePath(int) const override { return {}; }
};

class NoInventory final : public DeviceInventory
{
public:
    QList<InventoryEntry> serialDevices() override { return {}; }
};

NoSerial g_noSerial;
NoPorts g_noPorts;
NoInventory g_noInventory;
SerialBackend *g_productionSerial = &g_noSerial;
PortMap *g_productionPortMap = &g_noPorts;
DeviceInventory *g_productionInventory = &g_noInventory;

ApplicationDir g_applicationDir;
SystemClock g_systemClock;
ConsoleDialogs g_consoleDialogs;

SerialBackend *g_serial = nullptr;
PortMap *g_portMap = nullptr;
DeviceInventory *g_inventory = nullptr;
ProgramDir *g_programDir = nullptr;
Clock *g_clock = nullptr;
Dialogs *g_dialogs = nullptr;
} // namespace

namespace platform {
SerialBackend &serial()
{
    return g_serial ? *g_serial : *g_productionSerial;
}
PortMap &portMap()
{
    return g_portMap ? *g_portMap : *g_productionPortMap;
}
DeviceInventory &inventory()
{
    return g_inventory ? *g_inventory : *g_productionInventory;
}
ProgramDir &programDir()
{
    return g_programDir ? *g_programDir : g_applicationDir;
}
Clock &clock()
{
    return g_clock ? *g_clock : g_systemClock;
}
Dialogs &dialogs()
{
    return g_dialogs ? *g_dialogs : g_consoleDialogs;
}

void install(SerialBackend *backend)
{
    g_serial = backend;
}
void install(PortMap *map)
{
    g_portMap = map;
}
void install(DeviceInventory *inventory)
{
    g_inventory = inventory;
}
void install(ProgramDir *dir)
{
    g_programDir = dir;
}
void install(Clock *clock)
{
    g_clock = clock;
}
void install(Dialogs *dialogs)
{
    g_dialogs = dialogs;
}

void setProduction(SerialBackend &backend, PortMap &map, DeviceInventory &inventory)
{
    g_productionSerial = &backend;
    g_productionPortMap = &map;
    g_productionInventory = &inventory;
}
} // namespace platform
