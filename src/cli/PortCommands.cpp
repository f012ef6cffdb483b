#include "cli/PortCommands.h"

#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "link/PortWatcher.h"
#include "link/Wait.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>

namespace alvetra::cli {

namespace {

bool listsPort(const std::vector<PortInfo> &ports, const PortInfo &port)
{
    return std::any_of(ports.begin(), ports.end(), [&](const PortInfo &p) { return p.name == port.name; });
}

void watchPorts(std::vector<PortInfo> known, Console &console)
{
    PortWatcher watcher;
    console.message(clitexts::kWatchingPorts.arg(watcher.source()));
    QObject::connect(&watcher, &PortWatcher::portsChanged, [&known, &console] {
        std::vector<PortInfo> now = scanSerialPorts();
        for (const QString &line : portChanges(known, now))
            console.result(line);
        known = std::move(now);
    });
    while (!applicationTerminating())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

QString portLine(const PortInfo &port)
{
    QStringList parts{port.name};
    if (!port.description.isEmpty())
        parts << port.description;
    if (!port.stableName.isEmpty())
        parts << port.stableName;
    return parts.join(QStringLiteral("  "));
}

QStringList portChanges(const std::vector<PortInfo> &before, const std::vector<PortInfo> &after)
{
    QStringList lines;
    for (const PortInfo &port : before) {
        if (!listsPort(after, port))
            lines << QStringLiteral("- ") + port.name;
    }
    for (const PortInfo &port : after) {
        if (!listsPort(before, port))
            lines << QStringLiteral("+ ") + portLine(port);
    }
    return lines;
}

ExitStatus listPorts(const CliOptions &options, Console &console)
{
    const std::vector<PortInfo> ports = scanSerialPorts();
    if (ports.empty())
        console.message(clitexts::kNoSerialPorts);
    for (const PortInfo &port : ports)
        console.result(portLine(port));
    if (options.watch)
        watchPorts(ports, console);
    return ExitStatus::Ok;
}

} // namespace alvetra::cli
