// An auto-reset event, seen by a QWinEventNotifier, and the UI thread's event dispatcher woken
// directly as well: the notifier's wait runs on a pool thread, which under Wine took 10 ms a
// wake-up (median) and now and then none before the wait's own 100 ms tick. Whichever sees the
// event first, the dispatcher's wake or the notifier, takes it and runs the callback; both run
// on the UI thread, and the auto-reset event lets only one of them have it.

#include "link/UiWakeup.h"

#include <QAbstractEventDispatcher>
#include <QWinEventNotifier>

#include <windows.h>

namespace alvetra {

struct UiWakeup::Signal {
    HANDLE event = nullptr;
    std::unique_ptr<QWinEventNotifier> notifier;
    QAbstractEventDispatcher *dispatcher = nullptr;   // the UI thread's, living as long as it
    QMetaObject::Connection awake;

    ~Signal()
    {
        QObject::disconnect(awake);
        notifier.reset();
        if (event)
            CloseHandle(event);
    }
};

UiWakeup::UiWakeup(std::function<void()> onWake) : signal_(std::make_unique<Signal>()), onWake_(std::move(onWake))
{
    signal_->event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!signal_->event)
        return;
    signal_->notifier = std::make_unique<QWinEventNotifier>(signal_->event);
    QObject::connect(signal_->notifier.get(), &QWinEventNotifier::activated, [this] {
        if (onWake_)
            onWake_();
    });
    signal_->dispatcher = QAbstractEventDispatcher::instance();
    if (signal_->dispatcher) {
        signal_->awake = QObject::connect(signal_->dispatcher, &QAbstractEventDispatcher::awake, [this] {
            if (WaitForSingleObject(signal_->event, 0) == WAIT_OBJECT_0 && onWake_)
                onWake_();
        });
    }
}

UiWakeup::~UiWakeup() = default;

void UiWakeup::wake()
{
    if (!signal_->event)
        return;
    SetEvent(signal_->event);
    if (signal_->dispatcher)
        signal_->dispatcher->wakeUp();
}

} // namespace alvetra
