#include "link/Wait.h"

#include "link/UiWakeup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cmath>

namespace alvetra {

namespace {

std::atomic<double> g_speedup{1.0};
std::atomic<bool> g_terminating{false};
std::atomic<UiWakeup *> g_wakeup{nullptr};

const QElapsedTimer &monotonicClock()
{
    static const QElapsedTimer clock = [] { QElapsedTimer t; t.start(); return t; }();
    return clock;
}

bool anyRaised(std::initializer_list<const std::atomic<bool> *> flags)
{
    return std::any_of(flags.begin(), flags.end(),
                       [](const std::atomic<bool> *f) { return f && f->load(std::memory_order_acquire); });
}

} // namespace

void TimeBase::setSpeedup(double speedup) { g_speedup.store(speedup > 0 ? speedup : 1.0); }
double TimeBase::speedup() { return g_speedup.load(); }

qint64 TimeBase::nowMs()
{
    return static_cast<qint64>(static_cast<double>(monotonicClock().nsecsElapsed()) / 1e6 * speedup());
}

int TimeBase::toRealMs(qint64 protocolMs)
{
    if (protocolMs <= 0)
        return 0;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(protocolMs) / speedup())));
}

ScaledTimer::ScaledTimer(QObject *parent) : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer);
}

void ScaledTimer::setIntervalMs(int protocolMs)
{
    if (protocolMs == protocolInterval_)
        return;
    protocolInterval_ = protocolMs;
    setInterval(TimeBase::toRealMs(protocolMs));
}

bool applicationTerminating() { return g_terminating.load(std::memory_order_acquire); }
void setApplicationTerminating(bool terminating) { g_terminating.store(terminating, std::memory_order_release); }

void delay(int ms, std::initializer_list<const std::atomic<bool> *> stopFlags)
{
    if (ms <= 0)
        return;
    installUiWakeup();
    const qint64 deadline = TimeBase::nowMs() + ms;
    // The timer guarantees a wake-up at the deadline; replies wake the loop earlier through the
    // events the reader thread posts.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    for (;;) {
        if (applicationTerminating() || anyRaised(stopFlags))
            return;
        const qint64 remaining = deadline - TimeBase::nowMs();
        if (remaining <= 0)
            return;
        wake.start(TimeBase::toRealMs(std::min<qint64>(remaining, 100)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void installUiWakeup()
{
    if (g_wakeup.load(std::memory_order_acquire))
        return;
    // Kept for the whole process: another thread may wake it at any time.
    static UiWakeup *wakeup = new UiWakeup({});
    g_wakeup.store(wakeup, std::memory_order_release);
}

void wakeUiThread()
{
    // Makes the UI thread's event loop return, so that a wait looks at its flags again.
    if (UiWakeup *wakeup = g_wakeup.load(std::memory_order_acquire))
        wakeup->wake();
}

} // namespace alvetra
