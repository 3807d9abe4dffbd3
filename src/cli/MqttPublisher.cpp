#include "cli/MqttPublisher.h"

#include "cli/CliError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr int KeepAliveSeconds = 10;
constexpr int QualityOfService = 1; // the broker acknowledges each message

struct Library
{
    Library() { mosquitto_lib_init(); }
    ~Library() { mosquitto_lib_cleanup(); }
};

void useLibrary()
{
    static Library library;
}

QString errorText(int rc)
{
    if (rc == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString::fromUtf8(mosquitto_strerror(rc));
}
} // namespace

MqttTarget ParseMqttTarget(const QString &hostAndPort, const QString &topicPrefix)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\[[^\\]]+\\]|[^:\\[\\]]+)(?::([0-9]{1,5}))?$"));
    const QRegularExpressionMatch match = pattern.match(hostAndPort.trimmed());
    if (!match.hasMatch())
        throw CliError(ExitUsage, QStringLiteral("--mqtt %1: give HOST or HOST:PORT").arg(hostAndPort));
    MqttTarget target;
    target.host = match.captured(1);
    if (target.host.startsWith(QLatin1Char('[')))
        target.host = target.host.mid(1, target.host.size() - 2);
    if (!match.captured(2).isEmpty()) {
        target.port = match.captured(2).toInt();
        if (target.port < 1 || target.port > 65535)
            throw CliError(
                ExitUsage, QStringLiteral("--mqtt %1: ports run from 1 to 65535").arg(hostAndPort));
    }
    QString prefix = topicPrefix;
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    if (prefix.isEmpty() || prefix.contains(QLatin1Char('#')) || prefix.contains(QLatin1Char('+')))
        throw CliError(
            ExitUsage, QStringLiteral("--topic %1: a topic prefix without wildcards").arg(topicPrefix));
    target.topic = prefix + QStringLiteral("/measurement");
    return target;
}

MqttPublisher::MqttPublisher(MqttTarget target)
    : m_target(std::move(target))
{
    useLibrary();
    QString clientId = QStringLiteral("kmr5150-cli-%1").arg(QCoreApplication::applicationPid());
    if (!m_target.clientSuffix.isEmpty())
        clientId += QLatin1Char('-') + m_target.clientSuffix;
    const QByteArray id = clientId.toUtf8();
    m_client = mosquitto_new(id.constData(), true, this);
    if (!m_client)
        throw CliError(
            ExitDevice, QStringLiteral("MQTT: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    mosquitto_connect_callback_set(m_client, &MqttPublisher::onConnect);
    mosquitto_disconnect_callback_set(m_client, &MqttPublisher::onDisconnect);
    mosquitto_publish_callback_set(m_client, &MqttPublisher::onPublish);
    // A broker that went away is tried again after 1 s, then at most every 5 s.
    mosquitto_reconnect_delay_set(m_client, 1, 5, true);
    if (!m_target.statusTopic.isEmpty()) {
        const QByteArray topic = m_target.statusTopic.toUtf8();
        mosquitto_will_set(m_client, topic.constData(), 7, "offline", QualityOfService, true);
    }
}

MqttPublisher::~MqttPublisher()
{
    if (m_loopRunning) {
        mosquitto_disconnect(m_client);
        mosquitto_loop_stop(m_client, true);
    }
    mosquitto_destroy(m_client);
}

void MqttPublisher::start(int timeoutMs)
{
    const QString broker = QStringLiteral("MQTT broker %1:%2").arg(m_target.host).arg(m_target.port);
    const QByteArray host = m_target.host.toUtf8();
    int rc = mosquitto_connect_async(m_client, host.constData(), m_target.port, KeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS)
        throw CliError(ExitDevice, QStringLiteral("%1: %2").arg(broker, errorText(rc)));
    rc = mosquitto_loop_start(m_client);
    if (rc != MOSQ_ERR_SUCCESS)
        throw CliError(ExitDevice, QStringLiteral("%1: %2").arg(broker, errorText(rc)));
    m_loopRunning = true;

    const QDeadlineTimer deadline(timeoutMs);
    while (!m_connected && !deadline.hasExpired())
        QThread::msleep(10);
    if (!m_connected) {
        QString reason = lastError();
        if (reason.isEmpty())
            reason = QStringLiteral("no answer within %1 s").arg(timeoutMs / 1000.0);
        throw CliError(ExitDevice, QStringLiteral("%1: %2").arg(broker, reason));
    }
}

void MqttPublisher::publish(const QByteArray &payload)
{
    publish(MqttMessage { m_target.topic.toUtf8(), payload, false });
}

void MqttPublisher::publish(MqttMessage message)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_published;
    if (m_backlog.size() >= BacklogLimit) {
        m_backlog.pop_front();
        ++m_dropped;
    }
    m_backlog.push_back(std::move(message));
    flushLocked();
}

void MqttPublisher::flushLocked()
{
    while (m_connected && !m_backlog.empty()) {
        const MqttMessage &message = m_backlog.front();
        int mid = 0;
        const int rc = mosquitto_publish(m_client, &mid, message.topic.constData(),
            static_cast<int>(message.payload.size()), message.payload.constData(), QualityOfService,
            message.retain);
        if (rc != MOSQ_ERR_SUCCESS) {
            // Not connected after all: the message waits for the connection.
            m_lastError = errorText(rc);
            return;
        }
        m_inFlight.emplace_back(mid, message);
        m_backlog.pop_front();
    }
}

void MqttPublisher::drain(int timeoutMs, const std::function<bool()> &giveUp)
{
    if (!m_loopRunning)
        return;
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && backlog() > 0 && !(giveUp && giveUp())) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            flushLocked();
        }
        QThread::msleep(10);
    }
}

void MqttPublisher::finish(int timeoutMs)
{
    if (!m_loopRunning)
        return;
    drain(timeoutMs);
    // A clean disconnection sends no last will: the status is said here, ahead of the
    // disconnection on the same connection (a broker already away sent the will itself).
    if (!m_target.statusTopic.isEmpty() && m_connected) {
        const QByteArray topic = m_target.statusTopic.toUtf8();
        int mid = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (mosquitto_publish(m_client, &mid, topic.constData(), 7, "offline", QualityOfService, true)
                == MOSQ_ERR_SUCCESS)
                m_statusMid = mid;
        }
        // Taken before the connection ends; otherwise the broker may also send the will.
        const QDeadlineTimer deadline(std::max(timeoutMs, 1000));
        while (m_statusMid != 0 && m_connected && !deadline.hasExpired())
            QThread::msleep(5);
    }
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, false);
    m_loopRunning = false;
    m_connected = false;
}

size_t MqttPublisher::backlog() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_backlog.size() + m_inFlight.size();
}

QString MqttPublisher::lastError() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastError;
}

void MqttPublisher::onConnect(mosquitto *, void *self, int rc)
{
    auto *publisher = static_cast<MqttPublisher *>(self);
    std::lock_guard<std::mutex> lock(publisher->m_mutex);
    if (rc != 0) {
        publisher->m_lastError = QString::fromUtf8(mosquitto_connack_string(rc));
        return;
    }
    publisher->m_connected = true;
    publisher->m_lastError.clear();
    if (!publisher->m_target.statusTopic.isEmpty()) {
        // Said again on every connection: the broker set the will's "offline" when the last
        // one dropped. It goes ahead of the backlog.
        int mid = 0;
        const QByteArray topic = publisher->m_target.statusTopic.toUtf8();
        mosquitto_publish(publisher->m_client, &mid, topic.constData(), 6, "online", QualityOfService, true);
    }
    publisher->flushLocked();
}

void MqttPublisher::onDisconnect(mosquitto *, void *self, int rc)
{
    auto *publisher = static_cast<MqttPublisher *>(self);
    std::lock_guard<std::mutex> lock(publisher->m_mutex);
    publisher->m_connected = false;
    if (rc != 0)
        publisher->m_lastError = QStringLiteral("connection lost");
    // Unacknowledged messages go out again, first and in their order, on the next connection.
    while (!publisher->m_inFlight.empty()) {
        publisher->m_backlog.push_front(std::move(publisher->m_inFlight.back().second));
        publisher->m_inFlight.pop_back();
    }
    while (publisher->m_backlog.size() > BacklogLimit) {
        publisher->m_backlog.pop_front();
        ++publisher->m_dropped;
    }
}

void MqttPublisher::onPublish(mosquitto *, void *self, int mid)
{
    auto *publisher = static_cast<MqttPublisher *>(self);
    std::lock_guard<std::mutex> lock(publisher->m_mutex);
    if (mid == publisher->m_statusMid) {
        publisher->m_statusMid = 0;
        return;
    }
    auto &inFlight = publisher->m_inFlight;
    const auto it
        = std::find_if(inFlight.begin(), inFlight.end(), [mid](const auto &m) { return m.first == mid; });
    if (it == inFlight.end())
        return; // sent again by the library after a reconnection, and already counted back
    inFlight.erase(it);
    ++publisher->m_delivered;
}
