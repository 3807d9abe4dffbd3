#pragma once

// Who holds a serial device's lock: a flock on the device itself, read from the kernel's
// lock table, or a lock file of the system lock folders (LCK..name) that names a running
// process. The serial device takes the lock; the port holder names who has it.

#include <QString>
#include <QtGlobal>

// The running process, other than this one, that a lock file names for the device at
// `canonicalPath`; 0 when none does. A lock file of a process that is gone holds nothing.
qint64 LockFileHolder(const QString &canonicalPath);

// The running process that holds the lock of the device at `path` (any of its names): a
// flock on it, or a lock file naming a running process; 0 when none does or the platform
// cannot tell.
qint64 PortLockHolder(const QString &path);
