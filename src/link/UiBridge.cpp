#include "link/UiBridge.h"


namespace alvetra {

UiBridge::UiBridge() : uiThread_(std::this_thread::get_id()), wakeup_([this] { runQueuedSteps(); }) {}

bool UiBridge::run(std::function<void()> step)
{
    if (std::this_thread::get_id() == uiThread_) {
        // Already on the UI thread: a queued step would wait for itself.
        if (cancelled())
            return false;
        step();
        return true;
    }
    unsigned long long ticket = 0;
    {
        std::lock_guard lock(mutex_);
        if (cancelled_)
            return false;
        queue_.push_back(std::move(step));
        ticket = ++posted_;
    }
    wakeup_.wake();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return cancelled_ || finished_ >= ticket; });
    return !cancelled_;
}

void UiBridge::runQueuedSteps()
{
    for (;;) {
        std::function<void()> step;
        {
            std::lock_guard lock(mutex_);
            if (cancelled_ || queue_.empty())
                return;
            step = std::move(queue_.front());
            queue_.pop_front();
        }
        step();
        // The step's captures are released here, on the UI thread, before the reader goes on.
        step = nullptr;
        std::lock_guard lock(mutex_);
        ++finished_;
        changed_.notify_all();
    }
}

void UiBridge::cancel()
{
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    queue_.clear();
    changed_.notify_all();
}

bool UiBridge::cancelled() const
{
    std::lock_guard lock(mutex_);
    return cancelled_;
}

} // namespace alvetra
