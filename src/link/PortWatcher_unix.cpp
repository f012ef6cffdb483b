#include "link/PortWatcher.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimer>

#ifdef ALVETRA_HAVE_UDEV
#include <libudev.h>
#endif

namespace alvetra {

struct PortWatcher::Source {
    explicit Source(PortWatcher *watcher);
    ~Source();
    bool startUdev(PortWatcher *watcher);
    void takeAnnouncements();

#ifdef ALVETRA_HAVE_UDEV
    udev *udev_ = nullptr;
    udev_monitor *monitor_ = nullptr;
#endif
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QFileSystemWatcher> devices_;
};

PortWatcher::Source::Source(PortWatcher *watcher)
{
    if (startUdev(watcher))
        return;
    devices_ = std::make_unique<QFileSystemWatcher>(QStringList{QStringLiteral("/dev")});
    QObject::connect(devices_.get(), &QFileSystemWatcher::directoryChanged, watcher, &PortWatcher::announced);
}

PortWatcher::Source::~Source()
{
    notifier_.reset();
#ifdef ALVETRA_HAVE_UDEV
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
#endif
}

bool PortWatcher::Source::startUdev([[maybe_unused]] PortWatcher *watcher)
{
#ifdef ALVETRA_HAVE_UDEV
    // udev's monitor opens whether or not its daemon runs, but only the daemon announces
    // anything: without it (a container, a minimal system) the /dev folder is watched instead.
    if (!QFileInfo::exists(QStringLiteral("/run/udev/control")))
        return false;
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
    notifier_ = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, watcher, [this, watcher] {
        takeAnnouncements();
        watcher->announced();
    });
    return true;
#else
    return false;
#endif
}

void PortWatcher::Source::takeAnnouncements()
{
#ifdef ALVETRA_HAVE_UDEV
    // Every waiting announcement is taken, so the notifier does not fire again for them.
    while (udev_device *device = udev_monitor_receive_device(monitor_))
        udev_device_unref(device);
#endif
}

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent), settle_(makeSettleTimer()), source_(std::make_unique<Source>(this))
{
}

PortWatcher::~PortWatcher() = default;

QString PortWatcher::source() const
{
    return source_->notifier_ ? QStringLiteral("udev") : QStringLiteral("/dev");
}

} // namespace alvetra
