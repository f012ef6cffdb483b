#pragma once
// Tells when serial devices come and go (an adapter plugged in or pulled out), without a loop
// that polls: udev's announcements of the "tty" subsystem through a socket notifier. Without
// udev (built without libudev, or its monitor cannot be opened) a change of the /dev folder
// (inotify) is told instead. Listing the ports costs about 20 ms of CPU (docs/performance.md),
// so they are listed only when told, never on a timer.

#include <QObject>
class QFileSystemWatcher;
class QSocketNotifier;
class QTimer;
struct udev;
struct udev_monitor;

namespace alvetra {

class PortWatcher : public QObject {
    Q_OBJECT
public:
    explicit PortWatcher(QObject *parent = nullptr);
    ~PortWatcher() override;

    // True when udev announces the changes; false when /dev is watched instead.
    bool usesUdev() const { return monitor_ != nullptr; }

signals:
    void portsChanged();

private:
    bool startUdev();
    void onUdevReadable();

    udev *udev_ = nullptr;
    udev_monitor *monitor_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
    // udev announces a plug-in as several events (the device, its by-id link): one change is told
    // once they have settled.
    QTimer *settle_ = nullptr;
    QFileSystemWatcher *devices_ = nullptr;
};

} // namespace alvetra
