#include "link/UiWakeup.h"

#include <QSocketNotifier>

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace alvetra {

UiWakeup::UiWakeup(std::function<void()> onWake) : onWake_(std::move(onWake))
{
    fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd_ < 0)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, [this] { consume(); });
}

UiWakeup::~UiWakeup()
{
    delete notifier_;
    if (fd_ >= 0)
        ::close(fd_);
}

void UiWakeup::wake()
{
    if (fd_ < 0)
        return;
    const std::uint64_t one = 1;
    (void)!::write(fd_, &one, sizeof one);
}

void UiWakeup::consume()
{
    std::uint64_t count = 0;
    (void)!::read(fd_, &count, sizeof count);
    if (onWake_)
        onWake_();
}

} // namespace alvetra
