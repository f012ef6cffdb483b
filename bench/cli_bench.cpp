// alvetra-cli as a script runs it, against the simulated unit on a pseudo-terminal paced at
// 19200 bit/s:
//   (a) `alvetra-cli read`, from starting the process to its end, against the physical limit of
//       the exchanges the unit logged (OperationLimit.h); the goal is at most 1.10 times that;
//   (b) start-up: `alvetra-cli --version`, from starting the process to its end; the goal is
//       under 50 ms;
//   (c) the CPU the program takes while it waits on an open port for a unit that does not
//       answer (two seconds of its first request's wait); the goal is under 1 % of a core.
//
//   build/bench/cli_bench [--runs N] [--windows BUILD_DIR]
//
// (a) is also given from the login's start (the unit's log: its first request, less the mandated
// second and the request's wire time) to the program's end, without the start and the opening.
//
// With --windows, the program is BUILD_DIR's alvetra-cli.exe under Wine (BUILD_DIR/wine-run.sh),
// through COM7, which the build's Wine prefix maps to the unit's pseudo-terminal. Wine's own
// start is then part of (a) and (b), but not of (a) from the login's start, which a real Windows
// has too; (c) counts Wine's server as well.

#include "BenchSupport.h"
#include "OperationLimit.h"
#include "sim/PtyServer.h"
#include "sim/SimulatedUnit.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace alvetra;
using namespace alvetra::bench;

namespace {

constexpr double kStartUpGoalMs = 50;
constexpr double kIdleGoalPercent = 1;

// How alvetra-cli is started, and the port that names the unit for it.
struct Program {
    QString executable;
    QStringList leadingArguments;
    QString port;
};

// Milliseconds from starting the program to its end; negative when it failed. `end`: when it ended.
double timeRun(const Program &program, const QStringList &arguments, QByteArray *errors = nullptr,
               sim::Clock::time_point *end = nullptr)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program.executable, program.leadingArguments + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (errors)
            *errors = process.readAllStandardError() + process.readAllStandardOutput();
        return -1;
    }
    if (end)
        *end = sim::Clock::now();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Milliseconds from the login's start to the program's end: the first request arrived after the
// mandated second and its own wire time, so the program's and Wine's start and the port's
// opening are left out.
double fromLoginToEnd(const std::vector<sim::LoggedFrame> &log, sim::Clock::time_point end)
{
    const sim::LoggedFrame &first = log.front();
    const double firstMs = 1000 + static_cast<double>(encodeFrame(first.frame).size()) * kMsPerChar;
    return std::chrono::duration<double, std::milli>(end - first.at).count() + firstMs;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// CPU ticks (user and system) a process has taken; 0 for none.
long long cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return 0;
    // Fields after the command's closing parenthesis: state is the first, utime the 12th.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : 0;
}

// The process named `name`, or 0.
qint64 processNamed(const QString &name)
{
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(entry));
        if (entry.toLongLong() > 0 && comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.toUtf8())
            return entry.toLongLong();
    }
    return 0;
}

// Percent of a core the program (and Wine's server, when there is one) took during two seconds
// of waiting for the unit's first reply, which never comes; negative when it did not get there.
double idleCpuPercent(const Program &program, sim::SimulatedUnit &unit)
{
    unit.clearFrameLog();
    unit.setAnswering(false);
    QProcess process;
    process.start(program.executable, program.leadingArguments +
                                          QStringList{QStringLiteral("info"), QStringLiteral("--port"), program.port,
                                                      QStringLiteral("--password"), QStringLiteral("1234")});
    QElapsedTimer clock;
    clock.start();
    while (unit.received().empty() && clock.elapsed() < 20000)
        QThread::msleep(5);
    double percent = -1;
    if (!unit.received().empty()) {
        QThread::msleep(200);   // the request has left; the program only waits now
        const qint64 server = processNamed(QStringLiteral("wineserver"));
        const long long before = cpuTicks(process.processId()) + cpuTicks(server);
        QElapsedTimer window;
        window.start();
        QThread::msleep(2000);
        const long long after = cpuTicks(process.processId()) + cpuTicks(server);
        percent = 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / (double(window.elapsed()) / 1000.0);
    }
    process.kill();
    process.waitForFinished(10000);
    unit.setAnswering(true);
    return percent;
}

// alvetra-cli.exe under Wine, through COM7 mapped to `device` in the build's Wine prefix.
Program windowsProgram(const QString &buildDir, const QString &device)
{
    const QString dir = QDir(buildDir).absolutePath();
    QString prefix = qEnvironmentVariable("ALVETRA_WINEPREFIX");
    if (prefix.isEmpty())
        prefix = dir + QStringLiteral("/wine");
    Program program{dir + QStringLiteral("/wine-run.sh"), {dir + QStringLiteral("/alvetra-cli.exe")}, QStringLiteral("COM7")};
    timeRun(program, {QStringLiteral("--version")});   // makes the prefix, starts Wine's server
    const QString link = prefix + QStringLiteral("/dosdevices/com7");
    QFile::remove(link);
    if (!QFile::link(device, link))
        std::fprintf(stderr, "cannot map COM7 to %s in %s\n", qPrintable(device), qPrintable(prefix));
    return program;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(1, argument(app.arguments(), QStringLiteral("--runs"), 3));
    const qsizetype windowsAt = app.arguments().indexOf(QStringLiteral("--windows"));
    const QString windowsBuild = windowsAt > 0 ? app.arguments().value(windowsAt + 1) : QString();

    QTemporaryDir dir;
    sim::SimulatedUnit unit;   // default memory, password "1234", 19200 bit/s
    sim::PtyServer server(unit);
    if (!server.startPty(dir.filePath(QStringLiteral("unit")))) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    const Program program = windowsBuild.isEmpty() ? Program{QStringLiteral(ALVETRA_CLI), {}, server.devicePath()}
                                                   : windowsProgram(windowsBuild, server.devicePath());

    std::printf("Machine: %s\n", qPrintable(machine()));
    std::printf("Program: %s\n", windowsBuild.isEmpty() ? "alvetra-cli" : "alvetra-cli.exe under Wine, through COM7");
    std::printf("Line: simulated unit on a pseudo-terminal, paced at %d bit/s (%.3f ms a character); %d runs\n\n",
                kBitsPerSecond, kMsPerChar, runs);

    std::vector<double> times;
    std::vector<double> loginTimes;
    std::vector<double> afterLastFrame;   // saving the file, closing the port, ending the process
    Limit limit;
    for (int run = 0; run < runs; ++run) {
        unit.clearFrameLog();
        QByteArray errors;
        sim::Clock::time_point end;
        const double ms = timeRun(program,
                                  {QStringLiteral("read"), QStringLiteral("--port"), program.port, QStringLiteral("--password"),
                                   QStringLiteral("1234"), QStringLiteral("-o"), dir.filePath(QStringLiteral("read.alm"))},
                                  &errors, &end);
        if (ms < 0) {
            std::fprintf(stderr, "alvetra-cli read failed: %s\n", errors.constData());
            return 1;
        }
        limit = limitOf(unit.frameLog());
        times.push_back(ms);
        loginTimes.push_back(fromLoginToEnd(unit.frameLog(), end));
        afterLastFrame.push_back(std::chrono::duration<double, std::milli>(end - unit.frameLog().back().at).count());
    }

    std::vector<double> startUps;
    for (int run = 0; run < std::max(runs, windowsBuild.isEmpty() ? 20 : 5); ++run) {
        const double ms = timeRun(program, {QStringLiteral("--version")});
        if (ms < 0) {
            std::fprintf(stderr, "alvetra-cli --version failed\n");
            return 1;
        }
        startUps.push_back(ms);
    }

    const double readMs = median(times);
    std::printf("(a) alvetra-cli read: median %.0f ms (worst %.0f ms); limit %.0f ms = %.0f ms mandated delays + "
                "%.0f ms wire time of %d frames; ratio %.3f (goal <= %.2f)\n",
                readMs, *std::max_element(times.begin(), times.end()), limit.totalMs(), limit.delayMs, limit.wireMs,
                limit.frames, readMs / limit.totalMs(), kGoalRatio);
    std::printf("    from the login's start to the end (the start%s and the port's opening left out): median %.0f ms; "
                "ratio %.3f (goal <= %.2f); of it %.0f ms after the unit's last frame\n",
                windowsBuild.isEmpty() ? "" : " of Wine and the program", median(loginTimes),
                median(loginTimes) / limit.totalMs(), kGoalRatio, median(afterLastFrame));
    std::printf("(b) alvetra-cli --version, start to end: median %.1f ms (worst %.1f ms of %zu runs; goal < %.0f ms%s)\n",
                median(startUps), *std::max_element(startUps.begin(), startUps.end()), startUps.size(), kStartUpGoalMs,
                windowsBuild.isEmpty() ? "" : ", for the program on Linux");

    // CPU time comes in ticks of 10 ms: three waits of two seconds each.
    std::vector<double> idle;
    for (int run = 0; run < 3; ++run) {
        idle.push_back(idleCpuPercent(program, unit));
        if (idle.back() < 0) {
            std::fprintf(stderr, "alvetra-cli info sent no request\n");
            return 1;
        }
    }
    std::printf("(c) CPU while waiting on an open port: %.2f %% of a core over 3 x 2 s%s (goal < %.0f %%)\n",
                (idle[0] + idle[1] + idle[2]) / 3, windowsBuild.isEmpty() ? "" : ", Wine's server included",
                kIdleGoalPercent);
    return 0;
}
