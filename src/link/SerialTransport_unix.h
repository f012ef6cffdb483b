#pragma once
// The serial port of Linux and other POSIX systems behind SerialTransport: a serial device (or
// a pseudo-terminal) on a POSIX descriptor.
//
//   UnixSerialPort port("/dev/ttyUSB0", "ttyUSB0", 19200);   // device, name for messages, bit/s
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

#include <QString>

#include <atomic>
#include <optional>
#include <memory>
#include <mutex>
#include <thread>

namespace alvetra {

// How a failed open is reported, from the system's error code.
Transport::OpenResult openResultForErrno(int error);

class UnixSerialPort final : public Transport {
public:
    UnixSerialPort(QString devicePath, QString portName, int lineRate);
    ~UnixSerialPort() override;
    UnixSerialPort(const UnixSerialPort &) = delete;
    UnixSerialPort &operator=(const UnixSerialPort &) = delete;

    OpenResult open() override;
    WaitResult waitForBytes() override;
    qint64 read(char *buffer, qint64 maxBytes) override;
    qint64 write(const QByteArray &bytes) override;
    void interrupt() override;
    bool close() override;
    int lastError() const override { return lastError_.load(); }
    QString portName() const override { return portName_; }

    // The writer thread's state (SerialTransport_unix.cpp).
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
    std::optional<int> savedSerialFlags_;   // the port's own, while it is in low-latency mode
    std::atomic<int> lastError_{0};

    // Shared with the writer thread, which may outlive this object when the device never lets
    // its last write finish (it is then left to end by itself).
    std::shared_ptr<Writer> writer_;   // under fdMutex_
    std::thread writerThread_;         // under fdMutex_
    std::atomic<bool> stalled_{false};
};

} // namespace alvetra
