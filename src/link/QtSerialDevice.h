#pragma once

// The serial device of the running program, on Qt Serial Port.

#include "link/Platform.h"

#include <QSerialPort>
#include <QString>

class QtSerialDevice final : public SerialDevice
{
public:
    // Line settings in Qt's terms.
    struct PortSettings
    {
        qint32 baud = 9600;
        QSerialPort::DataBits dataBits = QSerialPort::Data8;
        QSerialPort::Parity parity = QSerialPort::NoParity;
        QSerialPort::StopBits stopBits = QSerialPort::OneStop;
        QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
        bool rtsHeldOn = false; // RTS raised for the whole session, outside any handshake

        bool operator==(const PortSettings &) const = default;
    };
    static PortSettings portSettings(const LineSettings &settings);

    QtSerialDevice();
    ~QtSerialDevice() override;

    // Resolves symbolic links first, so that every name of one device shares its lock, and
    // holds the device exclusively: another open of it fails, in this process or another,
    // also for root.
    bool open(const QString &path) override;
    void close() override;
    bool isOpen() const override;
    bool setupQueues(uint32_t inputSize, uint32_t outputSize) override;
    void purge(uint32_t flags) override;
    // Each setting is tried; a device that refuses one (a pseudo-terminal, an odd speed)
    // keeps the others, and the result says whether all were taken.
    bool applySettings(const LineSettings &settings) override;
    // Counts both the bytes Qt has already pulled in and those still in the kernel.
    bool queueStatus(uint32_t &errorMask, uint32_t &queued) override;
    int64_t read(char *data, int64_t size) override;
    int64_t write(const char *data, int64_t size) override;
    bool modemStatus(uint32_t &bits) override;
    bool setDtr(bool on) override;
    bool setRts(bool on) override;

    // The path that was opened, symbolic links resolved; empty while closed.
    QString openedPath() const;
    // Bytes Qt has already read from the device and not yet handed on.
    qint64 heldByQt() const { return m_port.bytesAvailable(); }
    // True after the device went away under us (hang-up, unplugged); it is closed then.
    bool lost() const { return m_lost; }

private:
    void handleError(QSerialPort::SerialPortError error);
    void loseDevice();
    void releaseLock();

    QSerialPort m_port;
    QString m_path;
    int m_lockFd = -1; // holds the lock on the device while open
    // Above 0 while one of our own calls runs: an error it raises is that call's result,
    // not the loss of the device.
    int m_ownCalls = 0;
    bool m_lost = false;
};
