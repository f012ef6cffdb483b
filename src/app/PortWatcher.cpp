#include "app/PortWatcher.h"

#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimer>

#ifdef ALVETRA_HAVE_UDEV
#include <libudev.h>
#endif

namespace alvetra {

namespace {

constexpr int kSettleMs = 300;

} // namespace

PortWatcher::PortWatcher(QObject *parent) : QObject(parent)
{
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &PortWatcher::portsChanged);
    if (startUdev())
        return;
    devices_ = new QFileSystemWatcher({QStringLiteral("/dev")}, this);
    connect(devices_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
}

PortWatcher::~PortWatcher()
{
#ifdef ALVETRA_HAVE_UDEV
    delete notifier_;
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
#endif
}

bool PortWatcher::startUdev()
{
#ifdef ALVETRA_HAVE_UDEV
    udev_ = udev_new();
    if (!udev_)
        return false;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(monitor_) < 0) {
        if (monitor_)
            udev_monitor_unref(monitor_);
        monitor_ = nullptr;
        return false;
    }
    notifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &PortWatcher::onUdevReadable);
    return true;
#else
    return false;
#endif
}

void PortWatcher::onUdevReadable()
{
#ifdef ALVETRA_HAVE_UDEV
    // Every waiting announcement is taken, so the notifier does not fire again for them.
    while (udev_device *device = udev_monitor_receive_device(monitor_))
        udev_device_unref(device);
    settle_->start();
#endif
}

} // namespace alvetra
