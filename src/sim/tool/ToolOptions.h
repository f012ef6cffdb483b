#pragma once
// Command-line options of alvetra-unit.

#include "sim/SimulatedUnit.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace alvetra::sim {

struct ToolOptions {
    UnitConfig unit;
    FaultPlan faults;
    std::vector<std::pair<int, int>> refusedRanges;
    QString linkPath;      // pty mode: symlink to the pseudo-terminal
    QString devicePath;    // device mode: a real serial port
    QString replayPath;    // a recorded traffic log to answer from
    bool verbose = false;
    bool timestamps = false;   // --verbose lines start with the milliseconds since the tool started
};

// The options, or an error text for the user (the usage text comes from QCommandLineParser).
struct ParsedOptions {
    std::optional<ToolOptions> options;
    QString error;        // or the usage text when help was asked for
    bool help = false;
};

ParsedOptions parseToolOptions(const QStringList &arguments);

} // namespace alvetra::sim
