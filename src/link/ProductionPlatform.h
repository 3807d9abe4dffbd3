#pragma once

// The production serial device, port map and device inventory: they need Qt Serial Port and
// the machine's serial inventory, so they live with the link, above the seams they fill.

#include "base/Platform.h"

// The production implementations, each defined beside the code it wraps.
SerialBackend &defaultSerialBackend(); // Qt Serial Port
PortMap &defaultPortMap(); // SysSet.ini [PortMap], then the built-in table
DeviceInventory &defaultDeviceInventory(); // Qt's port information and sysfs

// Sets all three above as the production implementations.
void UseProductionPlatform();
