#pragma once
// One session with the unit: the port opened through the serial link (or the built-in simulated
// unit), the operations over it, and the exit status of how it ended. The port is closed, after
// a goodbye to the unit, when the session ends.

#include "cli/CliOptions.h"
#include "cli/ExitStatus.h"
#include "cli/TerminalView.h"
#include "link/SerialLink.h"
#include "link/TrafficLog.h"
#include "ops/AlarmOperations.h"
#include "ops/SerialUnitLink.h"
#include "sim/PortTransports.h"

#include <memory>

namespace alvetra::cli {

class UnitSession {
public:
    UnitSession(const CliOptions &options, const QString &dataFolder, Console &console);
    ~UnitSession();
    UnitSession(const UnitSession &) = delete;
    UnitSession &operator=(const UnitSession &) = delete;

    // Opens the traffic log when one is asked for, then the port, and waits until the port is
    // open or has failed: Ok, or the exit status of the failure (its message has been told).
    ExitStatus open();
    // How a failed operation ended, from what it told the fitter.
    ExitStatus failureStatus() const;

    AlarmOperations &operations() { return operations_; }
    OperationState &state() { return state_; }
    TerminalView &view() { return view_; }
    SerialLink &link() { return link_; }

private:
    bool waitForPort();
    // Tells the fitter when the port's adapter holds received bytes too long (latencyAdvice).
    void adviseOnLatency();
    SerialLink::TransportFactory makeTransports();

    const CliOptions &options_;
    OperationConfig config_;
    OperationState state_;
    TerminalView view_;
    TerminalLinkEvents events_;
    Console &console_;
    // With --traffic-log; attached to the link while its port is open, and outlives it.
    TrafficLog trafficLog_;
    // The built-in simulated unit, with --simulator only; it outlives the link.
    std::unique_ptr<PortTransports> transports_;
    SerialLink link_;
    SerialUnitLink unitLink_;
    AlarmOperations operations_;
};

} // namespace alvetra::cli
