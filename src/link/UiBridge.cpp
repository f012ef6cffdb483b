#include "UiBridge.h"

#include <QThread>

namespace alvetra {

UiBridge::UiBridge(QObject *uiContext) : uiContext_(uiContext) {}

bool UiBridge::run(std::function<void()> step)
{
    if (QThread::currentThread() == uiContext_->thread()) {
        // Already on the UI thread: a queued call would wait for itself.
        if (cancelled())
            return false;
        step();
        return true;
    }
    const unsigned long long ticket = ++posted_;
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->cancelled)
            return false;
    }
    // The step holds the shared state, never the bridge: it may run after the bridge is gone.
    QMetaObject::invokeMethod(
        uiContext_,
        [shared = shared_, step = std::move(step)] {
            {
                std::lock_guard lock(shared->mutex);
                if (shared->cancelled)
                    return;
            }
            step();
            std::lock_guard lock(shared->mutex);
            ++shared->finished;
            shared->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(shared_->mutex);
    shared_->changed.wait(lock, [&] { return shared_->cancelled || shared_->finished >= ticket; });
    return shared_->finished >= ticket;
}

void UiBridge::cancel()
{
    std::lock_guard lock(shared_->mutex);
    shared_->cancelled = true;
    shared_->changed.notify_all();
}

bool UiBridge::cancelled() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->cancelled;
}

} // namespace alvetra
