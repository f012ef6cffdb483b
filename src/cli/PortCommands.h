#pragma once
// alvetra-cli ports [--watch]: the system's serial ports, and with --watch every adapter that
// arrives or leaves, through the same search and watcher as the window's port list.

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "link/PortSearch.h"

#include <vector>

namespace alvetra::cli {

struct CliOptions;

// "ttyUSB0  FT232R USB UART  /dev/serial/by-id/usb-FTDI_...": the name, then the description and
// the stable name where the system gives them.
QString portLine(const PortInfo &port);

// The lines that tell how `after` differs from `before`: "- NAME" for each port gone, then
// "+ LINE" for each port come, each in the lists' order.
QStringList portChanges(const std::vector<PortInfo> &before, const std::vector<PortInfo> &after);

// Lists the ports; with --watch goes on telling their changes until the program is interrupted
// or its --timeout runs out.
ExitStatus listPorts(const CliOptions &options, Console &console);

} // namespace alvetra::cli
