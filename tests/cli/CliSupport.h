#pragma once

// Helpers of the command-line tool's end-to-end tests: running kmr5150-cli, reading its CSV
// with Python's csv module, a mosquitto broker on a free loopback port and a subscriber.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace clitest {

struct CliRun
{
    bool finished = false;
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// kmr5150-cli: KMR_CLI_PATH, else beside the test program or in the build tree above it.
QString cliPath();
CliRun runCli(const QStringList &arguments, int timeoutMs = 60000, const QString &program = cliPath());

// The rows of a CSV file as Python's csv module reads them (an empty line is an empty row);
// nullopt-like empty list with `ok` false when Python fails.
QList<QStringList> pythonCsvRows(const QString &path, bool *ok);

// A TCP port on 127.0.0.1 that nothing listens on right now.
int freeLoopbackPort();

// The mosquitto broker, on 127.0.0.1:port, logging everything. With `dataDir` it keeps its
// sessions and queued messages there across a restart.
class Broker
{
public:
    explicit Broker(int port, const QString &dataDir = {});
    ~Broker();
    bool start(); // true once it takes connections
    void stop(); // SIGTERM and wait
    int port() const { return m_port; }
    QString log() const;
    bool waitForLog(const QString &text, int timeoutMs) const;

private:
    int m_port;
    QString m_dataDir;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
};

// mosquitto_sub on a topic filter; every message as (topic, payload). With `sessionId` its
// session outlives a disconnection (messages at QoS 1 wait for it at the broker), and it
// connects again by itself.
class Subscriber
{
public:
    Subscriber(const Broker &broker, const QString &filter, const QString &sessionId = {});
    ~Subscriber();
    QList<std::pair<QString, QByteArray>> messages() const;
    bool waitForMessages(int count, int timeoutMs) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
};

bool waitFor(const std::function<bool()> &condition, int timeoutMs);

} // namespace clitest
