#include "Soak.h"

#include "GroupParts.h"
#include "link/LinkTexts.h"
#include "ops/OperationState.h"
#include "ops/OpsTexts.h"
#include "ui/tabs/SettingsTabs.h"
#include "sim/SimulatedTransport.h"
#include "sim/SimulatedUnit.h"
#include "ui/ChangesDialog.h"
#include "ui/StatusLine.h"
#include "ui/MainWindow.h"
#include "link/Wait.h"
#include "ops/WriteGroups.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <optional>
#include <random>
#include <set>
#include <thread>

namespace alvetra::soak {

namespace {

const QString kPassword = QStringLiteral("1234");
constexpr int kMonitorPage = 9;

// Message boxes are recorded and answered at once; the list of changes shown before a write is
// answered "Zapisz", as the fitter who pressed the write button does.
class SoakDialogs : public Dialogs {
public:
    QMessageBox::StandardButton showMessage(QWidget *, const UserMessage &message, QMessageBox::StandardButtons) override
    {
        messages.push_back(message);
        return QMessageBox::Ok;
    }
    std::optional<QString> chooseFile(QWidget *, FileDialogSettings &) override { return std::nullopt; }
    int execDialog(QDialog &dialog) override
    {
        if (dynamic_cast<ChangesDialog *>(&dialog)) {
            ++writeConfirmations;
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }

    std::vector<UserMessage> messages;
    int writeConfirmations = 0;
};

class SoakShell : public ShellHooks {
public:
    WindowPreferences readPreferences() override
    {
        WindowPreferences p;
        p.showComInformation = false;
        return p;
    }
    bool showComInformation(QWidget *) override { return false; }
    void writePreferences(const WindowPreferences &) override {}
};

// Boxes that are not failures: the warning after connecting and the notices after a block
// group was switched on.
bool isFailure(const UserMessage &message)
{
    return message.text != texts::kConnectedWarning && message.text != texts::kAntiTheftProgrammed
           && message.text != texts::kAntiHijackProgrammed && message.text != texts::kRearmingProgrammed;
}

std::optional<WriteGroup> groupOfFailureBox(const UserMessage &message)
{
    for (WriteGroup group : kWriteAllOrder)
        if (message.text == groupTexts(group).failedBox) return group;
    return std::nullopt;
}

class SoakRun {
public:
    explicit SoakRun(const SoakOptions &options);
    ~SoakRun();
    SoakFigures run();

private:
    static sim::UnitConfig unitConfig(std::uint32_t seed);
    void startWindow();
    void onTick();
    void unplugNow();
    void cycle(int n);
    bool ensurePortOpen();
    bool connect();
    void randomiseSettings();
    void writeAll();
    void readBack();
    void leaveUnit();
    void checkReadImage(const QString &what);
    void checkResponsive(int n);
    int countFailures() const;
    bool failureShown() const;
    void problem(const QString &text);
    bool waitFor(const std::function<bool()> &done, int limitMs);
    void settle();

    template <typename T> T *find(const char *name) const
    {
        T *found = window_->findChild<T *>(QString::fromLatin1(name));
        if (!found) {
            std::fprintf(stderr, "soak: no %s in the window\n", name);
            std::abort();
        }
        return found;
    }
    QString statusText() const { return find<QLabel>("LAB_progress")->text(); }
    QString portPanel() const { return window_->statusLine().panelText(0); }
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool coin() { return uniform(0, 1) == 1; }

    SoakOptions options_;
    SoakFigures figures_;
    std::mt19937 random_;
    sim::SimulatedUnit unit_;
    LineFaultCounts lineCounts_;
    std::atomic<std::uint32_t> lineSeed_;
    SoakDialogs dialogs_;
    SoakShell shell_;
    std::unique_ptr<MainWindow> window_;

    QTimer heartbeat_;
    QElapsedTimer clock_;
    qint64 lastTickMs_ = 0;
    std::atomic<qint64> lastTickForWatchdog_{0};
    std::atomic<bool> finished_{false};
    std::atomic<int> currentCycle_{0};
    std::thread watchdog_;

    std::atomic<int> readsSeen_{0};
    std::atomic<int> requestsSeen_{0};
    std::optional<int> unplugAtRequest_;
    bool unplugCycle_ = false;
};

SoakRun::SoakRun(const SoakOptions &options)
    : options_(options), random_(options.seed), unit_(unitConfig(options.seed)), lineSeed_(options.seed * 7919u)
{
    unit_.setFrameObserver([this](const sim::LoggedFrame &entry) {
        // Under the unit's lock: count only.
        if (entry.direction != sim::LoggedFrame::Direction::Received)
            return;
        requestsSeen_++;
        if (entry.frame.code == 0x02) readsSeen_++;
    });
}

SoakRun::~SoakRun()
{
    finished_ = true;
    if (watchdog_.joinable())
        watchdog_.join();
    unit_.setFrameObserver({});
}

sim::UnitConfig SoakRun::unitConfig(std::uint32_t seed)
{
    sim::UnitConfig config;
    config.identification = QStringLiteral("MZRv1.61");   // nine groups, CAN options included
    config.lineSpeed = 0;                                  // protocol time runs faster than the line
    config.minuteLength = std::chrono::hours(24);          // a counter that stays put while we compare
    config.learningTime = std::chrono::milliseconds(300);
    config.seed = seed;
    return config;
}

void SoakRun::startWindow()
{
    WindowSetup setup;
    setup.portNames = {QString::fromLatin1(sim::kSimulatorPortName)};
    setup.programFolder = options_.dataFolder;
    setup.dialogs = &dialogs_;
    setup.shell = &shell_;
    setup.openUrl = [](const QUrl &) { return true; };
    setup.transports = [this](const QString &, int) -> std::unique_ptr<Transport> {
        return std::make_unique<FaultyLine>(std::make_unique<sim::SimulatedTransport>(unit_), options_.line,
                                            lineCounts_, lineSeed_++);
    };
    setup.reportError = [this](std::exception_ptr) {
        dialogs_.messages.push_back({kCaptionWarning, QStringLiteral("(general error handler)"), MessageIcon::Warning});
    };
    window_ = std::make_unique<MainWindow>(setup);
    window_->startUp();
    window_->show();
    if (!waitFor([&] { return portPanel() == linktexts::kPortOpen; }, 5000))
        problem(QStringLiteral("the port did not open at start-up: ") + portPanel());
}

void SoakRun::onTick()
{
    const qint64 now = clock_.elapsed();
    figures_.longestEventGapMs = std::max(figures_.longestEventGapMs, now - lastTickMs_);
    lastTickMs_ = now;
    lastTickForWatchdog_ = now;

    // A fault that waits for a moment in the conversation.
    if (unplugAtRequest_ && requestsSeen_ >= *unplugAtRequest_)
        unplugNow();
}

void SoakRun::unplugNow()
{
    unplugAtRequest_.reset();
    unit_.unplug();
    figures_.unplugs++;
    // Plugged in again two seconds (protocol time) later.
    QTimer::singleShot(std::max(50, int(2000 / options_.speedup)), [this] { unit_.replug(); });
}

bool SoakRun::waitFor(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Lets what the window queued during an operation happen, as the event loop does right after a
// handler returns (a lost port, for one, is reported just after the step that noticed it).
void SoakRun::settle()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void SoakRun::problem(const QString &text)
{
    if (figures_.problems.size() < 20)
        figures_.problems << QStringLiteral("cycle %1: %2").arg(currentCycle_.load()).arg(text);
    if (options_.verbose)
        std::fprintf(stderr, "  problem: %s\n", qPrintable(text));
}

int SoakRun::countFailures() const
{
    int n = 0;
    for (const UserMessage &m : dialogs_.messages)
        n += isFailure(m);
    return n;
}

// Besides its boxes, the window tells of a failure by a red status text, or, when the adapter is
// gone, by "Port zamknięty" in the status bar (operations on a closed port say nothing more).
bool SoakRun::failureShown() const
{
    return find<QLabel>("LAB_progress")->palette().color(QPalette::WindowText) == QColor(Qt::red)
           || portPanel() == linktexts::kPortClosed;
}

bool SoakRun::ensurePortOpen()
{
    if (portPanel() == linktexts::kPortOpen)
        return true;
    // The adapter comes back; then the fitter resets the port, as a fitter does.
    waitFor([&] { return !unit_.unplugged(); }, 10000);
    for (int attempt = 0; attempt < 5; ++attempt) {
        find<QAbstractButton>("TOB_ResetRS232")->click();
        if (waitFor([&] { return portPanel() == linktexts::kPortOpen; }, 2000))
            return true;
    }
    return false;
}

bool SoakRun::connect()
{
    figures_.connects++;
    find<QLineEdit>("ED_HasloInst")->setText(kPassword);
    dialogs_.messages.clear();
    QElapsedTimer took;
    took.start();
    find<QAbstractButton>("BITBTN_Polacz")->click();
    const double protocolMs = double(took.elapsed()) * options_.speedup;
    settle();
    figures_.connectTally.add(unplugCycle_, 1, window_->isConnected());
    if (window_->isConnected() && !unplugCycle_)
        figures_.connectMs.push_back(protocolMs);
    const int failures = countFailures();
    figures_.failuresReported += failures;
    if (!window_->isConnected()) {
        if (failures == 0 && !failureShown()) {
            figures_.unreported++;
            problem(QStringLiteral("connecting failed without a word; status: \"%1\", port: \"%2\"")
                        .arg(statusText(), portPanel()));
        }
        if (options_.verbose)
            std::fprintf(stderr, "  connect failed: %s\n", qPrintable(statusText()));
        return false;
    }
    figures_.connectsOk++;
    checkReadImage(QStringLiteral("connect"));
    return true;
}

void SoakRun::checkReadImage(const QString &what)
{
    const ImageBytes program = window_->operationState().image.bytes();
    const ImageBytes unit = unit_.memory();
    for (int a = 0; a < kImageSize; ++a) {
        if (program[a] != unit[a]) {
            figures_.mismatches++;
            problem(QStringLiteral("%1: image byte %2 is %3, the unit holds %4").arg(what).arg(a).arg(program[a]).arg(unit[a]));
        }
    }
}

void SoakRun::randomiseSettings()
{
    SettingsTabs &tabs = window_->settingsTabs();
    TabValues v = tabs.gather();
    std::set<QString> codes;
    while (codes.size() < 4) {
        QString code;
        for (int i = uniform(1, 8); i > 0; --i) code += coin() ? QLatin1Char('D') : QLatin1Char('K');
        codes.insert(code);
    }
    auto code = codes.begin();
    v.programmingCode = *code++;
    v.antiHijackCode = *code++;
    v.antiTheftCode = *code++;
    v.emergencyCode = *code++;
    for (bool *b : {&v.soundConfirmation, &v.turnSignalConfirmation, &v.sequentialTurnSignals,
                    &v.centralLock, &v.extraOpenPulse, &v.extraClosePulse1, &v.extraClosePulse2,
                    &v.lockAfterIgnition, &v.antiTheft, &v.ignitionWhileArmedAlert, &v.antiHijack,
                    &v.rearming, &v.canIgnoreDoorSwitches, &v.canIgnoreIgnition, &v.canIgnoreFactoryRemote})
        *b = coin();
    for (int *item : {&v.sequenceOutput, &v.turnSignalRate, &v.turnSignalMode, &v.mainPulseLength,
                      &v.doorInputs, &v.armingDelay})
        *item = uniform(0, 1);
    v.antiTheftAuthorisation = uniform(0, 2);
    v.antiHijackAuthorisation = uniform(0, 2);
    for (int *spin : {&v.pauseAC1, &v.pulseC1, &v.pauseAC2, &v.pulseC2, &v.pauseC2E2,
                      &v.pulseE2, &v.lockDelayAfterIgnition, &v.antiTheftDelay})
        *spin = uniform(kSpinMin, kSpinMax);
    v.antiHijackDelay = uniform(kAntiHijackSpinMin, kSpinMax);
    v.alarmCan = false;
    v.make = kNoItem;
    v.model = kNoItem;
    v.chosenCanGroup = QString::number(uniform(0, 255));
    tabs.applyFill(v);
    // The password is written again as it is, so that the next connect still knows it.
    find<QLineEdit>("ED_KodProg1")->setText(kPassword);
    find<QLineEdit>("ED_KodProg2")->setText(kPassword);
}

void SoakRun::writeAll()
{
    randomiseSettings();
    // One refused write somewhere in the sequence (22 write requests when all goes well).
    const int refused = uniform(1, 22);
    sim::FaultPlan plan;
    plan.refuseWrite = refused;
    unit_.setFaults(plan);

    dialogs_.messages.clear();
    const long refusalsBefore = lineCounts_.refusalsDelivered;
    find<QAbstractButton>("BITBTN_ZapisAll")->click();
    settle();
    // A refusal whose reply is lost or damaged looks like no reply to the program, which may
    // then write the group again with success; only a refusal it heard fails a group for sure.
    const bool refusalMet = lineCounts_.refusalsDelivered > refusalsBefore;
    figures_.refusedWrites += refusalMet;
    unit_.setFaults({});

    // Which groups the window reported written: the summary gives their number; a group that
    // failed in its blocks names itself in its box; a login that failed ends the sequence.
    const int total = window_->familyCode() >= kCanAnalysisFamily ? 9 : 8;
    const QString status = statusText();
    int claimed = 0;
    if (status == texts::kWrittenAll) {
        claimed = total;
    } else {
        static const QRegularExpression some(
            QRegularExpression::escape(QString(texts::kWrittenSome).replace(QStringLiteral("%1"), QStringLiteral("NUMBER"))
                                           .replace(QStringLiteral("%2"), QStringLiteral("NUMBER")))
                .replace(QStringLiteral("NUMBER"), QStringLiteral("(\\d+)")));
        const QRegularExpressionMatch match = some.match(status);
        if (match.hasMatch()) claimed = match.captured(1).toInt();
    }
    std::set<WriteGroup> failedBoxes;
    bool otherFailure = false;
    for (const UserMessage &m : dialogs_.messages) {
        if (const auto group = groupOfFailureBox(m)) failedBoxes.insert(*group);
        else if (isFailure(m)) otherFailure = true;
    }
    figures_.failuresReported += countFailures();

    std::vector<WriteGroup> written;
    for (int i = 0; i < total; ++i) {
        const WriteGroup group = kWriteAllOrder[static_cast<std::size_t>(i)];
        if (!failedBoxes.count(group) && int(written.size()) < claimed)
            written.push_back(group);
    }
    if (int(written.size()) != claimed) {
        figures_.mismatches++;
        problem(QStringLiteral("%1 groups reported written, but only %2 can have been").arg(claimed).arg(written.size()));
    }
    const int silent = total - claimed - int(failedBoxes.size());
    if (silent > 0 && !otherFailure && !failureShown()) {
        figures_.unreported += silent;
        problem(QStringLiteral("%1 groups neither written nor reported; status: %2").arg(silent).arg(status));
    }
    figures_.groupsWritten += claimed;
    figures_.groupsFailed += total - claimed;
    figures_.groupTally.add(unplugCycle_, total, claimed);
    // The group whose write the unit refused cannot succeed, whatever the line does.
    figures_.unrefusedGroupTally.add(unplugCycle_, total - refusalMet, claimed);

    const ImageBytes intended = window_->operationState().image.bytes();
    const ImageBytes unit = unit_.memory();
    for (WriteGroup group : written) {
        for (const QString &line : differences(group, window_->operationState().layout, unit, intended)) {
            figures_.mismatches++;
            problem(QStringLiteral("written but not in the unit: ") + line);
        }
    }
    if (options_.verbose) {
        std::fprintf(stderr, "  write all: %d of %d written%s; %s\n", claimed, total,
                     refusalMet ? " (one refused)" : "", qPrintable(status));
        for (const UserMessage &m : dialogs_.messages)
            std::fprintf(stderr, "    box: %s\n", qPrintable(QString(m.text).replace(QLatin1Char('\r'), QLatin1Char(' '))));
    }
}

void SoakRun::readBack()
{
    figures_.readBacks++;
    readsSeen_ = 0;
    // The unit falls silent mid-read until the next login. The unit itself counts the reads: a
    // timer of the soak would start the silence late, after the read, in the next operation.
    sim::FaultPlan plan;
    plan.silenceAfterReads = uniform(1, 31);
    unit_.setFaults(plan);
    dialogs_.messages.clear();
    find<QAction>("ActionOdczytUstawienAlarmu")->trigger();
    settle();
    unit_.setFaults({});
    if (readsSeen_ > *plan.silenceAfterReads)
        figures_.silences++;
    figures_.readBackTally.add(unplugCycle_, 1, window_->isConnected());
    const int failures = countFailures();
    figures_.failuresReported += failures;
    if (!window_->isConnected()) {
        if (failures == 0 && !failureShown()) {
            figures_.unreported++;
            problem(QStringLiteral("reading back failed without a word; status: ") + statusText());
        }
        return;
    }
    figures_.readBacksOk++;
    checkReadImage(QStringLiteral("read-back"));
}

// The fitter's job ends: the car is armed, which withdraws programming access at the monitor's
// next status poll, and disarmed again. Every cycle thus begins with a connect.
void SoakRun::leaveUnit()
{
    if (!window_->isConnected() || !ensurePortOpen())
        return;
    find<QTabWidget>("PGC_Programator")->setCurrentIndex(kMonitorPage);
    unit_.setInput(sim::Input::Armed, true);
    if (!waitFor([&] { return !window_->isConnected(); }, 5000))
        problem(QStringLiteral("arming the unit did not end programming access"));
    unit_.setInput(sim::Input::Armed, false);
}

void SoakRun::checkResponsive(int n)
{
    bool answered = false;
    QTimer::singleShot(0, [&] { answered = true; });
    const bool responds = waitFor([&] { return answered; }, 2000) && window_->isVisible()
                          && find<QAction>("ActionZamykanieAplikacji")->isEnabled()
                          && find<QAction>("ActionOpenSettings")->isEnabled();
    if (!responds) {
        figures_.hangs++;
        problem(QStringLiteral("the window does not respond after cycle %1").arg(n));
    }
}

void SoakRun::cycle(int n)
{
    currentCycle_ = n;
    QElapsedTimer took;
    took.start();
    unit_.clearFrameLog();
    // Once in every run of cycles the adapter is pulled out at a random request of the cycle
    // (or at its end, when the cycle ended early) and plugged in again shortly after.
    unplugCycle_ = options_.unplugEvery > 0 && n % options_.unplugEvery == options_.unplugEvery / 2;
    if (unplugCycle_) {
        requestsSeen_ = 0;
        unplugAtRequest_ = uniform(1, 60);
    }
    if (!ensurePortOpen()) {
        figures_.hangs++;
        problem(QStringLiteral("the port did not open again: ") + portPanel());
    }
    const bool connected = window_->isConnected() || connect();
    if (connected) {
        writeAll();
        if (!ensurePortOpen()) {
            figures_.hangs++;
            problem(QStringLiteral("the port did not open again: ") + portPanel());
        }
        if (window_->isConnected())
            readBack();
    }
    leaveUnit();
    if (unplugAtRequest_) {
        unplugNow();
        waitFor([&] { return !unit_.unplugged(); }, 10000);
    }
    checkResponsive(n);
    figures_.cycles++;
    if (took.elapsed() > options_.cycleLimitSeconds * 1000) {
        figures_.hangs++;
        problem(QStringLiteral("the cycle took %1 s").arg(took.elapsed() / 1000.0));
    }
    if (options_.verbose)
        std::fprintf(stderr, "cycle %d: %.1f s, connected %d, written %d, failed %d, mismatches %d\n", n,
                     took.elapsed() / 1000.0, connected, figures_.groupsWritten, figures_.groupsFailed,
                     figures_.mismatches);
}

SoakFigures SoakRun::run()
{
    const double previousSpeedup = TimeBase::speedup();
    TimeBase::setSpeedup(options_.speedup);
    clock_.start();
    QObject::connect(&heartbeat_, &QTimer::timeout, [this] { onTick(); });
    heartbeat_.start(10);
    watchdog_ = std::thread([this] {
        while (!finished_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            if (clock_.elapsed() - lastTickForWatchdog_ > options_.stallLimitSeconds * 1000) {
                std::fprintf(stderr, "soak: HANG in cycle %d: no event processed for %d s\n", currentCycle_.load(),
                             options_.stallLimitSeconds);
                std::_Exit(3);
            }
        }
    });

    startWindow();
    for (int n = 1; n <= options_.cycles; ++n)
        cycle(n);
    window_->close();
    window_.reset();
    heartbeat_.stop();
    TimeBase::setSpeedup(previousSpeedup);

    figures_.seconds = clock_.elapsed() / 1000.0;
    figures_.writeConfirmations = dialogs_.writeConfirmations;
    figures_.damagedReplies = lineCounts_.damagedReplies;
    figures_.damagedRequests = lineCounts_.damagedRequests;
    figures_.lostReplies = lineCounts_.lostReplies;
    figures_.noiseBursts = lineCounts_.noiseBursts;
    figures_.replies = lineCounts_.replies;
    figures_.requests = lineCounts_.requests;
    return figures_;
}

} // namespace

SoakFigures runSoak(const SoakOptions &options)
{
    SoakRun run(options);
    return run.run();
}

} // namespace alvetra::soak
