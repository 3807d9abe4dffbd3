#include "support/SimProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {
QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Complete lines only: a line still being written has no newline yet.
QStringList completeLines(const QString &text)
{
    QStringList lines = text.split('\n');
    lines.removeLast();
    return lines;
}
} // namespace

QString SimProcess::executablePath()
{
    const QString fromEnvironment = qEnvironmentVariable("KMR_SIM_PATH");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        const QString candidate = dir.filePath(QStringLiteral("kmr5150-sim"));
        if (QFileInfo(candidate).isExecutable())
            return candidate;
        if (!dir.cdUp())
            break;
    }
    return QStringLiteral("kmr5150-sim");
}

SimProcess::SimProcess(const QStringList &arguments, int startTimeoutMs)
    : m_process(std::make_unique<QProcess>())
{
    m_process->setStandardOutputFile(m_dir.filePath(QStringLiteral("out")));
    m_process->setStandardErrorFile(m_dir.filePath(QStringLiteral("err")));
    m_process->start(executablePath(), arguments);
    if (!m_process->waitForStarted(startTimeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(executablePath(), m_process->errorString());
        return;
    }
    QDeadlineTimer deadline(startTimeoutMs);
    while (!deadline.hasExpired()) {
        const QStringList lines = outputLines();
        if (!lines.isEmpty()) {
            m_devicePath = lines.first();
            return;
        }
        // Doubles as the polling pause; true when the simulator ended (bad options).
        if (m_process->waitForFinished(10)) {
            m_error = QStringLiteral("the simulator ended with status %1: %2")
                          .arg(m_process->exitCode())
                          .arg(log());
            return;
        }
    }
    m_error = QStringLiteral("no device path from the simulator in time");
}

SimProcess::~SimProcess()
{
    if (isRunning() && terminate(3000) < 0 && isRunning()) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
}

qint64 SimProcess::pid() const
{
    return m_process->processId();
}

bool SimProcess::isRunning() const
{
    return m_process->state() != QProcess::NotRunning;
}

bool SimProcess::signal(int number)
{
    const qint64 id = pid();
    return id > 0 && ::kill(static_cast<pid_t>(id), number) == 0;
}

bool SimProcess::vanish()
{
    return signal(SIGUSR1);
}

bool SimProcess::comeBack()
{
    return signal(SIGUSR2);
}

QStringList SimProcess::outputLines() const
{
    return completeLines(readFile(m_dir.filePath(QStringLiteral("out"))));
}

bool SimProcess::waitForOutputLines(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (outputLines().size() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

QString SimProcess::log() const
{
    return readFile(m_dir.filePath(QStringLiteral("err")));
}

bool SimProcess::waitForLog(const QString &text, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!log().contains(text)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

int SimProcess::terminate(int timeoutMs)
{
    if (isRunning())
        signal(SIGTERM);
    return waitForExit(timeoutMs);
}

int SimProcess::waitForExit(int timeoutMs)
{
    if (isRunning() && !m_process->waitForFinished(timeoutMs))
        return -1;
    return m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
}
