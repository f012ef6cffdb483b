#pragma once
// The fault soak: the real main window against the simulated unit over a faulty line, cycle after
// cycle of connect (with its read), write all, read back, and the unit armed and disarmed (which
// ends the connection), with faults injected on the line
// and in the unit. After every cycle it checks that the window still responds, that every group
// reported written is in the unit exactly as the program meant it, that every group not written
// was reported, and that every completed read shows exactly the unit's memory.

#include "FaultyLine.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <vector>

namespace alvetra::soak {

// Attempts and successes of one operation, apart for the cycles in which the adapter is pulled
// out (whatever runs into the unplugging fails by design).
struct OperationTally {
    int attempts = 0, succeeded = 0;
    int unplugAttempts = 0, unplugSucceeded = 0;
    void add(bool unplugCycle, int tried, int ok)
    {
        (unplugCycle ? unplugAttempts : attempts) += tried;
        (unplugCycle ? unplugSucceeded : succeeded) += ok;
    }
};

struct SoakOptions {
    int cycles = 200;
    double speedup = 10;            // protocol time runs this much faster than real time
    LineFaultPlan line;
    std::uint32_t seed = 1;
    int unplugEvery = 20;           // cycles; the adapter is pulled once in each such run
    int cycleLimitSeconds = 120;    // a cycle taking longer (real time) counts as a hang
    int stallLimitSeconds = 30;     // no event processed for this long ends the soak as hung
    QString dataFolder;             // car databases and diagrams, as beside the program
    bool verbose = false;
    double goalConnectsPercent = 0;   // the exit status fails below these
    double goalGroupsPercent = 0;
};

struct SoakFigures {
    int cycles = 0;
    // Faults injected.
    long damagedReplies = 0, damagedRequests = 0, lostReplies = 0, noiseBursts = 0;
    long replies = 0, requests = 0;
    int refusedWrites = 0, silences = 0, unplugs = 0;
    // What the operations did.
    int connects = 0, connectsOk = 0;
    int groupsWritten = 0, groupsFailed = 0;
    int readBacks = 0, readBacksOk = 0;
    int failuresReported = 0;   // message boxes reporting a failure
    int writeConfirmations = 0; // lists of changes answered "Zapisz" before a write
    OperationTally connectTally, groupTally, unrefusedGroupTally, readBackTally;
    std::vector<double> connectMs;   // protocol time of each successful connect, unplug cycles apart
    // What must stay 0.
    int mismatches = 0;         // unit or read image differs from what the program reported
    int unreported = 0;         // groups neither written nor reported as failed
    int hangs = 0;              // cycles over the limit, or a window that stopped responding
    // Responsiveness.
    qint64 longestEventGapMs = 0;
    double seconds = 0;
    QStringList problems;       // the first few mismatches and hangs, for the report
};

// Runs the soak; needs a QApplication.
SoakFigures runSoak(const SoakOptions &options);

} // namespace alvetra::soak
