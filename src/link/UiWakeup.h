#pragma once
// Wakes the UI thread from any thread and runs a callback there.
//
// The wake-up is a write to an eventfd that the UI thread's event loop watches through a
// QSocketNotifier: no memory is handed to Qt across threads (a posted event would be allocated
// on one thread and freed on the other inside Qt, where a race detector cannot follow it), and
// the descriptor write itself orders everything the waking thread did before it.
//
//   UiWakeup wakeup([this] { runQueuedSteps(); });   // on the UI thread
//   wakeup.wake();                                    // from any thread
//
// The object must outlive every thread that may still call wake().

#include <functional>

class QSocketNotifier;

namespace alvetra {

class UiWakeup {
public:
    explicit UiWakeup(std::function<void()> onWake);
    ~UiWakeup();
    UiWakeup(const UiWakeup &) = delete;
    UiWakeup &operator=(const UiWakeup &) = delete;

    void wake();

private:
    void consume();

    int fd_ = -1;
    QSocketNotifier *notifier_ = nullptr;
    std::function<void()> onWake_;
};

} // namespace alvetra
