#pragma once
// Tells when serial ports come and go (an adapter plugged in or pulled out), without a loop that
// polls. Linux: udev's announcements of the "tty" subsystem through a socket notifier, or, built
// without libudev or when its monitor cannot be opened, a change of the /dev folder (inotify)
// (PortWatcher_unix.cpp). Windows: the system's device notifications, WM_DEVICECHANGE, to a
// hidden window of the watcher's (PortWatcher_win.cpp). Listing the ports costs about 20 ms of
// CPU (docs/performance.md), so they are listed only when told, never on a timer.

#include <QObject>
#include <QString>
#include <memory>
class QTimer;

namespace alvetra {

class PortWatcher : public QObject {
    Q_OBJECT
public:
    explicit PortWatcher(QObject *parent = nullptr);
    ~PortWatcher() override;

    // What tells the changes: "udev", "/dev" or "WM_DEVICECHANGE".
    QString source() const;

signals:
    void portsChanged();

private:
    // A plug-in comes as several announcements (the device, its interface, its by-id link): one
    // change is told once they have settled.
    void announced();
    QTimer *makeSettleTimer();

    QTimer *settle_;
    struct Source;   // the platform's announcements, made by the watcher's constructor
    std::unique_ptr<Source> source_;
};

} // namespace alvetra
