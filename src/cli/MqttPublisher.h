#pragma once

// Publishing measurements to an MQTT broker (libmosquitto). The network runs on the
// library's own thread: publish() only queues, so sampling never waits on the broker. While
// the broker is away the library connects again by itself and messages wait in a bounded
// backlog, sent in order once the connection is back. A message counts as delivered only
// when the broker acknowledged it; one still unacknowledged when the connection drops goes
// back to the head of the backlog (the broker may then see it twice, never not at all).

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <utility>

struct mosquitto;

struct MqttTarget
{
    QString host;
    int port = 1883;
    QString topic; // where each measurement goes
    // With a status topic, the broker holds a retained "online" there while the connection
    // lasts, and "offline" once it ends, also when the tool is killed (the last will).
    QString statusTopic;
    QString clientSuffix; // tells apart the clients of one process
};

// A message with its own topic; `retain` leaves it at the broker for later subscribers.
struct MqttMessage
{
    QByteArray topic;
    QByteArray payload;
    bool retain = false;
};

// "HOST" or "HOST:PORT" (an IPv6 address in brackets: "[::1]:1883"); the topic is
// PREFIX/measurement. Throws CliError (usage) for a bad text.
MqttTarget ParseMqttTarget(const QString &hostAndPort, const QString &topicPrefix);

class MqttPublisher
{
public:
    // Messages kept while the broker is away; the oldest give way beyond it.
    static constexpr size_t BacklogLimit = 100000;

    explicit MqttPublisher(MqttTarget target);
    ~MqttPublisher();
    MqttPublisher(const MqttPublisher &) = delete;
    MqttPublisher &operator=(const MqttPublisher &) = delete;

    // Starts the connection and waits up to `timeoutMs` for the broker to accept it. Throws
    // CliError (device) naming the broker and the reason when it does not.
    void start(int timeoutMs);
    // Queues one message for the topic; never waits on the network.
    void publish(const QByteArray &payload);
    // Queues a message for a topic of its own.
    void publish(MqttMessage message);
    // Gives queued messages up to `timeoutMs` to be acknowledged, or until `giveUp` says so.
    void drain(int timeoutMs, const std::function<bool()> &giveUp = {});
    // drain(), then disconnects. What is left counts in backlog().
    void finish(int timeoutMs);

    bool connected() const { return m_connected; }
    const MqttTarget &target() const { return m_target; }
    // Messages not yet acknowledged by the broker.
    size_t backlog() const;
    uint64_t published() const { return m_published; }
    uint64_t delivered() const { return m_delivered; }
    uint64_t dropped() const { return m_dropped; }
    QString lastError() const;

private:
    static void onConnect(mosquitto *, void *self, int rc);
    static void onDisconnect(mosquitto *, void *self, int rc);
    static void onPublish(mosquitto *, void *self, int mid);
    // With m_mutex held: hands the backlog to the library while connected.
    void flushLocked();

    MqttTarget m_target;
    mosquitto *m_client = nullptr;
    bool m_loopRunning = false;
    mutable std::mutex m_mutex;
    std::deque<MqttMessage> m_backlog;
    // Handed to the library and not yet acknowledged, in publishing order, by message id.
    std::deque<std::pair<int, MqttMessage>> m_inFlight;
    QString m_lastError;
    std::atomic<bool> m_connected { false };
    std::atomic<int> m_statusMid { 0 }; // the closing status message until the broker took it
    std::atomic<uint64_t> m_published { 0 };
    std::atomic<uint64_t> m_delivered { 0 };
    std::atomic<uint64_t> m_dropped { 0 };
};
