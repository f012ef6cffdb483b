#pragma once
// A serial device as the link's Transport: the system's serial port behind one class, made once
// per platform (SerialTransport_unix.cpp: a POSIX descriptor, see SerialTransport_unix.h).
//
//   SerialTransport port(devicePathForPort("ttyUSB0"), "ttyUSB0", 8);   // device, name, speed index
//   port.open();             // reader thread: exclusive, raw 8N1, no flow control, DTR and RTS on
//   port.waitForBytes();     // reader thread: sleeps in the kernel until bytes, interrupt() or loss
//   port.read(buf, 255);     // reader thread: never blocks
//   port.write(frameText);   // UI thread: writes all bytes, then waits until they have left
//   port.close();            // reader thread: drops DTR and RTS, releases the device
//
// Every platform keeps the same promises: a device already held fails to open as InUse; a
// write that cannot get rid of its bytes within kStallMarginMs plus twice the wire time of
// everything queued before it fails, and the port then counts as gone (later writes fail at
// once, waitForBytes() reports DeviceLost), as an adapter pulled out does.

#include "link/Transport.h"

#include <QString>
#include <memory>

namespace alvetra {

// The device a port name stands for: on Linux "/dev/" + name for a name relative to /dev
// ("ttyUSB0", "pts/3"), the name itself when it is a path.
QString devicePathForPort(const QString &portName);

// The platform's serial port (one definition per platform).
std::unique_ptr<Transport> makeSystemSerialPort(const QString &devicePath, const QString &portName, int lineRate);

class SerialTransport final : public Transport {
public:
    SerialTransport(const QString &devicePath, const QString &portName, int speedIndex);

    OpenResult open() override { return port_->open(); }
    WaitResult waitForBytes() override { return port_->waitForBytes(); }
    qint64 read(char *buffer, qint64 maxBytes) override { return port_->read(buffer, maxBytes); }
    qint64 write(const QByteArray &bytes) override { return port_->write(bytes); }
    void interrupt() override { port_->interrupt(); }
    bool close() override { return port_->close(); }
    int lastError() const override { return port_->lastError(); }
    QString portName() const override { return port_->portName(); }

    int lineRate() const { return lineRate_; }

    // Real milliseconds a write may take beyond twice the wire time of its bytes.
    static constexpr int kStallMarginMs = 3000;

private:
    int lineRate_;
    std::unique_ptr<Transport> port_;
};

} // namespace alvetra
