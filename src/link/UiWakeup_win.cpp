#include "link/UiWakeup.h"

#include <QWinEventNotifier>

#include <windows.h>

namespace alvetra {

struct UiWakeup::Signal {
    HANDLE event = nullptr;   // auto-reset: the notifier's wait consumes it
    std::unique_ptr<QWinEventNotifier> notifier;

    ~Signal()
    {
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
}

UiWakeup::~UiWakeup() = default;

void UiWakeup::wake()
{
    if (signal_->event)
        SetEvent(signal_->event);
}

} // namespace alvetra
