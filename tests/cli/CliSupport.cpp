#include "CliSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace clitest {

namespace {
QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool acceptsConnections(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}
} // namespace

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

QString cliPath()
{
    const QString fromEnvironment = qEnvironmentVariable("KMR_CLI_PATH");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        const QString candidate = dir.filePath(QStringLiteral("kmr5150-cli"));
        if (QFileInfo(candidate).isExecutable())
            return candidate;
        if (!dir.cdUp())
            break;
    }
    return QStringLiteral("kmr5150-cli");
}

CliRun runCli(const QStringList &arguments, int timeoutMs, const QString &program)
{
    QProcess process;
    process.start(program, arguments);
    CliRun run;
    if (!process.waitForStarted(5000))
        return run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(3000);
    }
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QList<QStringList> pythonCsvRows(const QString &path, bool *ok)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
        { QStringLiteral("-c"),
            QStringLiteral("import csv, json, sys\n"
                           "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                           "    print(json.dumps(list(csv.reader(f))))\n"),
            path });
    QList<QStringList> rows;
    *ok = python.waitForFinished(30000) && python.exitCode() == 0;
    if (!*ok)
        return rows;
    const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QJsonValue &row : array) {
        QStringList fields;
        for (const QJsonValue &field : row.toArray())
            fields << field.toString();
        rows << fields;
    }
    return rows;
}

int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

Broker::Broker(int port, const QString &dataDir)
    : m_port(port)
    , m_dataDir(dataDir)
{
}

Broker::~Broker()
{
    stop();
}

bool Broker::start()
{
    QFile config(m_dir.filePath(QStringLiteral("mosquitto.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write(
        QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\nlog_dest stderr\nlog_type all\n")
            .arg(m_port)
            .toUtf8());
    if (m_dataDir.isEmpty())
        config.write("persistence false\n");
    else
        config.write(QStringLiteral("persistence true\npersistence_location %1/\n").arg(m_dataDir).toUtf8());
    config.close();
    m_process = std::make_unique<QProcess>();
    m_process->setStandardErrorFile(m_dir.filePath(QStringLiteral("log")), QIODevice::Append);
    m_process->setStandardOutputFile(m_dir.filePath(QStringLiteral("out")), QIODevice::Append);
    m_process->start(QStringLiteral("mosquitto"), { QStringLiteral("-c"), config.fileName() });
    if (!m_process->waitForStarted(5000))
        return false;
    return waitFor([this] { return acceptsConnections(m_port); }, 10000);
}

void Broker::stop()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(5000)) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
}

QString Broker::log() const
{
    return readFile(m_dir.filePath(QStringLiteral("log")));
}

bool Broker::waitForLog(const QString &text, int timeoutMs) const
{
    return waitFor([&] { return log().contains(text); }, timeoutMs);
}

Subscriber::Subscriber(const Broker &broker, const QString &filter, const QString &sessionId)
    : m_process(std::make_unique<QProcess>())
{
    m_process->setStandardOutputFile(m_dir.filePath(QStringLiteral("out")));
    m_process->setStandardErrorFile(m_dir.filePath(QStringLiteral("err")));
    QStringList arguments { QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
        QString::number(broker.port()), QStringLiteral("-t"), filter, QStringLiteral("-v") };
    if (!sessionId.isEmpty())
        arguments << QStringLiteral("-c") << QStringLiteral("-i") << sessionId << QStringLiteral("-q")
                  << QStringLiteral("1");
    m_process->start(QStringLiteral("mosquitto_sub"), arguments);
    m_process->waitForStarted(5000);
}

Subscriber::~Subscriber()
{
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(3000))
            m_process->kill();
        m_process->waitForFinished(3000);
    }
}

QList<std::pair<QString, QByteArray>> Subscriber::messages() const
{
    QList<std::pair<QString, QByteArray>> list;
    const QString text = readFile(m_dir.filePath(QStringLiteral("out")));
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.removeLast(); // a line still being written
    for (const QString &line : lines) {
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        if (blank > 0)
            list.append({ line.left(blank), line.mid(blank + 1).toUtf8() });
    }
    return list;
}

bool Subscriber::waitForMessages(int count, int timeoutMs) const
{
    return waitFor([&] { return messages().size() >= count; }, timeoutMs);
}

} // namespace clitest
