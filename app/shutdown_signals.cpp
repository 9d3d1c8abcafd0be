#include "app/shutdown_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int SignalPipe[2] = {-1, -1};

// Only async-signal-safe work here: hand the signal to the event loop.
void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(SignalPipe[0], &byte, 1);
}
} // namespace

TShutdownSignals::TShutdownSignals(QObject* AParent) : QObject(AParent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    FNotifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TShutdownSignals::Handle);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TShutdownSignals::~TShutdownSignals()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    for (int& fd : SignalPipe)
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
}

void TShutdownSignals::Handle()
{
    char byte = 0;
    [[maybe_unused]] const auto read = ::read(SignalPipe[1], &byte, 1);
    FSignaled = true;
    emit ShutdownRequested();
}
