#include "link/Platform.h"

#include "link/Locations.h"

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
    bool askYesNo(const QString &, const QString &) override { return false; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    void openUrl(const QString &) override {}
};

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
SerialBackend &serial() { return g_serial ? *g_serial : defaultSerialBackend(); }
PortMap &portMap() { return g_portMap ? *g_portMap : defaultPortMap(); }
DeviceInventory &inventory() { return g_inventory ? *g_inventory : defaultDeviceInventory(); }
ProgramDir &programDir() { return g_programDir ? *g_programDir : g_applicationDir; }
Clock &clock() { return g_clock ? *g_clock : g_systemClock; }
Dialogs &dialogs() { return g_dialogs ? *g_dialogs : g_consoleDialogs; }

void install(SerialBackend *backend) { g_serial = backend; }
void install(PortMap *map) { g_portMap = map; }
void install(DeviceInventory *inventory) { g_inventory = inventory; }
void install(ProgramDir *dir) { g_programDir = dir; }
void install(Clock *clock) { g_clock = clock; }
void install(Dialogs *dialogs) { g_dialogs = dialogs; }
} // namespace platform
