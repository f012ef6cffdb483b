#pragma once
// A serial device (or a pseudo-terminal) as the link's Transport, on a POSIX descriptor.
//
//   SerialTransport port("/dev/ttyUSB0", "ttyUSB0", 8);   // device, name for messages, speed index
//   port.open();             // reader thread: exclusive, raw 8N1, no flow control, DTR and RTS on
//   port.waitForBytes();     // reader thread: sleeps in poll() until bytes, interrupt() or loss
//   port.read(buf, 255);     // reader thread: never blocks
//   port.write(frameText);   // UI thread: writes all bytes, then waits until they have left
//   port.close();            // reader thread: drops DTR and RTS, releases the device
//
// A second open of a device already held (by this program or another) fails as InUse: the
// descriptor is locked with flock() and marked exclusive (TIOCEXCL). A device that refuses the
// modem lines (a pseudo-terminal) is still used.

#include "Transport.h"

#include <atomic>
#include <mutex>

namespace alvetra {

// The device a port name stands for: "/dev/" + name for a name relative to /dev ("ttyUSB0",
// "pts/3"), the name itself when it is a path.
QString devicePathForPort(const QString &portName);

// How a failed open is reported, from the system's error code.
Transport::OpenResult openResultForErrno(int error);

class SerialTransport final : public Transport {
public:
    SerialTransport(QString devicePath, QString portName, int speedIndex);
    ~SerialTransport() override;
    SerialTransport(const SerialTransport &) = delete;
    SerialTransport &operator=(const SerialTransport &) = delete;

    OpenResult open() override;
    WaitResult waitForBytes() override;
    qint64 read(char *buffer, qint64 maxBytes) override;
    qint64 write(const QByteArray &bytes) override;
    void interrupt() override;
    bool close() override;
    int lastError() const override { return lastError_.load(); }
    QString portName() const override { return portName_; }

    int lineRate() const { return lineRate_; }

private:
    OpenResult failOpen(int error);
    OpenResult configureLine();
    bool writeAll(int fd, const QByteArray &bytes);
    void drainWakeups();
    void closeDescriptor();

    const QString devicePath_;
    const QString portName_;
    const int lineRate_;

    // The UI thread writes while the reader thread may close: the descriptor is only used or
    // released under this lock, so a write never reaches a reused descriptor number.
    std::mutex fdMutex_;
    int fd_ = -1;
    int wakeFd_ = -1;   // eventfd: interrupt() -> waitForBytes()
    std::atomic<int> lastError_{0};
};

} // namespace alvetra
