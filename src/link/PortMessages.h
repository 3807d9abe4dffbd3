#pragma once

// The connection's messages to the user about its port, in the language shown (the
// connection window's translation context).

#include "link/PortHolder.h"

#include <QString>

// The scan did not find the stored port: one sentence a line, joined by carriage returns.
// `translated` false gives the source texts.
QString PortNotFoundMessage(bool translated);
// The stored port is held by another program, named by `holder`.
QString PortInUseMessage(int portNumber, const DeviceHolder &holder);
// No instrument answered the check on the chosen port, speed and address; an empty speed
// says that none is chosen.
QString NoAnswerMessage(int portNumber, const QString &speed, int address);
