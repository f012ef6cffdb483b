#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace alvetra {

namespace {

// The handler may only do async-signal-safe work: it writes the signal number into a socket
// that the event loop watches.
int g_signalSockets[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onTerminationSignal(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(g_signalSockets[0], &byte, 1);
}

} // namespace

struct TerminationSignals::Source {
    explicit Source(TerminationSignals *owner)
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0)
            return;
        notifier = std::make_unique<QSocketNotifier>(g_signalSockets[1], QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, owner, [owner] {
            char byte = 0;
            if (::read(g_signalSockets[1], &byte, 1) == 1 && owner->onSignal_)
                owner->onSignal_();
        });
        struct sigaction action {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signalNumber : kSignals)
            ::sigaction(signalNumber, &action, nullptr);
    }

    ~Source()
    {
        for (int signalNumber : kSignals)
            std::signal(signalNumber, SIG_DFL);
        notifier.reset();
        for (int &fd : g_signalSockets) {
            if (fd >= 0)
                ::close(fd);
            fd = -1;
        }
    }

    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject *parent)
    : QObject(parent), onSignal_(std::move(onSignal)), source_(std::make_unique<Source>(this))
{
}

TerminationSignals::~TerminationSignals() = default;

} // namespace alvetra
