#pragma once
// Time base, waits that keep the window alive, and the application-terminating mark.
//
// All protocol times (transaction waits, timer intervals, the learning wait) are given in
// "protocol milliseconds". In the program one protocol millisecond is one real millisecond; a
// test may speed the time base up so that a 100-second wait passes in a second. Only waits and
// timers go through the time base; the simulated unit's line pacing does not.

#include <QTimer>

#include <atomic>
#include <initializer_list>

namespace alvetra {

class TimeBase {
public:
    // Protocol milliseconds per real millisecond (1 in the program).
    static void setSpeedup(double speedup);
    static double speedup();
    // Protocol milliseconds elapsed on a monotonic clock.
    static qint64 nowMs();
    // Real milliseconds for a protocol interval (at least 1 for a positive interval).
    static int toRealMs(qint64 protocolMs);
};

// A QTimer whose interval is given in protocol milliseconds.
class ScaledTimer : public QTimer {
    Q_OBJECT
public:
    explicit ScaledTimer(QObject *parent = nullptr);
    void setIntervalMs(int protocolMs);   // a different interval restarts a running timer's count
    int intervalMs() const { return protocolInterval_; }

private:
    int protocolInterval_ = 0;
};

// Set once the main window has begun to close; every wait and retry loop ends then.
bool applicationTerminating();
void setApplicationTerminating(bool terminating);

// Waits `ms` protocol milliseconds while processing events. Ends early when the application is
// terminating or any of `stopFlags` is raised (loaded with acquire). A value of 0 returns at once.
void delay(int ms, std::initializer_list<const std::atomic<bool> *> stopFlags = {});

// Called by another thread after raising a flag that a UI-thread wait may be watching: wakes the
// UI thread's event loop so that the wait sees the flag at once instead of at its next tick.
void wakeUiThread();
// Prepares wakeUiThread(); called on the UI thread (delay and the serial link do it).
void installUiWakeup();

} // namespace alvetra
