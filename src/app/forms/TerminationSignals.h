#pragma once

// SIGTERM, SIGHUP and SIGINT close the program through its normal path, so that what the
// windows hold (the record window's samples) is saved as at any other end.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <signal.h>

class QSocketNotifier;

class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    // Closes `window` and quits the event loop when one of the signals arrives. One object at
    // a time; the previous handlers come back with its end.
    explicit TerminationSignals(QWidget *window);
    ~TerminationSignals() override;

signals:
    void received(int number);

private:
    void readPipe();

    QPointer<QWidget> m_window;
    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_previous[3] {};
};
