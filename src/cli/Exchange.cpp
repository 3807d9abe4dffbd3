#include "cli/Exchange.h"

#include "base/Platform.h"
#include "cli/CliError.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/LinkSession.h"
#include "link/PortHolder.h"
#include "link/PortTable.h"
#include "link/Registers.h"
#include "link/Reply.h"
#include "link/TComm.h"
#include "measure/MeasurementRecord.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include <unistd.h>

namespace {
// How often the receive queue is looked at; the serial component's own tick is 100 ms, which
// only adds latency.
constexpr int QueuePollMs = 5;
// The serial component opens ports by number; a device given by a path that no number reaches
// is opened under this one.
constexpr int PathPortNumber = HighestPortNumber;

constexpr TBaudRate ListedRates[] = { br4800, br9600, br14400, br19200, br38400, br57600, br76800, br115200 };

// The port map in force, with the target's device under its number.
class TargetPortMap final : public PortMap
{
public:
    TargetPortMap(int number, QString path)
        : m_number(number)
        , m_path(std::move(path))
        , m_previous(platform::portMap())
    {
    }
    QString devicePath(int portNumber) const override
    {
        return portNumber == m_number ? m_path : m_previous.devicePath(portNumber);
    }
    PortMap &previous() const { return m_previous; }

private:
    int m_number;
    QString m_path;
    PortMap &m_previous;
};

} // namespace

InstrumentLink::InstrumentLink(LinkTarget target)
    : m_target(std::move(target))
    , m_portMap(std::make_unique<TargetPortMap>(
          m_target.portNumber > 0 ? m_target.portNumber : PathPortNumber, m_target.devicePath))
    , m_comm(std::make_unique<TComm>(nullptr, QStringLiteral("Comm1")))
{
    // Replies are fetched by the exchange itself, never from the poll tick.
    m_comm->pollTimer()->stop();
    m_comm->setRThreshold(0);
    const int number = m_target.portNumber > 0 ? m_target.portNumber : PathPortNumber;
    m_comm->setCommPort(pnCOM(number));
    m_comm->setBaudRate(m_target.baudIndex >= 0 ? ListedRates[m_target.baudIndex] : br9600);
    m_session = std::make_unique<LinkSession>(*m_comm);
    m_session->setBaudIndex(m_target.baudIndex);
    m_session->stopRequested = [this] { return stopping(); };
    setWirePace(m_target.wirePace);
    platform::install(m_portMap.get());
}

InstrumentLink::~InstrumentLink()
{
    close();
    if (RequestPort() == m_comm.get())
        SetRequestPort(nullptr);
    platform::install(&static_cast<TargetPortMap *>(m_portMap.get())->previous());
}

void InstrumentLink::open()
{
    InstrumentAddress = m_target.address;
    UsbLink = m_target.usb ? 1 : 0;
    SetRequestPort(m_comm.get());

    const QString name = DescribeTarget(m_target);
    if (m_target.devicePath.isEmpty())
        throw CliError(ExitDevice,
            QStringLiteral("%1: no device for this port; name one in SysSet.ini [PortMap]").arg(name));
    if (!QFileInfo::exists(m_target.devicePath))
        throw CliError(ExitDevice, QStringLiteral("%1: no such device").arg(name));
    try {
        m_comm->setPortOpen(true);
    } catch (const ECommError &) {
        const QString canonical = QFileInfo(m_target.devicePath).canonicalFilePath();
        const PortPathCheck check = CheckPortPath(canonical);
        if (check.kind == PortPathKind::NotSerialPort)
            throw CliError(ExitDevice, QStringLiteral("%1: not a serial port (%2)").arg(name, check.what));
        const QByteArray path = canonical.toLocal8Bit();
        if (::access(path.constData(), R_OK | W_OK) != 0)
            throw CliError(ExitDevice, QStringLiteral("%1: permission denied").arg(name));
        if (const DeviceHolder holder = PortHolder(canonical); holder.pid != 0)
            throw CliError(ExitDevice, QStringLiteral("%1: in use by %2").arg(name, HolderText(holder)));
        throw CliError(
            ExitDevice, QStringLiteral("%1: cannot be opened, in use by another program").arg(name));
    }
}

void InstrumentLink::setWirePace(bool wire)
{
    m_session->setPace(wire ? LinkSession::Pace::Wire : LinkSession::Pace::Paced);
}

bool InstrumentLink::reopen()
{
    if (m_comm->portOpen())
        return true;
    try {
        m_comm->setPortOpen(true);
    } catch (const ECommError &) {
        return false;
    }
    return m_comm->portOpen();
}

bool InstrumentLink::isOpen() const
{
    return m_comm->portOpen();
}

void InstrumentLink::close()
{
    if (m_comm->portOpen())
        m_comm->setPortOpen(false);
}

bool InstrumentLink::send(uint16_t reg, uint16_t count)
{
    ++m_counters.requests;
    return SendReadRequest(InstrumentAddress, reg, count);
}

bool InstrumentLink::writeBytes(uint16_t reg, const uint8_t data[4])
{
    ++m_counters.requests;
    return SendWriteBytes(InstrumentAddress, reg, data);
}

bool InstrumentLink::writeValue(uint16_t reg, float value)
{
    ++m_counters.requests;
    return SendWriteValue(InstrumentAddress, reg, value);
}

bool InstrumentLink::writeAcknowledged(uint16_t reg, const uint8_t data[4], int timeoutMs)
{
    return awaitAcknowledgement(reg, timeoutMs, [&] { return writeBytes(reg, data); });
}

bool InstrumentLink::writeAcknowledged(uint16_t reg, float value, int timeoutMs)
{
    return awaitAcknowledgement(reg, timeoutMs, [&] { return writeValue(reg, value); });
}

bool InstrumentLink::awaitAcknowledgement(uint16_t reg, int timeoutMs, const std::function<bool()> &write)
{
    const auto acknowledges = [reg](const ClassifiedReply &reply) {
        return reply.kind == ReplyKind::WriteAcknowledge && reply.reg == reg;
    };
    // No long reply is awaited; a damaged one is answered with the write again.
    return !exchange(timeoutMs, 0, write, write, acknowledges).isEmpty();
}

bool InstrumentLink::sendRead(uint16_t reg, uint16_t count)
{
    return send(reg, count);
}

void InstrumentLink::discardInput()
{
    if (m_comm->portOpen())
        m_comm->setDataCount(0);
}

int InstrumentLink::measurementBudgetMs() const
{
    const double characterMs = 10000.0 / std::max<uint32_t>(m_target.baud, 1);
    const int wireMs = m_target.usb ? 0 : static_cast<int>(std::ceil(MeasurementReplyBytes * characterMs));
    const int pacedMs = m_target.usb ? 0 : PacedSteps * StepWaitMs(m_target.baudIndex);
    return SilenceResendMs + 2 * (wireMs + pacedMs) + 500;
}

QByteArray InstrumentLink::read(uint16_t reg, uint16_t count, int timeoutMs)
{
    // The read to repeat after a missing or damaged reply.
    LastRegister = static_cast<uint8_t>(reg);
    LastCount = static_cast<uint8_t>(count);
    const auto fits = [reg](const ClassifiedReply &reply) {
        switch (reply.kind) {
        case ReplyKind::Measurement:
            return reg == RegMeasurement;
        case ReplyKind::StartingPage:
            return reg == RegStartingTest;
        case ReplyKind::RegisterValue:
            return reply.reg == reg;
        default:
            return false;
        }
    };
    const auto resend = [this] {
        ++m_counters.requests;
        return m_session->resendLastRead();
    };
    return exchange(
        timeoutMs, LastRegister, [&] { return send(reg, count); }, resend, fits);
}

QByteArray InstrumentLink::exchange(int timeoutMs, uint8_t awaited, const std::function<bool()> &request,
    const std::function<bool()> &resend, const std::function<bool(const ClassifiedReply &)> &accepts)
{
    Clock &clock = platform::clock();
    const QDateTime start = clock.now();
    const auto elapsedMs = [&] { return start.msecsTo(clock.now()); };

    bool sent = request();
    qint64 sentAt = 0;
    while (elapsedMs() < timeoutMs && !stopping()) {
        if (!m_comm->portOpen())
            return {};
        if (!sent || elapsedMs() - sentAt >= SilenceResendMs) {
            if (sent)
                ++m_counters.silent;
            ++m_counters.resends;
            sent = request();
            sentAt = elapsedMs();
            if (!sent)
                clock.sleepMs(QueuePollMs);
            continue;
        }
        if (m_comm->dataCount() == 0) {
            // At the wire's pace the first byte is looked for as often as the rest.
            clock.sleepMs(m_session->pace() == LinkSession::Pace::Wire ? 1 : QueuePollMs);
            continue;
        }

        m_session->waitForReply(awaited);
        if (!m_comm->portOpen())
            return {};
        const FetchedReply got = m_session->fetch();
        if (!got.fetched())
            continue;
        if (got.reply.asksAgain()) {
            ++m_counters.damaged;
            ++m_counters.resends;
            sent = resend();
            sentAt = elapsedMs();
            continue;
        }
        if (accepts(got.reply))
            return QByteArray(reinterpret_cast<const char *>(got.frame), got.n);
        // A whole reply of another kind (a late answer to an earlier request): not this one.
    }
    return {};
}
