#pragma once

// Runs the built simulator `kmr5150-sim` as a child process for end-to-end tests: starts it
// with the given options, reads the device path from its first output line (with a
// deadline), and ends it in the destructor (SIGTERM, then SIGKILL).
//
//     SimProcess sim({"--address", "3", "--corrupt-every", "4"});
//     ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
//     open(sim.devicePath()) ...
//
// The executable is taken from the environment variable KMR_SIM_PATH when it is set, else
// looked for beside the test program and in the build tree above it. Standard output and
// standard error go to files, so a verbose simulator never blocks on a full pipe.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class SimProcess
{
public:
    explicit SimProcess(const QStringList &arguments = {}, int startTimeoutMs = 5000);
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // True once the first line (the device path) was read.
    bool started() const { return !m_devicePath.isEmpty(); }
    QString devicePath() const { return m_devicePath; }
    QString errorText() const { return m_error; }
    qint64 pid() const;
    bool isRunning() const;

    // SIGUSR1: the simulator closes its pseudo-terminal and removes its link.
    bool vanish();
    // SIGUSR2: it comes back on a new pseudo-terminal and prints the new path as a line.
    bool comeBack();

    // Every line of standard output so far (the first is the device path).
    QStringList outputLines() const;
    bool waitForOutputLines(int count, int timeoutMs) const;
    // Standard error so far (the log of --verbose).
    QString log() const;
    bool waitForLog(const QString &text, int timeoutMs) const;

    // SIGTERM and wait: the exit code, or -1 when it did not exit normally in time.
    int terminate(int timeoutMs = 5000);
    // Waits for the simulator to end by itself: the exit code, or -1 as above.
    int waitForExit(int timeoutMs = 5000);

    static QString executablePath();

private:
    bool signal(int number);

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    QString m_devicePath;
    QString m_error;
};
