#pragma once
// Serves a SimulatedUnit on a new pseudo-terminal, or on a real serial device for a null-modem
// cable, from a thread of its own that sleeps in poll() until the program writes, a byte of the
// unit becomes due, or the unit changes (learning ends, cable pulled).
//
//   SimulatedUnit unit;
//   PtyServer server(unit);
//   if (!server.startPty("/tmp/unit"))       // optional stable symlink to /dev/pts/N
//       qWarning() << server.errorString();
//   server.devicePath();                      // "/dev/pts/N": what the program opens
//   ...
//   server.stop();                            // also done by the destructor; removes the link
//
// or server.startDevice("/dev/ttyUSB0", 19200) for raw 8N1 at that speed.
//
// The server keeps its own descriptor of the pty's slave side open (raw), so reading the master
// does not fail with EIO while the program has the port closed. unit.unplug() closes both sides
// (the program sees its port go away); unit.replug() opens a new pseudo-terminal and moves the
// symlink to it.

#include "sim/SimulatedUnit.h"

#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace alvetra::sim {

class PtyServer {
public:
    explicit PtyServer(SimulatedUnit &unit);
    ~PtyServer();
    PtyServer(const PtyServer &) = delete;
    PtyServer &operator=(const PtyServer &) = delete;

    bool startPty(const QString &linkPath = {});
    bool startDevice(const QString &devicePath, int bitsPerSecond);
    void stop();

    bool running() const { return thread_.joinable(); }
    QString devicePath() const;
    QString linkPath() const { return linkPath_; }
    QString errorString() const;

    // Called from the server's thread with the new device path after a reopen (empty when the
    // endpoint was closed, e.g. by unplug()).
    void setEndpointListener(std::function<void(const QString &)> listener);

private:
    enum class Mode { Pty, Device };

    bool start(Mode mode, const QString &path, int bitsPerSecond);
    bool openEndpoint();
    bool openPty();
    bool openDevice();
    void closeEndpoint();
    bool placeLink(const QString &target);
    void removeLink();
    void run();
    void serveOnce();
    void readFromProgram();
    void writeToProgram();
    void reopenIfPluggedIn();
    void wake();
    void drainWake();
    void fail(const QString &what);
    void announce(const QString &path);

    SimulatedUnit &unit_;
    Mode mode_ = Mode::Pty;
    QString requestedPath_;   // device path (device mode)
    QString linkPath_;        // symlink (pty mode), empty for none
    int bitsPerSecond_ = 19200;

    int endpointFd_ = -1;     // pty master or the serial device
    int slaveFd_ = -1;        // pty mode: our own slave descriptor
    int wakeFd_ = -1;         // eventfd: the unit's listener and stop()
    SimulatedUnit::LineToken token_ = 0;
    QByteArray pendingOut_;   // due bytes the endpoint has not taken yet
    std::atomic<bool> stopping_{false};
    std::thread thread_;

    mutable std::mutex stateMutex_;
    QString devicePath_;
    QString error_;
    std::function<void(const QString &)> endpointListener_;
};

} // namespace alvetra::sim
