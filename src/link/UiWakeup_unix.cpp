#include "link/UiWakeup.h"

#include <QSocketNotifier>

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace alvetra {

struct UiWakeup::Signal {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Signal()
    {
        notifier.reset();
        if (fd >= 0)
            ::close(fd);
    }
};

UiWakeup::UiWakeup(std::function<void()> onWake) : signal_(std::make_unique<Signal>()), onWake_(std::move(onWake))
{
    signal_->fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (signal_->fd < 0)
        return;
    signal_->notifier = std::make_unique<QSocketNotifier>(signal_->fd, QSocketNotifier::Read);
    QObject::connect(signal_->notifier.get(), &QSocketNotifier::activated, [this] {
        std::uint64_t count = 0;
        (void)!::read(signal_->fd, &count, sizeof count);
        if (onWake_)
            onWake_();
    });
}

UiWakeup::~UiWakeup() = default;

void UiWakeup::wake()
{
    if (signal_->fd < 0)
        return;
    const std::uint64_t one = 1;
    (void)!::write(signal_->fd, &one, sizeof one);
}

} // namespace alvetra
