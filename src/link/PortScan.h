#pragma once

// The plain logic of the port scan: which ports the inventory reports as the instrument's
// own USB ports, and which port numbers can be opened.

#include "base/Platform.h"

#include <QList>
#include <QString>

#include <optional>

// The port number at the end of an inventory name "… (COMn)": for a name of 23 characters
// the one character before the last, of 24 the two, of 25 the three. Nullopt for other
// lengths, for characters other than digits, and for numbers outside 1 to 255.
std::optional<int> PortNumberFromDeviceName(const QString &name);

// The most instrument ports a scan takes from the inventory.
constexpr int MaxInstrumentPorts = 11;

// Port numbers of the devices whose identifier contains `mark` (case-sensitive), in the
// inventory's order, at most MaxInstrumentPorts of them. A matching device whose number
// cannot be read from its name is passed over.
QList<int> InstrumentPortsFromInventory(const QList<InventoryEntry> &devices, const QString &mark);

// Whether port n can be opened now: its device path (platform::portMap()) is opened
// exclusively and closed again. A number without a device path is false at once.
bool ProbePort(int portNumber);

// The numbers from `first` to `last`, in increasing order, whose ports can be opened.
QList<int> ProbePorts(int first = 1, int last = 255);
