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
//
// The bytes are written and drained by a writer thread of the port's own, in the order the
// writes came; write() processes the UI thread's events until its bytes have left. A write
// that does not get rid of its bytes within the stall limit (the margin plus twice the wire
// time of everything queued before it) fails, and the port then counts as gone: every later
// write fails at once and the reader's waitForBytes() reports DeviceLost, so an adapter that
// stops taking bytes is closed and reported like one pulled out, never freezing the window.

#include "link/Transport.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

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

    // Real milliseconds a write may take beyond twice the wire time of its bytes.
    static constexpr int kStallMarginMs = 3000;

    // The writer thread's state (SerialTransport.cpp).
    struct Writer;

private:
    OpenResult failOpen(int error);
    OpenResult configureLine();
    int startWriter();   // 0, or the system's error code
    void stopWriter();
    int stallLimitMs(qint64 queuedBytes) const;
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

    // Shared with the writer thread, which may outlive this object when the device never lets
    // its last write finish (it is then left to end by itself).
    std::shared_ptr<Writer> writer_;   // under fdMutex_
    std::thread writerThread_;         // under fdMutex_
    std::atomic<bool> stalled_{false};
};

} // namespace alvetra
