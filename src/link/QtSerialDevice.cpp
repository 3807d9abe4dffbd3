#include "link/QtSerialDevice.h"

#include "link/PortHolder.h"
#include "link/PortLock.h"
#include "link/ProductionPlatform.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {
// A frame is a few bytes; the kernel takes it at once unless the line is stuck.
constexpr int WriteTimeoutMs = 2000;

QSerialPort::Parity qtParity(int parity)
{
    switch (parity) {
    case 1:
        return QSerialPort::OddParity;
    case 2:
        return QSerialPort::EvenParity;
    case 3:
        return QSerialPort::MarkParity;
    case 4:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits qtStopBits(int stopBits)
{
    switch (stopBits) {
    case 1:
        return QSerialPort::OneAndHalfStop;
    case 2:
        return QSerialPort::TwoStop;
    default:
        return QSerialPort::OneStop;
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
    port.rtsHeldOn
        = (settings.flags & LineSettings::RtsEnable) && port.flowControl != QSerialPort::HardwareControl;
    return port;
}

QString QtSerialDevice::openedPath() const
{
    return isOpen() ? m_path : QString();
}

#ifdef Q_OS_UNIX

namespace {
// The kernel's own terminal settings with the line speed as a number. The C library's
// termios has no room for it, and its header clashes with the kernel's, so the layout is
// spelled out here (it is the same on every Linux architecture that has TCGETS2).
struct KernelTermios2
{
    unsigned int c_iflag, c_oflag, c_cflag, c_lflag;
    unsigned char c_line;
    unsigned char c_cc[19];
    unsigned int c_ispeed, c_ospeed;
};
#if defined(Q_OS_LINUX) && defined(_IOR)
constexpr unsigned long GetSettings2 = _IOR('T', 0x2A, KernelTermios2);
constexpr unsigned long SetSettings2 = _IOW('T', 0x2B, KernelTermios2);
constexpr unsigned int SpeedByNumber = 0010000; // BOTHER
constexpr unsigned int SpeedMask = 0010017; // CBAUD
#endif

speed_t standardSpeed(qint32 baud)
{
    switch (baud) {
    case 110:
        return B110;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        return B0;
    }
}

// Speeds without a B constant (14400, 56000, 76800) go to the kernel as numbers.
bool setSpeedByNumber(int fd, qint32 baud)
{
#if defined(Q_OS_LINUX) && defined(_IOR)
    KernelTermios2 settings {};
    if (::ioctl(fd, GetSettings2, &settings) != 0)
        return false;
    settings.c_cflag = (settings.c_cflag & ~SpeedMask) | SpeedByNumber;
    settings.c_ispeed = settings.c_ospeed = static_cast<unsigned int>(baud);
    return ::ioctl(fd, SetSettings2, &settings) == 0;
#else
    (void)fd;
    (void)baud;
    return false;
#endif
}

} // namespace

QtSerialDevice::QtSerialDevice() = default;

QtSerialDevice::~QtSerialDevice()
{
    close();
}

bool QtSerialDevice::open(const QString &path)
{
    if (m_fd >= 0)
        return false;
    // Every name of one device must meet in one lock.
    const QString location = QFileInfo(path).canonicalFilePath();
    if (location.isEmpty())
        return false;
    const int fd
        = ::open(QFile::encodeName(location).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios saved {};
    // The lock is taken before anything is changed, so that a device in use elsewhere is
    // left exactly as its holder set it. The terminal's own exclusive mode is not used: a
    // holder killed while it is set leaves a pseudo-terminal barred to everybody but root.
    if (::tcgetattr(fd, &saved) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0
        || LockFileHolder(location) != 0) {
        ::close(fd);
        return false;
    }
    termios raw = saved;
    ::cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &raw);

    m_fd = fd;
    m_savedSettings = QByteArray(reinterpret_cast<const char *>(&saved), sizeof saved);
    m_path = location;
    m_lost = false;
    m_hangUpWatch = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_hangUpWatch.get(), &QSocketNotifier::activated, m_hangUpWatch.get(), [this] {
        uint32_t mask = 0;
        uint32_t queued = 0;
        // A hung-up line is lost here; received bytes wait for the next read, and the
        // watch rests until then instead of firing for them again and again.
        m_inHangUpWatch = true;
        if (queueStatus(mask, queued) && queued > 0)
            watchHangUp(false);
        m_inHangUpWatch = false;
    });
    return true;
}

void QtSerialDevice::watchHangUp(bool on)
{
    if (m_hangUpWatch)
        m_hangUpWatch->setEnabled(on);
}

void QtSerialDevice::close()
{
    if (m_fd < 0)
        return;
    // When the notifier itself noticed the hang-up, it is still running: it goes later.
    if (m_hangUpWatch) {
        m_hangUpWatch->setEnabled(false);
        if (m_inHangUpWatch)
            m_hangUpWatch.release()->deleteLater();
        else
            m_hangUpWatch.reset();
    }
    if (!m_lost && m_savedSettings.size() == sizeof(termios))
        ::tcsetattr(m_fd, TCSANOW, reinterpret_cast<const termios *>(m_savedSettings.constData()));
    ::close(m_fd); // the flock goes with the last descriptor
    m_fd = -1;
}

bool QtSerialDevice::isOpen() const
{
    return m_fd >= 0;
}

void QtSerialDevice::loseDevice()
{
    m_lost = true;
    close();
}

bool QtSerialDevice::setupQueues(uint32_t, uint32_t)
{
    // The kernel's queues are fixed by the driver.
    return m_fd >= 0;
}

void QtSerialDevice::purge(uint32_t flags)
{
    if (m_fd < 0)
        return;
    const bool input = flags & (PurgeRxAbort | PurgeRxClear);
    const bool output = flags & (PurgeTxAbort | PurgeTxClear);
    if (input || output)
        ::tcflush(m_fd, input && output ? TCIOFLUSH : (input ? TCIFLUSH : TCOFLUSH));
    watchHangUp(true);
}

bool QtSerialDevice::applySettings(const LineSettings &settings)
{
    if (m_fd < 0)
        return false;
    const PortSettings port = portSettings(settings);
    termios line {};
    if (::tcgetattr(m_fd, &line) != 0)
        return false;
    bool ok = true;

    line.c_cflag &= ~CSIZE;
    line.c_cflag |= port.dataBits == QSerialPort::Data5 ? CS5
        : port.dataBits == QSerialPort::Data6           ? CS6
        : port.dataBits == QSerialPort::Data7           ? CS7
                                                        : CS8;
    line.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    line.c_iflag &= ~(INPCK | ISTRIP);
    switch (port.parity) {
    case QSerialPort::EvenParity:
        line.c_cflag |= PARENB;
        break;
    case QSerialPort::OddParity:
        line.c_cflag |= PARENB | PARODD;
        break;
    case QSerialPort::MarkParity:
        line.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case QSerialPort::SpaceParity:
        line.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (port.parity != QSerialPort::NoParity)
        line.c_iflag |= INPCK;
    // One and a half stop bits do not exist on this platform: one is kept, and said so.
    if (port.stopBits == QSerialPort::TwoStop)
        line.c_cflag |= CSTOPB;
    else
        line.c_cflag &= ~CSTOPB;
    ok = port.stopBits != QSerialPort::OneAndHalfStop && ok;
    line.c_cflag &= ~CRTSCTS;
    line.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (port.flowControl == QSerialPort::HardwareControl)
        line.c_cflag |= CRTSCTS;
    else if (port.flowControl == QSerialPort::SoftwareControl)
        line.c_iflag |= IXON | IXOFF | IXANY;

    const speed_t speed = standardSpeed(port.baud);
    if (speed != B0) {
        ::cfsetispeed(&line, speed);
        ::cfsetospeed(&line, speed);
    }
    ok = ::tcsetattr(m_fd, TCSANOW, &line) == 0 && ok;
    if (speed == B0)
        ok = setSpeedByNumber(m_fd, port.baud) && ok;
    if (port.rtsHeldOn)
        ok = setRts(true) && ok;
    return ok;
}

bool QtSerialDevice::queueStatus(uint32_t &errorMask, uint32_t &queued)
{
    if (m_fd < 0)
        return false;
    errorMask = 0;
    int waiting = 0;
    if (::ioctl(m_fd, FIONREAD, &waiting) != 0) {
        loseDevice();
        return false;
    }
    // A hung-up line reads as empty for ever; once nothing is left to read it is gone.
    pollfd poller { m_fd, POLLIN, 0 };
    if (waiting == 0 && ::poll(&poller, 1, 0) > 0 && (poller.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        loseDevice();
        return false;
    }
    queued = static_cast<uint32_t>(std::max(waiting, 0));
    return true;
}

int64_t QtSerialDevice::read(char *data, int64_t size)
{
    if (m_fd < 0 || size < 0)
        return -1;
    int64_t taken = 0;
    while (taken < size) {
        const ssize_t got = ::read(m_fd, data + taken, static_cast<size_t>(size - taken));
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
    watchHangUp(true);
    return taken;
}

int64_t QtSerialDevice::write(const char *data, int64_t size)
{
    if (m_fd < 0 || size < 0)
        return -1;
    const QDeadlineTimer deadline(WriteTimeoutMs);
    int64_t sent = 0;
    while (sent < size) {
        const ssize_t put = ::write(m_fd, data + sent, static_cast<size_t>(size - sent));
        if (put > 0) {
            sent += put;
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd poller { m_fd, POLLOUT, 0 };
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
}

bool QtSerialDevice::modemStatus(uint32_t &bits)
{
    int lines = 0;
    if (m_fd < 0 || ::ioctl(m_fd, TIOCMGET, &lines) != 0)
        return false;
    bits = 0;
    if (lines & TIOCM_CTS)
        bits |= Cts;
    if (lines & TIOCM_DSR)
        bits |= Dsr;
    if (lines & TIOCM_RNG)
        bits |= Ring;
    if (lines & TIOCM_CAR)
        bits |= Rlsd;
    return true;
}

bool QtSerialDevice::setDtr(bool on)
{
    int line = TIOCM_DTR;
    return m_fd >= 0 && ::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0;
}

bool QtSerialDevice::setRts(bool on)
{
    int line = TIOCM_RTS;
    return m_fd >= 0 && ::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0;
}

QString QtSerialDevice::holder(const QString &path)
{
    const QString location = QFileInfo(path).canonicalFilePath();
    if (location.isEmpty())
        return {};
    if (const DeviceHolder named = PortHolder(location); named.pid != 0) {
        return (named.program.isEmpty() ? QStringLiteral("another program") : named.program)
            + QStringLiteral(" (process %1)").arg(named.pid);
    }
    // Held in a way that names nobody: exclusive use set by its holder.
    const int fd
        = ::open(QFile::encodeName(location).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY ? QStringLiteral("another program") : QString();
    ::close(fd);
    return {};
}

#else // not Unix: Qt Serial Port

namespace {
struct OwnCall
{
    explicit OwnCall(int &depth)
        : m_depth(depth)
    {
        ++m_depth;
    }
    ~OwnCall() { --m_depth; }
    int &m_depth;
};
} // namespace

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
    const QString location = path;
    m_port.setPortName(location);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_port.clearError();
        return false;
    }
    m_path = location;
    m_lost = false;
    return true;
}

void QtSerialDevice::close()
{
    if (!m_port.isOpen())
        return;
    OwnCall call(m_ownCalls);
    m_port.close();
    m_port.clearError();
}

bool QtSerialDevice::isOpen() const
{
    return m_port.isOpen();
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
    const qint64 count = m_port.bytesAvailable();
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
    return taken;
}

int64_t QtSerialDevice::write(const char *data, int64_t size)
{
    if (!m_port.isOpen() || size < 0)
        return -1;
    OwnCall call(m_ownCalls);
    const bool sent = m_port.write(data, size) == size && m_port.waitForBytesWritten(WriteTimeoutMs);
    m_port.clearError();
    return sent ? size : -1;
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

QString QtSerialDevice::holder(const QString &path)
{
    QSerialPort probe(path);
    if (probe.open(QIODevice::ReadWrite))
        return {};
    return probe.error() == QSerialPort::PermissionError ? QStringLiteral("another program") : QString();
}

#endif
