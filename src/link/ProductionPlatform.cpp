#include "link/Platform.h"

void UseProductionPlatform()
{
    platform::setProduction(defaultSerialBackend(), defaultPortMap(), defaultDeviceInventory());
}
