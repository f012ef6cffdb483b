#pragma once
// Which byte pipe a port name opens: "Symulator" the in-process simulated unit, every other name
// the serial device of that name. The simulated unit is made here and lives as long as this
// object, so it keeps its memory, password and history across reopenings of the port.
//
//   PortTransports ports;                          // before the window, so it outlives it
//   setup.transports = ports.factory();

#include "link/SerialLink.h"

#include <memory>

namespace alvetra {

namespace sim {
class SimulatedUnit;
struct UnitConfig;
}

class PortTransports {
public:
    PortTransports();
    explicit PortTransports(const sim::UnitConfig &unit);
    ~PortTransports();
    PortTransports(const PortTransports &) = delete;
    PortTransports &operator=(const PortTransports &) = delete;

    // Valid as long as this object lives.
    SerialLink::TransportFactory factory();
    sim::SimulatedUnit &simulatedUnit() { return *unit_; }

    // The unit as the demonstration runs it: default memory, password "1234", paced at
    // 19200 bit/s, learning by itself after a few seconds.
    static sim::UnitConfig demonstrationUnit();

private:
    std::unique_ptr<sim::SimulatedUnit> unit_;
};

} // namespace alvetra
