#include "app/forms/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Handled[3] = { SIGTERM, SIGHUP, SIGINT };
// The pipe between the handler and the event loop: a handler may only write to it.
int g_pipe[2] = { -1, -1 };

void writeSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    // A full pipe already holds a signal that will close the program.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(QWidget *window)
    : m_window(window)
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        qFatal("TerminationSignals: no pipe for the signals");
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);

    struct sigaction action
    {
    };
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        ::sigaction(Handled[i], &action, &m_previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    for (int i = 0; i < 3; ++i)
        ::sigaction(Handled[i], &m_previous[i], nullptr);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationSignals::readPipe()
{
    char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1) {
        emit received(int(byte));
        // The window's own close path says goodbye to the instrument; the windows save what
        // they hold when the program ends after the event loop.
        if (m_window)
            m_window->close();
        QCoreApplication::quit();
    }
}
