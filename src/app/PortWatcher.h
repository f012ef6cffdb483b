#pragma once
// Tells when serial devices come and go (an adapter plugged in or pulled out), without a loop
// that polls: udev's announcements of the "tty" subsystem through a socket notifier. Without
// udev (built without libudev, or its monitor cannot be opened) the ports are listed again once
// a second and a change is told (docs/performance.md has the cost).

#include <QObject>
#include <QStringList>

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

    // True when udev announces the changes; false when the ports are listed every second.
    bool usesUdev() const { return monitor_ != nullptr; }

signals:
    void portsChanged();

private:
    bool startUdev();
    void onUdevReadable();
    void onRescan();

    udev *udev_ = nullptr;
    udev_monitor *monitor_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
    // udev announces a plug-in as several events (the device, its by-id link): one change is told
    // once they have settled.
    QTimer *settle_ = nullptr;
    QTimer *rescan_ = nullptr;
    QStringList lastScan_;
};

} // namespace alvetra
