#include "sim/PortTransports.h"

#include "link/SerialTransport.h"
#include "sim/SimulatedTransport.h"
#include "sim/SimulatedUnit.h"

namespace alvetra {

PortTransports::PortTransports() : PortTransports(demonstrationUnit()) {}

PortTransports::PortTransports(const sim::UnitConfig &unit) : unit_(std::make_unique<sim::SimulatedUnit>(unit)) {}

PortTransports::~PortTransports() = default;

sim::UnitConfig PortTransports::demonstrationUnit()
{
    sim::UnitConfig config;
    config.password = QString::fromLatin1(sim::kDefaultPassword);
    config.lineSpeed = 19200;
    config.learningTime = std::chrono::seconds(5);
    return config;
}

SerialLink::TransportFactory PortTransports::factory()
{
    return [this](const QString &portName, int speedIndex) -> std::unique_ptr<Transport> {
        if (portName == QLatin1String(sim::kSimulatorPortName))
            return std::make_unique<sim::SimulatedTransport>(*unit_);
        return std::make_unique<SerialTransport>(devicePathForPort(portName), portName, speedIndex);
    };
}

} // namespace alvetra
