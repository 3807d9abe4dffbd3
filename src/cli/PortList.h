#pragma once

// The ports the connection window lists: every port number from COM1 to COM255 whose device
// can be opened now, with the instrument's own USB ports recognised by the device inventory.

#include <QList>
#include <QString>

struct PortListing
{
    int portNumber = 0;
    QString devicePath;
    bool instrumentPort = false; // the instrument's own USB port
    bool selected = false; // the port SysSet.ini names
};

// Throws CliError (device) when the device inventory fails.
QList<PortListing> ListPorts();

// One line per port: "COM7   /dev/pts/3   KMR5150 USB port   (selected)".
QString PortListText(const QList<PortListing> &ports);
