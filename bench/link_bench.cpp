// The serial link against the simulated unit on a pseudo-terminal, paced at 19200 bit/s:
//   (a) readBlock round trip, (b) 1000 status polls, (c) reader-thread CPU over 10 s while the
//   monitor polls every 200 ms.
// Each time is compared with the wire time of the characters that must cross the line before
// the reply is complete (request and reply up to their ";", 10 bits a character at 19200 bit/s);
// the goal is at most 1.10 times that, and for (c) at most 1 % of one core.
//
//   build/bench/link_bench [--polls N] [--cpu-seconds S] [--traffic]
//
// With --traffic the traffic console is open (its buffer attached, its timer pulling and
// decoding) and the traffic log is written to a temporary file, as with "alvetra --traffic-log".

#include "BenchSupport.h"
#include "link/Frame.h"
#include "link/LinkEvents.h"
#include "sim/PtyServer.h"
#include "link/SerialLink.h"
#include "alarm/SettingsImage.h"
#include "sim/SimulatedUnit.h"
#include "link/Supervision.h"
#include "link/TrafficLog.h"
#include "link/Wait.h"
#include "ui/Dialogs.h"
#include "ui/TrafficConsole.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace alvetra;
using namespace alvetra::bench;

namespace {

// A window that only counts.
class CountingEvents : public LinkEvents {
public:
    void threadStarted() override {}
    void portOpened() override { opened = true; }
    void portClosed() override {}
    void openFailed(Transport::OpenResult, const QString &, const UserMessage &m) override { failure = m.text; }
    void closeFailed(const QString &, int, const UserMessage &) override {}
    void deviceLost(const QString &, const UserMessage &) override {}
    void checksumError(int, const QString &) override { ++crc; }
    void rxActivity() override { ++rx; }
    void txActivity() override {}
    void clearIdentification() override {}
    void setIdentification(const QString &) override {}
    void setTimeCounter(std::uint32_t) override {}
    void showArmed() override {}
    void showDisarmed() override {}
    void withdrawAccess() override {}
    void statusReport(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t) override { ++reports; }

    bool opened = false;
    QString failure;
    long crc = 0;
    long rx = 0;
    long reports = 0;
};

// The console's dialogs are never shown here.
class NoDialogs : public Dialogs {
public:
    QMessageBox::StandardButton showMessage(QWidget *, const UserMessage &, QMessageBox::StandardButtons) override
    {
        return QMessageBox::Ok;
    }
    std::optional<QString> chooseFile(QWidget *, FileDialogSettings &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
};

// Characters of a frame up to its ";": the receiver acts on the frame then, while the CR LF
// that follows is still on the line.
int wireChars(std::uint8_t code, std::size_t dataBytes)
{
    return static_cast<int>(encodeFrame(makeFrame(kUnitAddress, code, kPcAddress, Bytes(dataBytes, 0))).size()) - 2;
}

// Time the thread named `name` has spent on a processor, in milliseconds (the scheduler's
// nanosecond account); -1 when there is no such thread.
double threadCpuMs(const QByteArray &name)
{
    for (const QString &tid : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(tid));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name)
            continue;
        QFile schedstat(QStringLiteral("/proc/self/task/%1/schedstat").arg(tid));
        if (!schedstat.open(QIODevice::ReadOnly))
            return -1;
        return schedstat.readAll().split(' ').value(0).toDouble() / 1e6;
    }
    return -1;
}

void waitRealMs(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        delay(static_cast<int>(std::min<qint64>(100, ms - clock.elapsed())));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool traffic = app.arguments().contains(QStringLiteral("--traffic"));
    const int polls = argument(app.arguments(), QStringLiteral("--polls"), 1000);
    const int cpuSeconds = argument(app.arguments(), QStringLiteral("--cpu-seconds"), 10);

    QTemporaryDir dir;
    sim::SimulatedUnit unit;
    sim::PtyServer server(unit);
    const QString port = dir.filePath(QStringLiteral("unit"));
    if (!server.startPty(port)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    SettingsImage image;
    CountingEvents events;
    SerialLink link(image, events, SerialLink::serialPorts());
    NoDialogs dialogs;
    std::unique_ptr<TrafficConsole> console;
    TrafficLog log;
    if (traffic) {
        console = std::make_unique<TrafficConsole>(link.traffic(), dialogs, nullptr);
        console->show();
        if (const auto error = log.open(dir.filePath(QStringLiteral("traffic.jsonl")))) {
            std::fprintf(stderr, "%s\n", qPrintable(*error));
            return 1;
        }
        link.traffic().attach(&log);
    }
    // The reader thread may outlive the console and the log on an early return: stop it first.
    const std::unique_ptr<SerialLink, void (*)(SerialLink *)> stopFirst(&link, [](SerialLink *l) { l->stopReaderThread(); });
    link.open(port, 8);
    for (int i = 0; i < 100 && !events.opened; ++i)
        waitRealMs(10);
    if (!events.opened) {
        std::fprintf(stderr, "port not opened: %s\n", qPrintable(events.failure));
        return 1;
    }
    auto request = [&](std::uint8_t code, const std::optional<QString> &hex) {
        return link.sendRequest({.code = code, .hexText = hex, .repeatMs = 2600, .totalMs = 2500});
    };
    if (!request(0x06, std::nullopt) || !request(0x07, std::nullopt) || !request(0x01, QStringLiteral("0431323334"))) {
        std::fprintf(stderr, "the simulated unit did not accept the login\n");
        return 1;
    }

    std::printf("Machine: %s\n", qPrintable(machine()));
    std::printf("Line: simulated unit on a pseudo-terminal, paced at %d bit/s (%.3f ms a character)\n",
                kBitsPerSecond, kMsPerChar);
    std::printf("Traffic console and log: %s\n\n", traffic ? "on" : "off");

    // (a) readBlock of 8 bytes: request and reply must cross the line.
    const double readWireMs = (wireChars(0x02, 4) + wireChars(0x82, 12)) * kMsPerChar;
    std::vector<double> reads;
    for (int address = 0; address < kImageSize; address += 8) {
        QElapsedTimer clock;
        clock.start();
        if (!link.readBlock(kUnitAddress, static_cast<std::uint8_t>(address), 8)) {
            std::fprintf(stderr, "ReadBlock at %d failed\n", address);
            return 1;
        }
        reads.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(reads.begin(), reads.end());
    const double readMedian = reads[reads.size() / 2];
    const double readMean = std::accumulate(reads.begin(), reads.end(), 0.0) / static_cast<double>(reads.size());
    std::printf("(a) ReadBlock round trip, %zu blocks: median %.2f ms, mean %.2f ms, worst %.2f ms; wire time %.2f ms; "
                "ratio %.3f (goal <= %.2f)\n",
                reads.size(), readMedian, readMean, reads.back(), readWireMs, readMedian / readWireMs, kGoalRatio);

    // (b) status polls, each awaited.
    const double pollWireMs = (wireChars(0x08, 5) + wireChars(0x88, 4)) * kMsPerChar;
    QElapsedTimer pollClock;
    pollClock.start();
    int answered = 0;
    for (int i = 0; i < polls; ++i)
        answered += link.sendStatusRequest(2500, 1000);
    const double pollsMs = static_cast<double>(pollClock.nsecsElapsed()) / 1e6;
    std::printf("(b) %d status polls (%d answered): %.0f ms; wire time %.0f ms; ratio %.3f (goal <= %.2f)\n", polls,
                answered, pollsMs, pollWireMs * polls, pollsMs / (pollWireMs * polls), kGoalRatio);

    // (c) the reader thread while the monitor polls every 200 ms.
    ScaledTimer timer;
    Supervision supervision(link, timer, {[] { return Supervision::kMonitorPage; }, [] {}, [] {}});
    QObject::connect(&timer, &QTimer::timeout, [&] { supervision.supervisionTick(); });
    timer.setIntervalMs(Supervision::kPollIntervalMs);
    const long reportsBefore = events.reports;
    const double cpuBefore = threadCpuMs("rs232");
    const double logCpuBefore = threadCpuMs("traffic-log");
    timer.start();
    waitRealMs(cpuSeconds * 1000);
    timer.stop();
    const double cpuMs = threadCpuMs("rs232") - cpuBefore;
    if (traffic)
        std::printf("    traffic-log thread: %.0f ms CPU; console rows: %d\n", threadCpuMs("traffic-log") - logCpuBefore,
                    console->rowCount());
    const double percent = cpuMs / (cpuSeconds * 1000.0) * 100.0;
    std::printf("(c) reader thread over %d s of monitor polling (%ld reports): %.0f ms CPU = %.2f %% of one core "
                "(goal <= 1 %%)\n",
                cpuSeconds, events.reports - reportsBefore, cpuMs, percent);
    std::printf("\nChecksum errors: %ld, receive activities: %ld\n", events.crc, events.rx);

    link.sendDisconnect();
    return 0;
}
