// The window as the serial link's other side: reopening the port, what it says when a port
// fails, and what a status report does to the window and the line.

#include "Connecting.h"
#include "RecordingDialogs.h"

#include "ui/tabs/SettingsTabs.h"

#include "ui/tabs/CodeEntry.h"
#include "link/LinkEvents.h"
#include "link/SerialLink.h"
#include "ui/StatusLine.h"
#include "ui/MainWindow.h"
#include "ui/PortListDelegate.h"
#include "ui/widgets/LedIndicator.h"
#include "link/Wait.h"
#include "sim/SimulatedTransport.h"
#include "WaitFor.h"

#include <QCheckBox>
#include <QTest>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>

using namespace alvetra;
using namespace alvetra::test;

namespace {

// A port that opens as told, records what is written and can be kept from closing. It receives
// nothing, unless a simulated unit is put on it: then the unit answers what is written.
class Line {
public:
    Transport::OpenResult openResult = Transport::OpenResult::Opened;
    int made = 0;
    std::vector<std::string> written;   // UI thread only
    QStringList openedNames;            // UI thread only
    sim::SimulatedUnit *unit = nullptr;

    void holdClose()
    {
        std::lock_guard lock(mutex_);
        closeHeld_ = true;
    }
    void releaseClose()
    {
        std::lock_guard lock(mutex_);
        closeHeld_ = false;
        changed_.notify_all();
    }
    // The adapter pulled out (the open port reports the device gone) and plugged in again.
    void setUnplugged(bool unplugged)
    {
        std::lock_guard lock(mutex_);
        unplugged_ = unplugged;
        changed_.notify_all();
    }

    class Port final : public Transport {
    public:
        Port(Line &line, QString name) : line_(line), name_(std::move(name))
        {
            if (line.unit)
                unit_ = std::make_unique<sim::SimulatedTransport>(*line.unit);
        }
        OpenResult open() override { return unit_ ? unit_->open() : line_.openResult; }
        WaitResult waitForBytes() override
        {
            if (unit_)
                return unit_->waitForBytes();
            std::unique_lock lock(line_.mutex_);
            line_.changed_.wait(lock, [&] { return interrupted_ || line_.unplugged_; });
            if (line_.unplugged_)
                return WaitResult::DeviceLost;
            interrupted_ = false;
            return WaitResult::Interrupted;
        }
        qint64 read(char *buffer, qint64 maxBytes) override { return unit_ ? unit_->read(buffer, maxBytes) : 0; }
        qint64 write(const QByteArray &bytes) override
        {
            line_.written.push_back(bytes.toStdString());
            return unit_ ? unit_->write(bytes) : bytes.size();
        }
        void interrupt() override
        {
            if (unit_)
                unit_->interrupt();
            std::lock_guard lock(line_.mutex_);
            interrupted_ = true;
            line_.changed_.notify_all();
        }
        bool close() override
        {
            std::unique_lock lock(line_.mutex_);
            line_.changed_.wait(lock, [&] { return !line_.closeHeld_; });
            return unit_ ? unit_->close() : true;
        }
        int lastError() const override { return 2; }
        QString portName() const override { return name_; }

    private:
        Line &line_;
        QString name_;
        std::unique_ptr<sim::SimulatedTransport> unit_;
        bool interrupted_ = false;   // guarded by the line's mutex
    };

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool closeHeld_ = false;
    bool unplugged_ = false;
};

class WindowLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TimeBase::setSpeedup(100);
        setup.portNames = {QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")};
        setup.programFolder = QStringLiteral("/opt/alvetra");
        setup.dialogs = &dialogs;
        setup.shell = &shell;
        setup.openUrl = [](const QUrl &) { return true; };
        setup.transports = [this](const QString &name, int) -> std::unique_ptr<Transport> {
            ++line.made;
            line.openedNames.push_back(name);
            return std::make_unique<Line::Port>(line, name);
        };
        shell.stored.showComInformation = false;
    }
    void TearDown() override
    {
        line.releaseClose();
        window.reset();
        TimeBase::setSpeedup(1);
    }

    MainWindow &start()
    {
        window = std::make_unique<MainWindow>(setup);
        window->startUp();
        return *window;
    }
    // The window connected, as the fitter connects, to a simulated unit on the line.
    void startConnected()
    {
        line.unit = &unit;
        setup.programFolder = kProgramData;
        start();
        ASSERT_TRUE(waitFor([&] { return portOpened(); }));
        ASSERT_TRUE(connectAsTheFitterDoes(*window, dialogs));
    }
    template <typename T> T *find(const char *name) { return window->findChild<T *>(QString::fromLatin1(name)); }
    ScaledTimer *timer(const char *name) { return find<ScaledTimer>(name); }
    bool portOpened() { return window->statusLine().panelText(0) == QStringLiteral("Port otwarty"); }

    WindowSetup setup;
    RecordingDialogs dialogs;
    MemoryShell shell;
    sim::SimulatedUnit unit{unpacedUnit()};
    Line line;
    std::unique_ptr<MainWindow> window;
};

const std::string kBareDisconnect = ":C5020BE0D3;\r\n";

} // namespace

TEST_F(WindowLinkTest, AReaderThatWillNotStopIsReportedAndTheTimersComeBack)
{
    startConnected();
    timer("TimerLedPilot")->start();
    timer("TimerLedRs232")->stop();   // the connect's traffic has been shown; the port LEDs are dark
    line.holdClose();

    find<QToolButton>("TOB_ResetRS232")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              (UserMessage{QStringLiteral("Ostżerzenie"), QStringLiteral("Błąd resetu portu RS232."), MessageIcon::Warning}));
    EXPECT_EQ(line.made, 1);   // the old reader stays; no new one was made
    for (const char *name : {"TimerTimeOutConnected", "TimerPdtrzymujBlokadeBlokad", "TimerLedPilot"})
        EXPECT_TRUE(timer(name)->isActive()) << name;
    EXPECT_FALSE(timer("TimerLedRs232")->isActive());

    // Once the old reader has gone, a reset opens the port again.
    line.releaseClose();
    ASSERT_TRUE(waitFor([&] { return !window->serialLink().portOpen(); }));
    find<QToolButton>("TOB_ResetRS232")->click();
    EXPECT_EQ(line.made, 2);
    EXPECT_TRUE(waitFor([&] { return portOpened(); }));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(WindowLinkTest, WithoutASelectedPortNothingIsOpened)
{
    shell.stored.portIndex = 7;
    start();
    EXPECT_EQ(line.made, 0);
    EXPECT_FALSE(window->serialLink().hasReaderThread());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowLinkTest, AMissingPortIsReportedEachTimeTheFitterReopensIt)
{
    line.openResult = Transport::OpenResult::Missing;
    start();
    ASSERT_TRUE(waitFor([&] { return !dialogs.messages.empty(); }));
    EXPECT_EQ(dialogs.messages[0],
              (UserMessage{QStringLiteral("Błąd"), QStringLiteral("Port ttyS0 nie istnieje w systemie."), MessageIcon::Error}));
    ASSERT_TRUE(waitFor([&] { return !window->serialLink().hasReaderThread(); }));
    find<QToolButton>("TOB_ResetRS232")->click();
    EXPECT_TRUE(waitFor([&] { return dialogs.messages.size() == 2; }));
    EXPECT_EQ(window->statusLine().panelText(0), QString());   // never opened, never "closed"
}

TEST_F(WindowLinkTest, AStatusReportOfAnArmedUnitWithAnActiveBlockWithdrawsAccessTwice)
{
    startConnected();
    window->showStatus(QStringLiteral("Zapisano kody"), 383, Qt::black);
    line.written.clear();

    LinkEvents &events = *window;
    events.statusReport(0x00, 0x02, 0x00, 0x11);   // armed, anti-theft active

    EXPECT_EQ(line.written, (std::vector<std::string>{kBareDisconnect, kBareDisconnect}));
    EXPECT_FALSE(window->isConnected());
    EXPECT_EQ(find<QTabWidget>("PGC_Programator")->currentIndex(), 9);
    EXPECT_FALSE(timer("TimerPdtrzymujBlokadeBlokad")->isActive());
    EXPECT_EQ(find<QLabel>("LAB_StanAlarmu")->text(), QStringLiteral("Alarm uzbrojony"));
    EXPECT_EQ(find<QLabel>("LAB_antykradziez")->text(), QStringLiteral("Przeciwkradzież - aktywna"));
    auto *status = find<QLabel>("LAB_progress");
    EXPECT_EQ(status->text(), QString());
    EXPECT_EQ(status->width(), 383);

    // A quiet report withdraws nothing and sends nothing.
    line.written.clear();
    events.statusReport(0x00, 0x00, 0x00, 0x00);
    EXPECT_TRUE(line.written.empty());
    EXPECT_EQ(find<QLabel>("LAB_StanAlarmu")->text(), QStringLiteral("Alarm rozbrojony"));
}

TEST_F(WindowLinkTest, ARemoteButtonStartsTheRemoteLedTimerOnlyWhenItIsStopped)
{
    start();
    LinkEvents &events = *window;
    auto *remoteLedTimer = timer("TimerLedPilot");
    events.statusReport(0x00, 0x00, 0x00, 0x00);
    EXPECT_FALSE(remoteLedTimer->isActive());

    events.statusReport(0x10, 0x00, 0x00, 0x00);
    EXPECT_TRUE(remoteLedTimer->isActive());
    EXPECT_EQ(remoteLedTimer->intervalMs(), 2000);
    EXPECT_TRUE(find<LedIndicator>("LedPilotP1")->isShownLit());

    // A running timer is left alone: its count is not restarted by the next report.
    remoteLedTimer->setIntervalMs(5000);
    events.statusReport(0x20, 0x00, 0x00, 0x00);
    EXPECT_EQ(remoteLedTimer->intervalMs(), 5000);
    EXPECT_TRUE(find<LedIndicator>("LedPilotP2")->isShownLit());
}

TEST_F(WindowLinkTest, PortActivityLightsTheLedsAndANewReaderClearsTheChecksumCount)
{
    start();
    ASSERT_TRUE(waitFor([&] { return portOpened(); }));
    LinkEvents &events = *window;
    events.checksumError(3, QStringLiteral("CRC Error:3"));
    EXPECT_EQ(window->statusLine().panelText(1), QStringLiteral("CRC Error:3"));
    EXPECT_TRUE(find<LedIndicator>("LedPortRsCrc")->isShownLit());

    events.rxActivity();
    EXPECT_TRUE(find<LedIndicator>("LedPortRs232Rx")->isShownLit());
    EXPECT_TRUE(timer("TimerLedRs232")->isActive());
    EXPECT_TRUE(waitFor([&] { return !find<LedIndicator>("LedPortRs232Rx")->isShownLit(); }));

    events.setIdentification(QStringLiteral("A  B  C"));
    find<QToolButton>("TOB_ResetRS232")->click();
    EXPECT_TRUE(waitFor([&] { return portOpened(); }));
    EXPECT_EQ(window->statusLine().panelText(1), QStringLiteral("CRC Error:0"));
    EXPECT_EQ(window->statusLine().panelText(2), QString());
    EXPECT_FALSE(find<LedIndicator>("LedPortRsCrc")->isShownLit());
}

TEST_F(WindowLinkTest, EachSupervisionTickClocksTheCodePressesOnce)
{
    setup.transports = [](const QString &, int) -> std::unique_ptr<Transport> { return nullptr; };
    start();
    auto *supervision = timer("TimerTimeOutConnected");
    CodeEntry &codes = window->settingsTabs().codeEntry();
    const int before = codes.pressTicks();
    QSignalSpy ticks(supervision, &QTimer::timeout);
    ASSERT_TRUE(waitFor([&] { return ticks.count() >= 20; }));
    supervision->stop();
    EXPECT_EQ(codes.pressTicks() - before, ticks.count());
}

TEST_F(WindowLinkTest, APortChangeAskedForWhileOneWaitsIsIgnoredWithoutAFalseResetFailure)
{
    TimeBase::setSpeedup(5);   // the old reader's 5 s are one real second
    start();
    ASSERT_TRUE(waitFor([&] { return portOpened(); }));
    line.holdClose();
    // The fitter clicks again while the old reader is slow to go; then it goes.
    QTimer::singleShot(10, [&] { find<QToolButton>("TOB_ResetRS232")->click(); });
    QTimer::singleShot(30, [&] { line.releaseClose(); });
    find<QToolButton>("TOB_ResetRS232")->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(line.made, 2);
    EXPECT_TRUE(waitFor([&] { return portOpened(); }));
    EXPECT_TRUE(timer("TimerTimeOutConnected")->isActive());
}

TEST_F(WindowLinkTest, ThePortControlsAreLockedWhileAnOperationRuns)
{
    start();
    ASSERT_TRUE(waitFor([&] { return portOpened(); }));
    const auto enabled = [&] {
        std::vector<bool> states;
        for (const char *name : {"CMB_port", "CMB_PortSpeed", "CHB_PredkoscRS232", "TOB_ResetRS232"})
            states.push_back(find<QWidget>(name)->isEnabled());
        return states;
    };
    std::vector<bool> during;
    const auto connectWatching = [&] {
        QTimer::singleShot(1, [&] { during = enabled(); });
        find<QPushButton>("BITBTN_Polacz")->click();   // a login to the silent unit waits, then fails
    };

    find<QCheckBox>("CHB_PredkoscRS232")->click();   // the speed list unlocked
    connectWatching();
    EXPECT_EQ(during, std::vector<bool>(4, false));
    EXPECT_EQ(enabled(), std::vector<bool>(4, true));

    find<QCheckBox>("CHB_PredkoscRS232")->click();
    connectWatching();
    EXPECT_EQ(during, std::vector<bool>(4, false));
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, true}));   // the speed list follows its box
}

TEST_F(WindowLinkTest, ThePortListFollowsAnAdapterPulledOutAndPluggedInAgain)
{
    const QString adapter = QStringLiteral("usb-FTDI_FT232R_USB_UART_A10K-if00-port0");
    std::vector<PortInfo> system = {{"ttyS0", QString(), QString()}, {"ttyUSB0", "FT232R USB UART", adapter}};
    setup.portNames = {"ttyS0", "ttyUSB0", "Symulator"};
    setup.scanPorts = [&] { return system; };
    shell.stored.portIndex = 1;
    start();
    ASSERT_TRUE(waitFor([&] { return portOpened(); }));
    timer("TimerTimeOutConnected")->stop();   // no reopening by supervision in between
    auto *ports = find<QComboBox>("CMB_port");
    const auto listed = [&] {
        QStringList names;
        for (int i = 0; i < ports->count(); ++i)
            names << ports->itemText(i);
        return names;
    };
    EXPECT_EQ(PortListDelegate::lineText(ports->model()->index(1, 0)), "ttyUSB0  FT232R USB UART");

    // Pulled out: gone from the system's list, but still open, so still listed and selected.
    system.pop_back();
    window->refreshPorts();
    EXPECT_EQ(listed(), (QStringList{"ttyS0", "Symulator", "ttyUSB0"}));
    EXPECT_EQ(ports->currentText(), "ttyUSB0");
    // Once the port has closed, it goes; the loss is told once.
    line.setUnplugged(true);
    ASSERT_TRUE(waitFor([&] { return listed() == QStringList{"ttyS0", "Symulator"} && dialogs.messages.size() == 1; }));
    EXPECT_EQ(ports->currentIndex(), -1);

    // The same adapter plugged in again, now as ttyUSB1: selected and opened without a word.
    line.setUnplugged(false);
    system.push_back({"ttyUSB1", "FT232R USB UART", adapter});
    window->refreshPorts();
    EXPECT_EQ(listed(), (QStringList{"ttyS0", "ttyUSB1", "Symulator"}));
    EXPECT_EQ(ports->currentText(), "ttyUSB1");
    ASSERT_TRUE(waitFor([&] { return portOpened(); }));
    EXPECT_EQ(line.openedNames.back(), "ttyUSB1");
    QTest::qWait(20);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}
