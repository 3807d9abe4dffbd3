#pragma once

// The serial device of the running program. On Unix it drives the terminal device itself
// (termios); elsewhere it goes through Qt Serial Port.

#include "base/Platform.h"

#include <QSerialPort>
#include <QString>

#include <memory>

class QSocketNotifier;

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
    // also for root. On Unix the lock is a flock on the device itself, which the kernel
    // lets go when the process ends however it ends: no lock file is left behind. A lock
    // file of the system lock directory (LCK..name) counts as a holder only while the
    // process it names is running.
    bool open(const QString &path) override;
    void close() override;
    bool isOpen() const override;
    bool setupQueues(uint32_t inputSize, uint32_t outputSize) override;
    void purge(uint32_t flags) override;
    // Each setting is tried; a device that refuses one (a pseudo-terminal, an odd speed)
    // keeps the others, and the result says whether all were taken.
    bool applySettings(const LineSettings &settings) override;
    bool queueStatus(uint32_t &errorMask, uint32_t &queued) override;
    int64_t read(char *data, int64_t size) override;
    int64_t write(const char *data, int64_t size) override;
    bool modemStatus(uint32_t &bits) override;
    bool setDtr(bool on) override;
    bool setRts(bool on) override;

    // The path that was opened, symbolic links resolved; empty while closed.
    QString openedPath() const;
    // True after the device went away under us (hang-up, unplugged); it is closed then.
    bool lost() const { return m_lost; }

    // Who holds the device at `path` (any of its names), as "KMR5150 (process 1234)";
    // "another program" when it is held but the holder cannot be named; empty when no
    // running program holds it.
    static QString holder(const QString &path);

private:
    void loseDevice();

    QString m_path;
    bool m_lost = false;
#ifdef Q_OS_UNIX
    void watchHangUp(bool on);

    int m_fd = -1;
    // Notices a far end that hangs up while nobody reads; off while received bytes wait.
    std::unique_ptr<QSocketNotifier> m_hangUpWatch;
    bool m_inHangUpWatch = false;
    QByteArray m_savedSettings; // the terminal's settings before the open, put back at close
#else
    void handleError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    // Above 0 while one of our own calls runs: an error it raises is that call's result,
    // not the loss of the device.
    int m_ownCalls = 0;
#endif
};
