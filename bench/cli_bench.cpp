// alvetra-cli as a script runs it, against the simulated unit on a pseudo-terminal paced at
// 19200 bit/s:
//   (a) `alvetra-cli read`, from starting the process to its end, against the physical limit of
//       the exchanges the unit logged (OperationLimit.h); the goal is at most 1.10 times that;
//   (b) start-up: `alvetra-cli --version`, from starting the process to its end; the goal is
//       under 50 ms.
//
//   build/bench/cli_bench [--runs N]

#include "BenchSupport.h"
#include "OperationLimit.h"
#include "sim/PtyServer.h"
#include "sim/SimulatedUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace alvetra;
using namespace alvetra::bench;

namespace {

constexpr double kStartUpGoalMs = 50;

// Milliseconds from starting the program to its end; negative when it failed.
double timeRun(const QStringList &arguments, QByteArray *errors = nullptr)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(ALVETRA_CLI), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (errors)
            *errors = process.readAllStandardError();
        return -1;
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(1, argument(app.arguments(), QStringLiteral("--runs"), 3));

    QTemporaryDir dir;
    sim::SimulatedUnit unit;   // default memory, password "1234", 19200 bit/s
    sim::PtyServer server(unit);
    if (!server.startPty(dir.filePath(QStringLiteral("unit")))) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(server.errorString()));
        return 1;
    }

    std::printf("Machine: %s\n", qPrintable(machine()));
    std::printf("Line: simulated unit on a pseudo-terminal, paced at %d bit/s (%.3f ms a character); %d runs\n\n",
                kBitsPerSecond, kMsPerChar, runs);

    std::vector<double> ratios;
    std::vector<double> times;
    Limit limit;
    for (int run = 0; run < runs; ++run) {
        unit.clearFrameLog();
        QByteArray errors;
        const double ms = timeRun({QStringLiteral("read"), QStringLiteral("--port"), server.devicePath(),
                                   QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("-o"),
                                   dir.filePath(QStringLiteral("read.alm"))},
                                  &errors);
        if (ms < 0) {
            std::fprintf(stderr, "alvetra-cli read failed: %s\n", errors.constData());
            return 1;
        }
        limit = limitOf(unit.frameLog());
        times.push_back(ms);
        ratios.push_back(ms / limit.totalMs());
    }
    std::printf("(a) alvetra-cli read: median %.0f ms (worst %.0f ms); limit %.0f ms = %.0f ms mandated delays + "
                "%.0f ms wire time of %d frames; ratio %.3f (goal <= %.2f)\n",
                median(times), *std::max_element(times.begin(), times.end()), limit.totalMs(), limit.delayMs,
                limit.wireMs, limit.frames, median(ratios), kGoalRatio);

    std::vector<double> startUps;
    for (int run = 0; run < std::max(runs, 20); ++run) {
        const double ms = timeRun({QStringLiteral("--version")});
        if (ms < 0) {
            std::fprintf(stderr, "alvetra-cli --version failed\n");
            return 1;
        }
        startUps.push_back(ms);
    }
    std::printf("(b) alvetra-cli --version, start to end: median %.1f ms (worst %.1f ms of %zu runs; goal < %.0f ms)\n",
                median(startUps), *std::max_element(startUps.begin(), startUps.end()), startUps.size(),
                kStartUpGoalMs);
    return 0;
}
