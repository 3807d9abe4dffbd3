#pragma once

// Why a serial port cannot be opened: which running program holds it, or that the path does
// not name a serial port at all (/dev/null, a FIFO, a folder, a plain file).

#include <QList>
#include <QString>

struct DeviceHolder
{
    qint64 pid = 0;
    QString program; // from /proc/PID/comm; empty when it cannot be read
    bool locked = false; // a descriptor of it carries a lock (flock) on the device
};

// The processes other than this one that have the device at `path` open, under any of its
// names: every /proc/*/fd entry is compared with the device's file (device and inode) and
// with its device number. Processes whose descriptors cannot be read (another user's,
// without root) are not found. Empty off Linux.
QList<DeviceHolder> DeviceHolders(const QString &path);

// The one program to name for a port that cannot be opened: the holder of its lock (flock,
// or a lock file of a running process), else the process whose descriptor carries the lock,
// else the first process that has it open.
// pid 0 when nobody can be named.
DeviceHolder PortHolder(const QString &path);

// "minicom (pid 1234)"; "another program (pid 1234)" when its name cannot be read.
QString HolderText(const DeviceHolder &holder);

enum class PortPathKind {
    Missing, // nothing at the path
    SerialPort, // a terminal device: a serial port or a pseudo-terminal
    NotSerialPort, // a plain file, folder, FIFO, socket or another device
};

struct PortPathCheck
{
    PortPathKind kind = PortPathKind::Missing;
    QString what; // for NotSerialPort: "a plain file", "a folder", "a FIFO", ...
};

// Looks at what `path` names (symbolic links followed) without disturbing a port: a
// character device counts as a serial port when the kernel files it under the tty
// subsystem, or when it opens as a terminal (or refuses to open because it is held
// exclusively).
PortPathCheck CheckPortPath(const QString &path);
