#pragma once

// Where the instrument is: port, line speed, address and whether the port is the
// instrument's own USB port. Options given on the command line win; whatever is not given
// comes from SysSet.ini as the program reads it.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The eight speeds of the connection settings, in the order SysSet.ini stores their index.
inline constexpr std::array<uint32_t, 8> ListedSpeeds
    = { 4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200 };

struct LinkOptions
{
    std::optional<QString> port; // "COMn" or a device path
    std::optional<uint32_t> baud; // bits per second
    std::optional<int> address; // 1 to 255
    bool usb = false; // the instrument's own USB port: no paced wait
    bool wirePace = false; // replies are waited for as long as they take on the wire
};

struct LinkTarget
{
    QString portName; // "COM7", or the path as given
    int portNumber = 0; // 0 when the path is no numbered port
    QString devicePath; // what is opened; empty when the port number has no device
    int baudIndex = -1; // index in ListedSpeeds; -1 when SysSet.ini names none
    uint32_t baud = 9600;
    uint8_t address = 0;
    bool usb = false;
    bool wirePace = false; // replies waited for as long as they take on the wire, not paced
};

// Index of `speed` in ListedSpeeds, or -1.
int ListedSpeedIndex(uint32_t speed);

// "COM7" (any case) gives 7; other texts, and numbers outside 1 to 255, give nullopt.
std::optional<int> PortNumberFromName(const QString &text);

// Fills in what the options leave open from SysSet.ini ([CommPort] Port, [CommBaudrate]
// Baudrate, [CommAddress] Address, and [PortMap] through the port map) and recognises the
// instrument's USB port by the device inventory unless `usb` is already set. Throws
// CliError: usage for a bad option or stored value, device when the inventory fails.
LinkTarget ResolveLinkTarget(const LinkOptions &options);

// The target in words for messages: "COM7 (/dev/pts/3)".
QString DescribeTarget(const LinkTarget &target);
