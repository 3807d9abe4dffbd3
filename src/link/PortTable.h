#pragma once

// Port numbers and device paths. `defaultPortMap()` (declared in ProductionPlatform.h) is the
// production map: on Windows port n is "\\.\COMn"; elsewhere SysSet.ini [PortMap] COMn
// names the device path when present, else COM1-COM32 are /dev/ttyS0-31, COM33-COM64
// /dev/ttyUSB0-31, COM65-COM96 /dev/ttyACM0-31, and other numbers have no device.

#include <QString>

constexpr int LowestPortNumber = 1;
constexpr int HighestPortNumber = 255;

// The device path the built-in table gives port n; empty when it gives none.
QString BuiltInPortPath(int portNumber);

// A device path in a form that two names of one device share (symbolic links resolved);
// a path that does not exist compares in its cleaned absolute form.
QString CanonicalDevicePath(const QString &path);

// The lowest port number whose device path (through platform::portMap()) names the same
// device as `devicePath`, symbolic links resolved; 0 when none does.
int PortNumberForPath(const QString &devicePath);
