#pragma once
// The byte pipe to the alarm unit: a serial device or the simulated unit.
//
// Threads: open(), waitForBytes(), read() and close() are called by the reader thread only;
// write() is called by the UI thread and returns once the bytes have left (drained; it may
// process the UI thread's events meanwhile, like every other wait of the link);
// interrupt() may be called from any thread and wakes a waitForBytes() at once.

#include <QByteArray>
#include <QString>

namespace alvetra {

class Transport {
public:
    enum class OpenResult {
        Opened,
        InUse,          // held by another program
        Missing,        // no such device
        NoPermission,   // present, but this user may not open it
        Failed,         // any other reason
        SpeedRefused,   // opened, but the device does not take the chosen line speed
    };

    enum class WaitResult {
        BytesReady,
        Interrupted,    // interrupt() was called
        DeviceLost,     // the device went away (adapter unplugged, other end closed)
    };

    virtual ~Transport() = default;

    virtual OpenResult open() = 0;
    virtual WaitResult waitForBytes() = 0;
    // Never blocks; 0 when nothing waits, -1 when the device has gone away.
    virtual qint64 read(char *buffer, qint64 maxBytes) = 0;
    virtual qint64 write(const QByteArray &bytes) = 0;        // bytes written, -1 on failure
    virtual void interrupt() = 0;
    virtual bool close() = 0;

    // The system's error code of the last failed call (errno on POSIX), for messages.
    virtual int lastError() const = 0;
    // The name shown in messages ("ttyUSB0", "Symulator", ...).
    virtual QString portName() const = 0;
};

} // namespace alvetra
