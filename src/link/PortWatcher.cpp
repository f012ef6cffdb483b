#include "link/PortWatcher.h"

#include <QTimer>

namespace alvetra {

namespace {

constexpr int kSettleMs = 300;

} // namespace

QTimer *PortWatcher::makeSettleTimer()
{
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(kSettleMs);
    connect(timer, &QTimer::timeout, this, &PortWatcher::portsChanged);
    return timer;
}

void PortWatcher::announced()
{
    settle_->start();
}

} // namespace alvetra
