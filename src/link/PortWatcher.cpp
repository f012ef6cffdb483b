#include "link/PortWatcher.h"

#include <QTimer>

namespace alvetra {

namespace {

// One plug-in's announcements come within a few milliseconds of each other; the ports are listed
// once they have stopped, and a fitter sees the change well within a second.
constexpr int kSettleMs = 100;

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
