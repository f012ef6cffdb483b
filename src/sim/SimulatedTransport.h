#pragma once
// The in-process port "Symulator": a Transport whose other end is a SimulatedUnit.
//
//   SimulatedUnit unit;                       // must outlive every transport made for it
//   SimulatedTransport port(unit);
//   port.open();                              // Opened; InUse while another consumer holds the
//                                             // unit's line; Missing while the unit is unplugged
//   port.write(encodeFrame(request));         // UI thread: returns after the bytes' wire time
//   port.waitForBytes();                      // reader thread: sleeps on a condition variable
//                                             // until a reply byte is due, interrupt(), or the
//                                             // unit is unplugged (DeviceLost)
//   port.read(buffer, 255);                   // the bytes whose paced time has come; never blocks;
//                                             // -1 (EIO) once the device is lost
//   port.close();                             // releases the line; a new transport may open
//
// Bytes leave the unit at its line speed (1920 characters a second at 19200 bit/s), so a reply
// takes the time it would take on a real cable. A transport that has lost its device stays lost;
// the program reopens (a new transport) once the unit is plugged in again.

#include "sim/SimulatedUnit.h"
#include "link/Transport.h"

#include <QByteArray>
#include <atomic>
#include <mutex>

namespace alvetra::sim {

inline constexpr char kSimulatorPortName[] = "Symulator";

class SimulatedTransport final : public Transport {
public:
    explicit SimulatedTransport(SimulatedUnit &unit);
    ~SimulatedTransport() override;

    OpenResult open() override;
    WaitResult waitForBytes() override;
    qint64 read(char *buffer, qint64 maxBytes) override;
    qint64 write(const QByteArray &bytes) override;
    void interrupt() override;
    bool close() override;
    int lastError() const override { return lastError_.load(); }
    QString portName() const override { return QString::fromLatin1(kSimulatorPortName); }

private:
    SimulatedUnit::LineToken token() const { return token_.load(std::memory_order_acquire); }
    void fillReadable();

    SimulatedUnit &unit_;
    std::atomic<SimulatedUnit::LineToken> token_{0};
    std::atomic<bool> interrupted_{false};
    std::atomic<int> lastError_{0};
    std::mutex readMutex_;
    QByteArray readable_;   // bytes already due but not yet read
};

} // namespace alvetra::sim
