#include "termination_requests.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace formulario {

#ifdef Q_OS_UNIX

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// The handler only writes a byte here; the event loop reads it.
int g_wakeRead = -1;
int g_wakeWrite = -1;

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wakeWrite, &byte, 1);
    errno = saved;
}

void Handle(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

}  // namespace

CTerminationRequests::CTerminationRequests(QObject* parent) : QObject(parent)
{
    int wake[2];
    if (g_wakeRead >= 0 || ::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // the signals keep their default, ending the program at once
    g_wakeRead = wake[0];
    g_wakeWrite = wake[1];
    m_notifier = new QSocketNotifier(g_wakeRead, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(g_wakeRead, bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    Handle(OnSignal);
}

CTerminationRequests::~CTerminationRequests()
{
    if (!m_notifier)
        return;
    Handle(SIG_DFL);
    ::close(g_wakeRead);
    ::close(g_wakeWrite);
    g_wakeRead = g_wakeWrite = -1;
}

#else

CTerminationRequests::CTerminationRequests(QObject* parent) : QObject(parent) {}

CTerminationRequests::~CTerminationRequests() = default;

#endif

}  // namespace formulario
