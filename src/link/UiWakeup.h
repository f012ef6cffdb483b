#pragma once
// Wakes the UI thread from any thread and runs a callback there.
//
// The wake-up is a signal of the system that the UI thread's event loop watches: on Linux a write
// to an eventfd seen by a QSocketNotifier (UiWakeup_unix.cpp), on Windows an event seen by a
// QWinEventNotifier (UiWakeup_win.cpp). No memory is handed to Qt across threads (a posted event
// would be allocated on one thread and freed on the other inside Qt, where a race detector cannot
// follow it), and the system call itself orders everything the waking thread did before it.
//
//   UiWakeup wakeup([this] { runQueuedSteps(); });   // on the UI thread
//   wakeup.wake();                                    // from any thread
//
// The object must outlive every thread that may still call wake().

#include <functional>
#include <memory>

namespace alvetra {

class UiWakeup {
public:
    explicit UiWakeup(std::function<void()> onWake);
    ~UiWakeup();
    UiWakeup(const UiWakeup &) = delete;
    UiWakeup &operator=(const UiWakeup &) = delete;

    void wake();

private:
    struct Signal;   // the platform's signal and its notifier
    std::unique_ptr<Signal> signal_;
    std::function<void()> onWake_;
};

} // namespace alvetra
