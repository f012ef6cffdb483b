// The alarm operations against the simulated unit on a pseudo-terminal, paced at 19200 bit/s:
//   (a) connect and read all settings, (b) write all groups, (c) clear the history, (d) write the
//   changed groups when one group (the turn signals) has changed.
// Each time is compared with its physical limit: the delays the protocol mandates before its
// requests (1000 ms before each login's first identification request, 10 ms before the second
// and before the password, 100 ms before a CAN confirmation) plus the wire time of every frame
// that crossed the line (request and reply each up to their ";", 10 bits a character). The goal
// is at most 1.10 times that limit.
//
//   build/bench/ops_bench [--runs N]

#include "BenchSupport.h"
#include "OperationLimit.h"
#include "ops/AlarmOperations.h"
#include "link/Frame.h"
#include "ops/HeadlessLinkEvents.h"
#include "ops/OperationView.h"
#include "sim/PtyServer.h"
#include "link/SerialLink.h"
#include "ops/SerialUnitLink.h"
#include "sim/SimulatedUnit.h"
#include "link/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace alvetra;
using namespace alvetra::bench;

namespace {

// A window without widgets: keeps what the operations show and gives back what they filled.
class BenchView : public OperationView {
public:
    bool pauseSupervision() override { return false; }
    void restoreSupervision(bool) override {}
    void setBlockKeeping(bool) override {}
    void enableOperations(bool) override {}
    void enableFileActions() override {}
    void setPageControlEnabled(bool) override {}
    void setProgrammingAccess(bool) override {}
    void selectPage(int) override {}
    void showConnectedButtons(bool) override {}
    void setConnectButtonEnabled(bool) override {}
    void showStatus(const QString &text, int, StatusColour) override { status = text; }
    void beginProgress(const QString &, int) override {}
    void stepProgress() override {}
    void hideProgress() override {}
    void showMessage(const UserMessage &message) override { messages.push_back(message.text); }
    QString identificationLine() const override { return identification; }
    QString accessPassword() const override { return password; }
    void setAccessPassword(const QString &p) override { password = p; }
    void reopenPort() override {}
    TabValues gatherValues() const override { return values; }
    void applyFill(const FillResult &fill) override { values = fill.values; }
    void clearPcPasswordEdits() override {}
    void showCanAnalysis(bool shown) override { canAnalysis = shown; }
    bool canAnalysisShown() const override { return canAnalysis; }
    int makeCount() const override { return static_cast<int>(makes.size()); }
    void setCarDatabase(const QStringList &m, const CarTable &) override { makes = m; }
    void setDialogDefaults(const DialogDefaults &) override {}

    QString identification;
    QString password = QStringLiteral("1234");
    QString status;
    std::vector<QString> messages;
    TabValues values;
    bool canAnalysis = false;
    QStringList makes;
};

// An open failure kept for the report, damaged replies counted.
class BenchEvents : public HeadlessLinkEvents {
public:
    BenchEvents(BenchView &view, OperationState &state) : HeadlessLinkEvents(view.identification, state) {}
    void openFailed(Transport::OpenResult, const QString &, const UserMessage &m) override { failure = m.text; }
    void checksumError(int, const QString &) override { ++crc; }

    QString failure;
    long crc = 0;
};

struct Measurement {
    double ms = 0;
    Limit limit;
    double ratio() const { return ms / limit.totalMs(); }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(1, argument(app.arguments(), QStringLiteral("--runs"), 3));

    QTemporaryDir dir;
    sim::SimulatedUnit unit;   // default memory, password "1234", 19200 bit/s
    sim::PtyServer server(unit);
    const QString port = dir.filePath(QStringLiteral("unit"));
    if (!server.startPty(port)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(server.errorString()));
        return 1;
    }

    OperationState state;
    BenchView view;
    BenchEvents events(view, state);
    SerialLink link(state.image, events, SerialLink::serialPorts());
    SerialUnitLink unitLink(link);
    OperationConfig config;   // no backups: the benchmark writes nothing into the home
    config.dataFolder = QStringLiteral(ALVETRA_DATA_DIR);
    AlarmOperations ops(view, unitLink, state, config);
    link.open(port, 8);
    for (int i = 0; i < 200 && !events.opened; ++i)
        delay(10);
    if (!events.opened) {
        std::fprintf(stderr, "port not opened: %s\n", qPrintable(events.failure));
        return 1;
    }

    // Runs `operation` once with an empty frame log; its time and its limit.
    auto measure = [&](const std::function<void()> &operation) {
        unit.clearFrameLog();
        QElapsedTimer clock;
        clock.start();
        operation();
        Measurement m;
        m.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        m.limit = limitOf(unit.frameLog());
        return m;
    };

    struct Figure {
        const char *name;
        const char *expected;
        std::function<void()> operation;
        std::vector<Measurement> runs;
    };
    std::vector<Figure> figures = {
        {"(a) connect and read", "Połączono z centralą.", [&] { ops.connect(); }, {}},
        {"(b) write all groups", "Zapisano wszystkie pozycje",
         [&] {
             view.values.newPcPassword = view.values.newPcPasswordRepeat = QStringLiteral("1234");
             ops.writeAll();
         },
         {}},
        {"(c) clear the history", "Skasowano historię", [&] { ops.clearHistory(); }, {}},
        {"(d) write the changed groups, one changed", "Zapisano wszystkie pozycje",
         [&] {
             view.values.soundConfirmation = !view.values.soundConfirmation;
             ops.writeChanged();
         },
         {}},
    };

    std::printf("Machine: %s\n", qPrintable(machine()));
    std::printf("Line: simulated unit on a pseudo-terminal, paced at %d bit/s (%.3f ms a character); %d runs\n\n",
                kBitsPerSecond, kMsPerChar, runs);
    for (int run = 0; run < runs; ++run) {
        for (Figure &figure : figures) {
            view.status.clear();
            figure.runs.push_back(measure(figure.operation));
            if (view.status != QString::fromUtf8(figure.expected)) {
                std::fprintf(stderr, "%s ended with \"%s\"\n", figure.name, qPrintable(view.status));
                return 1;
            }
        }
    }
    for (Figure &figure : figures) {
        std::sort(figure.runs.begin(), figure.runs.end(),
                  [](const Measurement &a, const Measurement &b) { return a.ratio() < b.ratio(); });
        const Measurement &median = figure.runs[figure.runs.size() / 2];
        std::printf("%s: median %.0f ms (worst %.0f ms); limit %.0f ms = %.0f ms mandated delays + %.0f ms wire "
                    "time of %d frames; ratio %.3f (goal <= %.2f)\n",
                    figure.name, median.ms, figure.runs.back().ms, median.limit.totalMs(), median.limit.delayMs,
                    median.limit.wireMs, median.limit.frames, median.ratio(), kGoalRatio);
    }
    std::printf("\nChecksum errors: %ld\n", events.crc);

    link.sendDisconnect();
    link.stopReaderThread();
    return 0;
}
