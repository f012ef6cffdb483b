// From a status report's ";" arriving on the line to the monitor's LED repainted, in the real
// window: the simulated unit on a pseudo-terminal paced at 19200 bit/s, the window connected and
// showing the monitor page (polled every 200 ms). The ignition input is switched every 250 ms;
// for each switch the time runs from the ";" of the first status report that carries it (the
// unit's clock, when that character is on the line) to the first paint of the ignition LED in
// its new state.
//
//   build/bench/monitor_latency [--changes N] [--traffic]
//
// With --traffic the traffic console is open and the traffic log written meanwhile.

#include "BenchSupport.h"
#include "link/Protocol.h"
#include "link/SerialLink.h"
#include "link/TrafficLog.h"
#include "link/Wait.h"
#include "sim/PtyServer.h"
#include "sim/SimulatedUnit.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/TrafficConsole.h"
#include "ui/widgets/LedIndicator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace alvetra;
using namespace alvetra::bench;

namespace {

using Clock = std::chrono::steady_clock;

class NoDialogs : public Dialogs {
public:
    QMessageBox::StandardButton showMessage(QWidget *, const UserMessage &m, QMessageBox::StandardButtons) override
    {
        std::fprintf(stderr, "box: %s\n", qPrintable(m.text));
        return QMessageBox::Ok;
    }
    std::optional<QString> chooseFile(QWidget *, FileDialogSettings &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
};

class QuietShell : public ShellHooks {
public:
    WindowPreferences readPreferences() override { return {}; }
    bool showComInformation(QWidget *) override { return false; }
    void writePreferences(const WindowPreferences &) override {}
};

// Remembers when the LED was painted and in which state.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(LedIndicator *led) : led_(led) { led->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            paints.push_back({Clock::now(), led_->isShownLit()});
        return false;
    }
    struct Paint {
        Clock::time_point at;
        bool lit;
    };
    std::vector<Paint> paints;

private:
    LedIndicator *led_;
};

void waitRealMs(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        delay(static_cast<int>(std::min<qint64>(20, ms - clock.elapsed())));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int changes = argument(app.arguments(), QStringLiteral("--changes"), 50);
    const bool traffic = app.arguments().contains(QStringLiteral("--traffic"));

    QTemporaryDir dir;
    sim::UnitConfig config;
    config.password = QStringLiteral("1234");
    sim::SimulatedUnit unit(config);
    sim::PtyServer server(unit);
    const QString port = dir.filePath(QStringLiteral("unit"));
    if (!server.startPty(port)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    NoDialogs dialogs;
    QuietShell shell;
    WindowSetup setup;
    setup.portNames = {port};
    setup.forcedPort = port;
    setup.programFolder = QStringLiteral(ALVETRA_DATA_DIR);   // the car databases the connect reads
    setup.dialogs = &dialogs;
    setup.shell = &shell;
    if (traffic)
        setup.trafficLogPath = dir.filePath(QStringLiteral("traffic.jsonl"));
    MainWindow window(setup);
    window.startUp();
    window.show();
    if (traffic)
        window.showTrafficConsole();
    waitRealMs(300);
    window.findChild<QLineEdit *>(QStringLiteral("ED_HasloInst"))->setText(QStringLiteral("1234"));
    window.findChild<QPushButton *>(QStringLiteral("BITBTN_Polacz"))->click();
    if (!window.isConnected()) {
        std::fprintf(stderr, "not connected\n");
        return 1;
    }
    window.findChild<QTabWidget *>(QStringLiteral("PGC_Programator"))->setCurrentIndex(9);
    auto *led = window.findChild<LedIndicator *>(QStringLiteral("LedStacyjka"));
    PaintWatch watch(led);
    // Showing a page slows the polling for one tick (3 s); then it is every 200 ms again.
    waitRealMs(3500);

    std::vector<double> latencies;
    bool on = false;
    for (int i = 0; i < changes; ++i) {
        on = !on;
        unit.clearFrameLog();
        watch.paints.clear();
        unit.setInput(sim::Input::Ignition, on);
        waitRealMs(250);
        // The first status report that carries the new state, and its ";" on the line (the
        // CR LF after it takes two more characters).
        std::optional<Clock::time_point> semicolon;
        for (const sim::LoggedFrame &f : unit.frameLog()) {
            if (f.direction == sim::LoggedFrame::Direction::Sent && f.frame.code == reply::kStatus
                && f.frame.data.size() >= 3 && ((f.frame.data[2] & 1) != 0) == on) {
                semicolon = f.at - std::chrono::microseconds(static_cast<long>(2 * kMsPerChar * 1000));
                break;
            }
        }
        const auto painted = std::find_if(watch.paints.begin(), watch.paints.end(),
                                          [&](const PaintWatch::Paint &p) { return p.lit == on; });
        if (!semicolon || painted == watch.paints.end()) {
            std::fprintf(stderr, "change %d: no report or no paint\n", i);
            continue;
        }
        latencies.push_back(std::chrono::duration<double, std::milli>(painted->at - *semicolon).count());
    }
    if (latencies.empty())
        return 1;
    std::sort(latencies.begin(), latencies.end());
    std::printf("Machine: %s\n", qPrintable(machine()));
    std::printf("Traffic console and log: %s\n", traffic ? "on" : "off");
    std::printf("Status report \";\" on the line -> ignition LED repainted, %zu changes: median %.2f ms, "
                "90th percentile %.2f ms, worst %.2f ms (goal < 5 ms)\n",
                latencies.size(), latencies[latencies.size() / 2], latencies[latencies.size() * 9 / 10],
                latencies.back());
    window.close();
    return 0;
}
