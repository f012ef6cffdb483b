// alvetra-unit: serves a simulated alarm unit on a pseudo-terminal (or a serial device) and takes
// commands on standard input until interrupted.

#include "link/TrafficLogFormat.h"
#include "sim/PtyServer.h"
#include "sim/SessionReplay.h"
#include "sim/SimulatedUnit.h"
#include "sim/tool/ToolOptions.h"
#include "sim/UnitCommands.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <mutex>
#include <poll.h>
#include <unistd.h>

using namespace alvetra;
using namespace alvetra::sim;

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

void installSignalHandlers()
{
    if (::pipe(g_signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

std::mutex g_printMutex;

void print(const QString &text, FILE *stream = stdout)
{
    if (text.isEmpty())
        return;
    std::lock_guard lock(g_printMutex);
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void configure(SimulatedUnit &unit, const ToolOptions &options)
{
    unit.setFaults(options.faults);
    for (const auto &[first, last] : options.refusedRanges)
        unit.refuseWrites(first, last);
    if (options.verbose) {
        const Clock::time_point started = Clock::now();
        unit.setFrameObserver([started, times = options.timestamps](const LoggedFrame &f) {
            const bool in = f.direction == LoggedFrame::Direction::Received;
            const QString line = QStringLiteral("%1 %2%3").arg(in ? "<-" : "->", QString::fromLatin1(f.wire.trimmed().toPercentEncoding(":;")),
                                                               f.damaged ? " (damaged)" : "");
            const double ms = std::chrono::duration<double, std::milli>(f.at - started).count();
            print(times ? QString::number(ms, 'f', 1) + u' ' + line : line);
        });
    }
}

// Loads the recording and answers from it; requests it does not hold are told on stderr.
bool startReplay(SimulatedUnit &unit, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        print(QStringLiteral("alvetra-unit: cannot read %1: %2").arg(path, file.errorString()), stderr);
        return false;
    }
    const TrafficLogContents log = readTrafficLog(file.readAll());
    if (log.badLines > 0)
        print(QStringLiteral("alvetra-unit: %1: %2 lines are no record (the first is line %3); skipped")
                  .arg(path).arg(log.badLines).arg(log.firstBadLine),
              stderr);
    auto replay = std::make_shared<SessionReplay>(log);
    print(QStringLiteral("replaying %1 requests from %2").arg(replay->exchanges()).arg(path));
    unit.setReplay(replay, [](const Frame &request) {
        print(QStringLiteral("not in the recording, left unanswered: %1")
                  .arg(QString::fromLatin1(encodeFrame(request).trimmed())),
              stderr);
    });
    return true;
}

bool startServing(PtyServer &server, const ToolOptions &options)
{
    server.setEndpointListener([](const QString &path) {
        print(path.isEmpty() ? QStringLiteral("port closed (cable pulled)") : QStringLiteral("serving on %1").arg(path));
    });
    const bool started = options.devicePath.isEmpty()
        ? server.startPty(options.linkPath)
        : server.startDevice(options.devicePath, options.unit.lineSpeed > 0 ? options.unit.lineSpeed : 19200);
    if (!started)
        print(QStringLiteral("alvetra-unit: %1").arg(server.errorString()), stderr);
    return started;
}

// Reads commands until "quit" or a signal; standard input reaching its end leaves the unit
// serving (as when started in the background) until a signal comes.
void runConsole(UnitCommands &commands)
{
    QByteArray pending;
    bool stdinOpen = true;
    for (;;) {
        pollfd fds[2] = {{g_signalPipe[0], POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (::poll(fds, stdinOpen ? 2 : 1, -1) < 0)
            continue;
        if (fds[0].revents & POLLIN)
            return;
        if (!(fds[1].revents & (POLLIN | POLLHUP)))
            continue;
        char buffer[1024];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            stdinOpen = false;
            continue;
        }
        pending.append(buffer, n);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const UnitCommands::Outcome outcome = commands.execute(QString::fromLocal8Bit(pending.left(end)));
            pending.remove(0, end + 1);
            print(outcome.text, outcome.ok ? stdout : stderr);
            if (outcome.quit)
                return;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const ParsedOptions parsed = parseToolOptions(QCoreApplication::arguments());
    if (!parsed.options) {
        print(parsed.error, parsed.help ? stdout : stderr);
        return parsed.help ? 0 : 2;
    }
    const ToolOptions &options = *parsed.options;

    installSignalHandlers();
    SimulatedUnit unit(options.unit);
    configure(unit, options);
    if (!options.replayPath.isEmpty() && !startReplay(unit, options.replayPath))
        return 1;
    PtyServer server(unit);
    if (!startServing(server, options))
        return 1;
    if (!options.linkPath.isEmpty())
        print(QStringLiteral("link %1 -> %2").arg(options.linkPath, server.devicePath()));
    print(QStringLiteral("unit %1 at %2 bit/s, PC password in memory \"%3\"; type help for commands")
              .arg(QString::fromLatin1(unit.identification()))
              .arg(unit.lineSpeed())
              .arg(QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(unit.memory().data()) + unit.layout().pcPassword, 4))));

    UnitCommands commands(unit);
    runConsole(commands);
    server.setEndpointListener({});   // closing at the end is not a pulled cable
    server.stop();
    return 0;
}
