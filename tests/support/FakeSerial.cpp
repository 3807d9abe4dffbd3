#include "support/FakeSerial.h"

#include <algorithm>
#include <cstring>

FakeSerialDevice::~FakeSerialDevice()
{
    close();
}

bool FakeSerialDevice::open(const QString &path)
{
    m_backend.openAttempts << path;
    if (m_port)
        return false;
    FakePort *port = m_backend.findPort(path);
    // Exclusive, as the real devices are: a path held by another device cannot be opened.
    if (!port || !port->present || port->busy || port->device)
        return false;
    m_port = port;
    m_path = path;
    m_lost = false;
    port->device = this;
    ++port->opens;
    return true;
}

void FakeSerialDevice::close()
{
    if (m_port)
        m_port->device = nullptr;
    m_port = nullptr;
}

void FakeSerialDevice::loseDevice()
{
    close();
    m_lost = true;
}

bool FakeSerialDevice::setupQueues(uint32_t inputSize, uint32_t outputSize)
{
    if (!m_port)
        return false;
    m_port->queueSizes.push_back(inputSize);
    m_port->queueSizes.push_back(outputSize);
    return !m_port->failSetupQueues;
}

void FakeSerialDevice::purge(uint32_t flags)
{
    if (!m_port)
        return;
    m_port->purges.push_back(flags);
    if (flags & PurgeRxClear)
        m_port->received.clear();
}

bool FakeSerialDevice::applySettings(const LineSettings &settings)
{
    if (!m_port || m_port->failSettings)
        return false;
    m_port->settings.push_back(settings);
    return true;
}

bool FakeSerialDevice::queueStatus(uint32_t &errorMask, uint32_t &queued)
{
    if (!m_port || m_port->failQueueStatus)
        return false;
    errorMask = m_port->errorMask;
    queued = static_cast<uint32_t>(m_port->received.size());
    return true;
}

int64_t FakeSerialDevice::read(char *data, int64_t size)
{
    if (!m_port)
        return -1;
    m_port->readSizes.push_back(size);
    if (m_port->failRead || size < 0)
        return -1;
    const int64_t n = std::min<int64_t>(size, m_port->received.size());
    std::memcpy(data, m_port->received.constData(), static_cast<size_t>(n));
    m_port->received.remove(0, n);
    return n;
}

int64_t FakeSerialDevice::write(const char *data, int64_t size)
{
    if (!m_port || m_port->failWrite || size < 0)
        return -1;
    const int64_t n = m_port->writeLimit >= 0 ? std::min(size, m_port->writeLimit) : size;
    m_port->written.append(data, n);
    return n;
}

bool FakeSerialDevice::modemStatus(uint32_t &bits)
{
    if (!m_port || m_port->failModemStatus)
        return false;
    bits = m_port->modemBits;
    return true;
}

bool FakeSerialDevice::setDtr(bool on)
{
    if (!m_port || m_port->failDtrRts)
        return false;
    m_port->dtr = on;
    return true;
}

bool FakeSerialDevice::setRts(bool on)
{
    if (!m_port || m_port->failDtrRts)
        return false;
    m_port->rts = on;
    return true;
}

FakeSerialBackend::FakeSerialBackend()
{
    platform::install(this);
}

FakeSerialBackend::~FakeSerialBackend()
{
    platform::install(static_cast<SerialBackend *>(nullptr));
    // Devices may outlive the backend (a component destroyed after the fake); leave them closed.
    for (auto &[path, port] : m_ports) {
        if (port->device)
            port->device->close();
    }
}

std::unique_ptr<SerialDevice> FakeSerialBackend::createDevice()
{
    return std::make_unique<FakeSerialDevice>(*this);
}

FakePort &FakeSerialBackend::port(const QString &path)
{
    std::unique_ptr<FakePort> &slot = m_ports[path];
    if (!slot)
        slot = std::make_unique<FakePort>();
    return *slot;
}

FakePort *FakeSerialBackend::findPort(const QString &path)
{
    const auto it = m_ports.find(path);
    return it == m_ports.end() ? nullptr : it->second.get();
}

FakeSerialDevice *FakeSerialBackend::device(const QString &path) const
{
    const auto it = m_ports.find(path);
    return it == m_ports.end() ? nullptr : it->second->device;
}

void FakeSerialBackend::unplug(const QString &path)
{
    FakePort &state = port(path);
    state.present = false;
    state.received.clear();
    if (state.device)
        state.device->loseDevice();
}

void FakeSerialBackend::plugIn(const QString &path)
{
    port(path).present = true;
}
