#include "link/TComm.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
QString openFailedText()
{
    return QCoreApplication::translate("TComm", "通讯出现异常！请检查连接是否正确或重新启动程序和仪器。");
}

QString notOpenedText()
{
    return QCoreApplication::translate("TComm", "COM Port is not opened yet!");
}

constexpr uint32_t BaudSpeeds[]
    = { 110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 76800, 115200, 230400 };
} // namespace

uint32_t BaudRateSpeed(TBaudRate rate)
{
    return rate < std::size(BaudSpeeds) ? BaudSpeeds[rate] : 9600;
}

TComm::TComm(QObject *owner, const QString &name)
    : QObject(owner)
{
    setObjectName(name);
    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(100);
    connect(m_pollTimer, &QTimer::timeout, this, &TComm::PollTick);
    m_pollTimer->start();
}

TComm::~TComm()
{
    m_pollTimer->stop();
    m_pollTimer->setInterval(0);
    // Give the device back rather than leave it held until the process ends.
    if (m_portHandle)
        m_portHandle->close();
}

QString TComm::DeviceName(int portNumber)
{
#ifdef Q_OS_WIN
    return QStringLiteral("\\\\.\\COM") + QString::number(portNumber);
#else
    return platform::portMap().devicePath(portNumber);
#endif
}

void TComm::setPortOpen(bool open)
{
    if (!open) {
        ClosePortHandle();
        return;
    }
    if (m_portOpen) {
        platform::dialogs().message(
            QCoreApplication::translate("TComm", "COM Port has been opened!"), Dialogs::Icon::Error);
        return;
    }
    OpenPortHandle();
}

void TComm::OpenPortHandle()
{
    const QString path = DeviceName(m_commPort + 1);
    if (path.isEmpty())
        throw ECommError(openFailedText());
    std::unique_ptr<SerialDevice> device = platform::serial().createDevice();
    if (!device->open(path))
        throw ECommError(openFailedText());
    if (!device->setupQueues(InputBufferSize, InputBufferSize)) {
        device->close();
        throw ECommError(QCoreApplication::translate("TComm", "Cannot setup comm buffer"));
    }
    m_portHandle = std::move(device);
    m_portHandle->purge(SerialDevice::PurgeAll);
    ApplyPortSettings();
    m_portOpen = true;
}

void TComm::ClosePortHandle()
{
    if (!m_portHandle)
        return;
    m_portHandle->close();
    m_portHandle.reset();
    m_portOpen = false;
}

void TComm::DropLostDevice()
{
    ClosePortHandle();
}

LineSettings TComm::lineSettings() const
{
    LineSettings settings;
    settings.baud = BaudRateSpeed(m_baudRate);
    // Only the transfer-mode bit: DTR and RTS control off, no DSR handshake, no abort on error.
    settings.flags = LineSettings::Binary;
    settings.parity = static_cast<int>(m_parity);
    if (m_parity != TParity::None)
        settings.flags |= LineSettings::ParityCheck;
    if (m_hwHandShaking == hhNoneRTSON)
        settings.flags |= LineSettings::RtsEnable;
    else if (m_hwHandShaking == hhRTSCTS)
        settings.flags |= LineSettings::RtsHandshake | LineSettings::CtsOutFlow;
    if (m_swHandShaking == shXonXoff)
        settings.flags |= LineSettings::XonXoffOut | LineSettings::XonXoffIn;
    settings.dataBits = m_dataBits + 5;
    settings.stopBits = m_stopBits;
    return settings;
}

void TComm::ApplyPortSettings()
{
    m_parityEnabled = m_parity != TParity::None;
    if (m_portHandle)
        m_portHandle->applySettings(lineSettings()); // a refused setting is not reported
}

template <typename T> void TComm::changeSetting(T &field, T value)
{
    if (field == value)
        return;
    field = value;
    if (m_portHandle)
        ApplyPortSettings();
}

void TComm::setBaudRate(TBaudRate rate)
{
    changeSetting(m_baudRate, rate);
}

void TComm::setHwHandShaking(THWHandShaking value)
{
    changeSetting(m_hwHandShaking, value);
}

void TComm::setSwHandShaking(TSWHandShaking value)
{
    changeSetting(m_swHandShaking, value);
}

void TComm::setDataBits(TDataBits value)
{
    changeSetting(m_dataBits, value);
}

void TComm::setParity(TParity value)
{
    changeSetting(m_parity, value);
}

void TComm::setStopBits(TStopBits value)
{
    changeSetting(m_stopBits, value);
}

bool TComm::queryQueue(uint32_t &queued)
{
    uint32_t mask = 0;
    queued = 0;
    if (!m_portHandle->queueStatus(mask, queued)) {
        DropLostDevice();
        return false;
    }
    m_commError = mask;
    return true;
}

bool TComm::ReadQueuedInput()
{
    if (!m_portHandle)
        throw ECommError(notOpenedText());
    uint32_t queued = 0;
    if (!queryQueue(queued) || queued == 0)
        return false;
    if (queued > InputBufferSize) {
        m_portHandle->purge(SerialDevice::PurgeRxClear);
        return false;
    }
    // A length set above the buffer must never read past it.
    const uint32_t wanted = std::min(m_inputLen != 0 ? m_inputLen : queued, InputBufferSize);
    const int64_t got = m_portHandle->read(m_inputBuffer.data(), wanted);
    if (got <= 0) {
        if (!m_portHandle->isOpen())
            DropLostDevice();
        return false;
    }
    // Only the bytes the read delivered: a shorter read must not pass on stale buffer content.
    const char *data = m_inputBuffer.data();
    const auto n = static_cast<qsizetype>(got);
    const auto *zero = static_cast<const char *>(std::memchr(data, 0, size_t(n)));
    m_inputText = QString::fromLatin1(data, zero ? zero - data : n);
    m_inputBytes = QByteArray(data, n);
    return true;
}

QString TComm::input()
{
    ReadQueuedInput();
    return m_inputText;
}

int32_t TComm::FetchInputBytes(const uint8_t *&first)
{
    const bool fresh = ReadQueuedInput();
    first = reinterpret_cast<const uint8_t *>(m_inputBytes.constData());
    return fresh ? static_cast<int32_t>(m_inputBytes.size()) - 1 : -1;
}

uint32_t TComm::dataCount()
{
    if (!m_portHandle)
        return 0;
    uint32_t mask = 0;
    uint32_t queued = 0;
    if (!m_portHandle->queueStatus(mask, queued)) {
        DropLostDevice();
        return 0;
    }
    return queued;
}

void TComm::setDataCount(uint32_t value)
{
    if (value == 0 && m_portHandle)
        m_portHandle->purge(SerialDevice::PurgeRxClear);
}

void TComm::setDtrEnabled(bool on)
{
    if (!m_portHandle)
        return;
    m_dtrEnabled = on;
    m_portHandle->setDtr(on);
}

void TComm::setRtsEnabled(bool on)
{
    if (!m_portHandle)
        return;
    m_rtsEnabled = on;
    m_portHandle->setRts(on);
}

bool TComm::SendBytes(const uint8_t *buffer, int count)
{
    if (!m_portHandle) {
        platform::dialogs().message(notOpenedText(), Dialogs::Icon::Error);
        return false;
    }
    if (count < 0)
        return false;
    const int64_t written = m_portHandle->write(reinterpret_cast<const char *>(buffer), count);
    if (written == count)
        return true;
    if (!m_portHandle->isOpen())
        DropLostDevice();
    return false;
}

void TComm::UpdateModemLines()
{
    if (!m_portHandle)
        throw ECommError(notOpenedText());
    m_commEvent = 0;
    uint32_t bits = 0;
    if (!m_portHandle->modemStatus(bits))
        return;
    const auto track = [&](bool &state, uint32_t statusBit, uint32_t eventValue) {
        const bool level = (bits & statusBit) != 0;
        if (level != state)
            m_commEvent += eventValue;
        state = level;
    };
    track(m_cd, SerialDevice::Rlsd, EvRlsd);
    track(m_dsr, SerialDevice::Dsr, EvDsr);
    track(m_ri, SerialDevice::Ring, EvRing);
    track(m_cts, SerialDevice::Cts, EvCts);
}

void TComm::PollTick()
{
    // Qt never delivers a timer's tick while that timer's previous tick is still running. A
    // window opened modally by a command that ran inside this tick (when it lets pending
    // messages run) would then stop the polling, and with it every reply, until it closes.
    // Restarting the timer gives it a new identity, which the modal window's loop does tick.
    if (m_pollTimer->isActive())
        m_pollTimer->start();
    if (!m_portHandle)
        return;
    uint32_t queued = 0;
    if (!queryQueue(queued))
        return; // the device is gone and now closed: nothing more to poll
    if (m_rThreshold != 0 && queued >= m_rThreshold)
        DoReceiveData();
    // The receive handler may have closed the port; the rest of the tick needs it open.
    if (!m_portHandle)
        return;
    UpdateModemLines();
    QCoreApplication::processEvents();
    if (m_commEvent != 0)
        DoModemStateChange(m_commEvent);
    QCoreApplication::processEvents();
    if (m_commError != 0)
        DoReceiveError(m_commError);
    QCoreApplication::processEvents();
}

void TComm::DoReceiveData()
{
    if (OnReceiveData)
        OnReceiveData(this);
}

void TComm::DoReceiveError(uint32_t mask)
{
    if (OnReceiveError)
        OnReceiveError(this, mask);
}

void TComm::DoModemStateChange(uint32_t event)
{
    if (OnModemStateChange)
        OnModemStateChange(this, event);
}
