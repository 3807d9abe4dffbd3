#include "link/ProductionPlatform.h"

void UseProductionPlatform()
{
    platform::setProduction(defaultSerialBackend(), defaultPortMap(), defaultDeviceInventory());
}
