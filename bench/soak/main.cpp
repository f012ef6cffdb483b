// alvetra-soak: the fault soak of the main window against the simulated unit.
//
//   build/bench/soak/alvetra-soak                       200 cycles with the standard faults
//   build/bench/soak/alvetra-soak --cycles 20 --verbose
//   build/bench/soak/alvetra-soak --byte-errors 0.01    each byte damaged with 1 % chance
//
// Prints the figures; the exit status is 0 only when mismatches, unreported failures and hangs
// are all 0 and the success rates reach the goals given (--goal-connects, --goal-groups; the
// unplug cycles and the deliberately refused group apart).

#include "Soak.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <algorithm>
#include <cstdio>

using namespace alvetra::soak;

namespace {

SoakOptions parseOptions(const QApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Fault soak of the main window against the simulated unit."));
    parser.addHelpOption();
    const QCommandLineOption cycles(QStringLiteral("cycles"), QStringLiteral("Cycles to run (200)."), QStringLiteral("n"), QStringLiteral("200"));
    const QCommandLineOption speedup(QStringLiteral("speedup"), QStringLiteral("Protocol time speed-up (10)."), QStringLiteral("x"), QStringLiteral("10"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed (1)."), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption frameErrors(QStringLiteral("frame-errors"), QStringLiteral("Chance of a damaged byte per frame (0.01)."), QStringLiteral("p"), QStringLiteral("0.01"));
    const QCommandLineOption byteErrors(QStringLiteral("byte-errors"), QStringLiteral("Chance of damage per byte instead (off)."), QStringLiteral("p"), QStringLiteral("0"));
    const QCommandLineOption lost(QStringLiteral("lost"), QStringLiteral("Chance of a lost reply (0.05)."), QStringLiteral("p"), QStringLiteral("0.05"));
    const QCommandLineOption noise(QStringLiteral("noise"), QStringLiteral("Chance of noise before a reply (0.1)."), QStringLiteral("p"), QStringLiteral("0.1"));
    const QCommandLineOption unplug(QStringLiteral("unplug-every"), QStringLiteral("Cycles per unplugging (20; 0 never)."), QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Folder of the car databases and diagrams."), QStringLiteral("folder"), QStringLiteral(ALVETRA_DATA_DIR));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("A line per cycle."));
    const QCommandLineOption goalConnects(QStringLiteral("goal-connects"), QStringLiteral("Least share of connects that succeed, in per cent (0)."), QStringLiteral("percent"), QStringLiteral("0"));
    const QCommandLineOption goalGroups(QStringLiteral("goal-groups"), QStringLiteral("Least share of groups written, the refused one apart, in per cent (0)."), QStringLiteral("percent"), QStringLiteral("0"));
    parser.addOptions({cycles, speedup, seed, frameErrors, byteErrors, lost, noise, unplug, data, verbose, goalConnects, goalGroups});
    parser.process(app);

    SoakOptions o;
    o.cycles = parser.value(cycles).toInt();
    o.speedup = parser.value(speedup).toDouble();
    o.seed = parser.value(seed).toUInt();
    o.line.frameErrorRate = parser.value(frameErrors).toDouble();
    o.line.byteErrorRate = parser.value(byteErrors).toDouble();
    o.line.replyLossRate = parser.value(lost).toDouble();
    o.line.noiseRate = parser.value(noise).toDouble();
    o.unplugEvery = parser.value(unplug).toInt();
    o.dataFolder = QDir(parser.value(data)).absolutePath();
    o.verbose = parser.isSet(verbose);
    o.goalConnectsPercent = parser.value(goalConnects).toDouble();
    o.goalGroupsPercent = parser.value(goalGroups).toDouble();
    return o;
}

void printTally(const char *name, const OperationTally &t)
{
    const auto percent = [](int part, int whole) { return whole ? 100.0 * part / whole : 0.0; };
    std::printf("  %-22s %5d of %5d (%5.1f %%)   unplug cycles %4d of %4d\n", name, t.succeeded, t.attempts,
                percent(t.succeeded, t.attempts), t.unplugSucceeded, t.unplugAttempts);
}

double share(const OperationTally &t)
{
    return t.attempts ? 100.0 * t.succeeded / t.attempts : 100.0;
}

// The goals not reached, one line each.
QStringList missedGoals(const SoakOptions &o, const SoakFigures &f)
{
    QStringList missed;
    if (share(f.connectTally) < o.goalConnectsPercent)
        missed << QStringLiteral("connects %1 %% below the goal of %2 %%").arg(share(f.connectTally), 0, 'f', 1).arg(o.goalConnectsPercent);
    if (share(f.unrefusedGroupTally) < o.goalGroupsPercent)
        missed << QStringLiteral("groups written %1 %% below the goal of %2 %%").arg(share(f.unrefusedGroupTally), 0, 'f', 1).arg(o.goalGroupsPercent);
    return missed;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void print(const SoakOptions &o, const SoakFigures &f)
{
    const auto percent = [](long part, long whole) { return whole ? 100.0 * double(part) / double(whole) : 0.0; };
    std::printf("Fault soak: %d cycles in %.0f s (protocol time x%.0f), seed %u\n", f.cycles, f.seconds, o.speedup, o.seed);
    if (o.line.byteErrorRate > 0)
        std::printf("Line: byte errors %.2f %% per byte, lost replies %.0f %%, noise %.0f %%\n", 100 * o.line.byteErrorRate,
                    100 * o.line.replyLossRate, 100 * o.line.noiseRate);
    else
        std::printf("Line: frame errors %.2f %% per frame, lost replies %.0f %%, noise %.0f %%\n", 100 * o.line.frameErrorRate,
                    100 * o.line.replyLossRate, 100 * o.line.noiseRate);
    std::printf("\nFaults injected\n");
    std::printf("  requests damaged       %6ld of %ld (%.2f %%)\n", f.damagedRequests, f.requests, percent(f.damagedRequests, f.requests));
    std::printf("  replies damaged        %6ld of %ld (%.2f %%)\n", f.damagedReplies, f.replies, percent(f.damagedReplies, f.replies));
    std::printf("  replies lost           %6ld (%.2f %%)\n", f.lostReplies, percent(f.lostReplies, f.replies));
    std::printf("  noise bursts           %6ld\n", f.noiseBursts);
    std::printf("  writes refused         %6d\n", f.refusedWrites);
    std::printf("  unit silent mid-read   %6d\n", f.silences);
    std::printf("  adapter unplugged      %6d\n", f.unplugs);
    std::printf("\nOperations\n");
    std::printf("  connects               %6d, %d succeeded\n", f.connects, f.connectsOk);
    std::printf("  groups written         %6d, %d failed\n", f.groupsWritten, f.groupsFailed);
    std::printf("  read-backs             %6d, %d succeeded\n", f.readBacks, f.readBacksOk);
    std::printf("  failures reported      %6d\n", f.failuresReported);
    std::printf("  writes confirmed       %6d\n", f.writeConfirmations);
    std::printf("\nSucceeded, unplug cycles apart\n");
    printTally("connects", f.connectTally);
    printTally("groups written", f.groupTally);
    printTally("  the refused one apart", f.unrefusedGroupTally);
    printTally("read-backs", f.readBackTally);
    std::printf("  successful connect     median %.0f ms protocol time (%zu)\n", median(f.connectMs), f.connectMs.size());
    std::printf("  longest event gap      %6lld ms\n", static_cast<long long>(f.longestEventGapMs));
    std::printf("\nMust be 0\n");
    std::printf("  mismatches             %6d\n", f.mismatches);
    std::printf("  unreported failures    %6d\n", f.unreported);
    std::printf("  hangs                  %6d\n", f.hangs);
    for (const QString &p : f.problems)
        std::printf("  ! %s\n", qPrintable(p));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const SoakOptions options = parseOptions(app);
    const SoakFigures figures = runSoak(options);
    print(options, figures);
    const QStringList missed = missedGoals(options, figures);
    for (const QString &line : missed)
        std::printf("  ! %s\n", qPrintable(line));
    std::fflush(stdout);
    const bool clean = figures.mismatches == 0 && figures.unreported == 0 && figures.hangs == 0;
    return clean && missed.isEmpty() ? 0 : 1;
}
