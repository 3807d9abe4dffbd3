#include "link/QtSerialDevice.h"

#include <QDeadlineTimer>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {
// A frame is a few bytes; the kernel takes it at once unless the line is stuck.
constexpr int WriteTimeoutMs = 2000;

struct OwnCall
{
    explicit OwnCall(int &depth) : m_depth(depth) { ++m_depth; }
    ~OwnCall() { --m_depth; }
    int &m_depth;
};

QSerialPort::Parity qtParity(int parity)
{
    switch (parity) {
    case 1: return QSerialPort::OddParity;
    case 2: return QSerialPort::EvenParity;
    case 3: return QSerialPort::MarkParity;
    case 4: return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits qtStopBits(int stopBits)
{
    switch (stopBits) {
    case 1: return QSerialPort::OneAndHalfStop;
    case 2: return QSerialPort::TwoStop;
    default: return QSerialPort::OneStop;
    }
}

class QtSerialBackend final : public SerialBackend
{
public:
    std::unique_ptr<SerialDevice> createDevice() override { return std::make_unique<QtSerialDevice>(); }
};
} // namespace

SerialBackend &defaultSerialBackend()
{
    static QtSerialBackend backend;
    return backend;
}

QtSerialDevice::QtSerialDevice()
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { handleError(error); });
}

QtSerialDevice::~QtSerialDevice()
{
    close();
}

bool QtSerialDevice::open(const QString &path)
{
    if (m_port.isOpen())
        return false;
    OwnCall call(m_ownCalls);
#ifdef Q_OS_WIN
    const QString location = path;
#else
    // The lock Qt takes is named after the path: two names of one device must meet in one.
    const QString location = QFileInfo(path).canonicalFilePath();
    if (location.isEmpty())
        return false;
#endif
#ifdef Q_OS_UNIX
    // Qt's lock file and TIOCEXCL do not stop root; a lock on the device itself does, for
    // every program that asks for it. It is taken before Qt opens the device, so a device
    // in use elsewhere is left exactly as its holder set it.
    m_lockFd = ::open(location.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_lockFd < 0)
        return false;
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        releaseLock();
        return false;
    }
#endif
    m_port.setPortName(location);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_port.clearError();
        releaseLock();
        return false;
    }
    m_port.setReadBufferSize(0);
    m_path = location;
    m_lost = false;
    return true;
}

void QtSerialDevice::releaseLock()
{
#ifdef Q_OS_UNIX
    if (m_lockFd >= 0)
        ::close(m_lockFd);
#endif
    m_lockFd = -1;
}

void QtSerialDevice::close()
{
    if (!m_port.isOpen())
        return;
    OwnCall call(m_ownCalls);
    m_port.close();
    m_port.clearError();
    releaseLock();
}

bool QtSerialDevice::isOpen() const
{
    return m_port.isOpen();
}

QString QtSerialDevice::openedPath() const
{
    return m_port.isOpen() ? m_path : QString();
}

void QtSerialDevice::handleError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || m_ownCalls > 0)
        return;
    // Qt keeps reporting a hung-up device while it stays open, without end: close at once.
    loseDevice();
}

void QtSerialDevice::loseDevice()
{
    m_lost = true;
    close();
}

bool QtSerialDevice::setupQueues(uint32_t, uint32_t)
{
    // Qt's own buffer grows as needed; the kernel's queues are fixed by the driver.
    return m_port.isOpen();
}

void QtSerialDevice::purge(uint32_t flags)
{
    if (!m_port.isOpen())
        return;
    OwnCall call(m_ownCalls);
    QSerialPort::Directions directions;
    if (flags & (PurgeRxAbort | PurgeRxClear))
        directions |= QSerialPort::Input;
    if (flags & (PurgeTxAbort | PurgeTxClear))
        directions |= QSerialPort::Output;
    if (directions)
        m_port.clear(directions);
    m_port.clearError();
}

QtSerialDevice::PortSettings QtSerialDevice::portSettings(const LineSettings &settings)
{
    PortSettings port;
    port.baud = static_cast<qint32>(settings.baud);
    port.dataBits = static_cast<QSerialPort::DataBits>(std::clamp(settings.dataBits, 5, 8));
    port.parity = qtParity(settings.parity);
    port.stopBits = qtStopBits(settings.stopBits);
    if (settings.flags & LineSettings::RtsHandshake)
        port.flowControl = QSerialPort::HardwareControl;
    else if (settings.flags & (LineSettings::XonXoffOut | LineSettings::XonXoffIn))
        port.flowControl = QSerialPort::SoftwareControl;
    port.rtsHeldOn = (settings.flags & LineSettings::RtsEnable) && port.flowControl != QSerialPort::HardwareControl;
    return port;
}

bool QtSerialDevice::applySettings(const LineSettings &settings)
{
    if (!m_port.isOpen())
        return false;
    OwnCall call(m_ownCalls);
    const PortSettings port = portSettings(settings);
    bool ok = m_port.setBaudRate(port.baud);
    ok = m_port.setDataBits(port.dataBits) && ok;
    ok = m_port.setParity(port.parity) && ok;
    ok = m_port.setStopBits(port.stopBits) && ok;
    ok = m_port.setFlowControl(port.flowControl) && ok;
    if (port.rtsHeldOn)
        ok = m_port.setRequestToSend(true) && ok;
    m_port.clearError();
    return ok;
}

bool QtSerialDevice::queueStatus(uint32_t &errorMask, uint32_t &queued)
{
    if (!m_port.isOpen())
        return false;
    errorMask = 0;
    qint64 count = m_port.bytesAvailable();
#ifdef Q_OS_UNIX
    const int fd = static_cast<int>(m_port.handle());
    int waiting = 0;
    if (::ioctl(fd, FIONREAD, &waiting) != 0) {
        loseDevice();
        return false;
    }
    count += waiting;
    // A hung-up line reads as empty for ever; once nothing is left to read it is gone.
    pollfd poller{fd, POLLIN, 0};
    if (count == 0 && ::poll(&poller, 1, 0) > 0 && (poller.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        loseDevice();
        return false;
    }
#endif
    queued = static_cast<uint32_t>(std::min<qint64>(count, UINT32_MAX));
    return true;
}

int64_t QtSerialDevice::read(char *data, int64_t size)
{
    if (!m_port.isOpen() || size < 0)
        return -1;
    // What Qt already pulled in is older than what the kernel still holds: take it first.
    int64_t taken = 0;
    const qint64 buffered = std::min<qint64>(m_port.bytesAvailable(), size);
    if (buffered > 0) {
        OwnCall call(m_ownCalls);
        taken = m_port.read(data, buffered);
        if (taken < 0)
            return -1;
    }
#ifdef Q_OS_UNIX
    const int fd = static_cast<int>(m_port.handle());
    while (taken < size) {
        const ssize_t got = ::read(fd, data + taken, static_cast<size_t>(size - taken));
        if (got > 0) {
            taken += got;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            loseDevice();
            return taken > 0 ? taken : -1;
        }
        break; // nothing more queued
    }
#endif
    return taken;
}

int64_t QtSerialDevice::write(const char *data, int64_t size)
{
    if (!m_port.isOpen() || size < 0)
        return -1;
#ifdef Q_OS_UNIX
    // Straight to the kernel: Qt's own write only queues and sends from the event loop, and
    // the caller needs to know now how much was taken.
    const int fd = static_cast<int>(m_port.handle());
    const QDeadlineTimer deadline(WriteTimeoutMs);
    int64_t sent = 0;
    while (sent < size) {
        const ssize_t put = ::write(fd, data + sent, static_cast<size_t>(size - sent));
        if (put > 0) {
            sent += put;
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd poller{fd, POLLOUT, 0};
            const int waitMs = static_cast<int>(deadline.remainingTime());
            if (waitMs > 0 && ::poll(&poller, 1, waitMs) > 0 && (poller.revents & POLLOUT))
                continue;
            break; // the line does not drain
        }
        if (put < 0)
            loseDevice();
        break;
    }
    return sent > 0 ? sent : (size == 0 ? 0 : -1);
#else
    OwnCall call(m_ownCalls);
    const bool sent = m_port.write(data, size) == size && m_port.waitForBytesWritten(WriteTimeoutMs);
    m_port.clearError();
    return sent ? size : -1;
#endif
}

bool QtSerialDevice::modemStatus(uint32_t &bits)
{
    if (!m_port.isOpen())
        return false;
    OwnCall call(m_ownCalls);
    m_port.clearError();
    const QSerialPort::PinoutSignals lines = m_port.pinoutSignals();
    if (m_port.error() != QSerialPort::NoError) {
        m_port.clearError();
        return false;
    }
    bits = 0;
    if (lines & QSerialPort::ClearToSendSignal)
        bits |= Cts;
    if (lines & QSerialPort::DataSetReadySignal)
        bits |= Dsr;
    if (lines & QSerialPort::RingIndicatorSignal)
        bits |= Ring;
    if (lines & QSerialPort::DataCarrierDetectSignal)
        bits |= Rlsd;
    return true;
}

bool QtSerialDevice::setDtr(bool on)
{
    if (!m_port.isOpen())
        return false;
    OwnCall call(m_ownCalls);
    const bool ok = m_port.setDataTerminalReady(on);
    m_port.clearError();
    return ok;
}

bool QtSerialDevice::setRts(bool on)
{
    if (!m_port.isOpen())
        return false;
    OwnCall call(m_ownCalls);
    const bool ok = m_port.setRequestToSend(on);
    m_port.clearError();
    return ok;
}
