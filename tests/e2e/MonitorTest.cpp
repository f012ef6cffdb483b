// Start-up against the simulated unit, the live monitor and the withdrawal of access by the unit.

#include "WindowHarness.h"

#include <QPushButton>

using namespace alvetra;
using namespace alvetra::test;

namespace {

const QString kNoAccessCaption = QString(84, QLatin1Char(' '))
    + QStringLiteral("Brak dostępu do programowania - tylko Monitor") + QString(81, QLatin1Char(' '));

} // namespace

TEST_F(WindowTest, StartUpOpensTheSimulatorAndPollsItWithoutChecksumErrors)
{
    // Real time: each port LED stays lit for a tenth of a second, long enough to be seen.
    TimeBase::setSpeedup(1);
    start();
    EXPECT_EQ(panel(1), QStringLiteral("CRC Error:0"));
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_EQ(pages()->currentIndex(), 9);
    EXPECT_EQ(pages()->tabText(9), kNoAccessCaption);

    // The monitor is polled every 200 ms; each poll lights Tx, each report Rx.
    EXPECT_TRUE(waitFor([&] { return ledLit("LedPortRs232Tx"); }));
    EXPECT_TRUE(waitFor([&] { return ledLit("LedPortRs232Rx"); }));
    ASSERT_TRUE(waitFor([&] { return unit->received(0x08).size() >= 5; }));
    // Both go dark again between the polls.
    EXPECT_TRUE(waitFor([&] { return !ledLit("LedPortRs232Tx") && !ledLit("LedPortRs232Rx"); }));
    EXPECT_EQ(panel(1), QStringLiteral("CRC Error:0"));
    EXPECT_FALSE(ledLit("LedPortRsCrc"));
    EXPECT_EQ(window->serialLink().checksumErrors(), 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, TheMonitorFollowsTheUnitsInputs)
{
    start();
    unit->setInput(sim::Input::Ignition, true);
    unit->setInput(sim::Input::CanDoor, true);
    EXPECT_TRUE(waitFor([&] { return ledLit("LedStacyjka") && ledLit("LedKrancowkaCan"); }));
    EXPECT_FALSE(ledLit("LedCzujnik"));
    unit->setInput(sim::Input::Ignition, false);
    EXPECT_TRUE(waitFor([&] { return !ledLit("LedStacyjka"); }));

    auto *relay = find<QLabel>("LAB_przekaznik");
    unit->setInput(sim::Input::Relay, true);
    EXPECT_TRUE(waitFor([&] { return relay->text() == QStringLiteral("Przekaźnik włączony"); }));
    unit->setInput(sim::Input::Relay, false);
    EXPECT_TRUE(waitFor([&] { return relay->text() == QStringLiteral("Przekaźnik wyłączony"); }));
    EXPECT_TRUE(ledLit("LedPrzekaznik"));

    // Nothing configured yet: the anti-theft block shows only once the unit says it has one.
    auto *antiTheft = find<QLabel>("LAB_antykradziez");
    EXPECT_TRUE(waitFor([&] { return antiTheft->text() == QStringLiteral("Przeciwkradzież - brak"); }));
    unit->setInput(sim::Input::AntiTheftPresent, true);
    EXPECT_TRUE(waitFor([&] { return antiTheft->text() == QStringLiteral("Przeciwkradzież - nie aktywna"); }));
    EXPECT_TRUE(antiTheft->isEnabled());

    // A remote button is reported once; its LED goes dark with the remote-LED timer (2 s).
    unit->press(sim::Press::RemoteButton1);
    EXPECT_TRUE(waitFor([&] { return ledLit("LedPilotP1"); }));
    EXPECT_FALSE(ledLit("LedPilotP2"));
    EXPECT_TRUE(waitFor([&] { return !ledLit("LedPilotP1"); }));

    EXPECT_EQ(panel(1), QStringLiteral("CRC Error:0"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, ArmingTheUnitWithdrawsAccessAndEndsTheSession)
{
    start();
    connect();
    ASSERT_EQ(visibleTabs(), 10);
    ASSERT_TRUE(unit->sessionOpen());

    unit->setInput(sim::Input::Armed, true);
    // The codes tab polls every 3 s; the report of the armed unit takes access away.
    ASSERT_TRUE(waitFor([&] { return visibleTabs() == 1; }));
    EXPECT_EQ(pages()->currentIndex(), 9);
    EXPECT_EQ(pages()->tabText(9), kNoAccessCaption);
    EXPECT_FALSE(window->isConnected());
    EXPECT_TRUE(find<QPushButton>("BITBTN_Polacz")->isVisibleTo(window.get()));
    EXPECT_FALSE(find<QPushButton>("BITBTN_ZapisAll")->isVisibleTo(window.get()));
    EXPECT_FALSE(find<QPushButton>("BITBTN_ZapisAll")->isEnabled());
    EXPECT_FALSE(find<QWidget>("TOB_Zapisz")->isEnabled());
    EXPECT_FALSE(find<ScaledTimer>("TimerPdtrzymujBlokadeBlokad")->isActive());
    EXPECT_TRUE(find<ScaledTimer>("TimerTimeOutConnected")->isActive());

    auto *state = find<QLabel>("LAB_StanAlarmu");
    EXPECT_EQ(state->text(), QStringLiteral("Alarm uzbrojony"));
    EXPECT_EQ(state->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(find<QLabel>("LAB_progress")->width(), 383);

    // The bare disconnect request: no data, length 2.
    ASSERT_TRUE(waitFor([&] { return !unit->received(0x0B).empty(); }));
    const Frame bare = unit->received(0x0B).front();
    EXPECT_EQ(bare.length, 2);
    EXPECT_TRUE(bare.data.empty());
    EXPECT_FALSE(unit->sessionOpen());

    // Disarmed again, the monitor says so, and access comes back only by connecting.
    unit->setInput(sim::Input::Armed, false);
    EXPECT_TRUE(waitFor([&] { return state->text() == QStringLiteral("Alarm rozbrojony"); }));
    EXPECT_EQ(visibleTabs(), 1);
    connect();
    EXPECT_EQ(visibleTabs(), 10);
}

TEST_F(WindowTest, ChecksumErrorsAreCountedAndAPortResetStartsAfresh)
{
    start();
    sim::FaultPlan damaged;
    damaged.corruptProbability = 0.5;
    unit->setFaults(damaged);
    ASSERT_TRUE(waitFor([&] { return window->serialLink().checksumErrors() >= 3; }));
    EXPECT_TRUE(waitFor([&] { return panel(1) != QStringLiteral("CRC Error:0"); }));
    EXPECT_TRUE(panel(1).startsWith(QStringLiteral("CRC Error:")));
    EXPECT_TRUE(ledLit("LedPortRsCrc"));

    unit->setFaults({});
    auto *supervision = find<ScaledTimer>("TimerTimeOutConnected");
    click("TOB_ResetRS232");
    EXPECT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port otwarty"); }));
    EXPECT_EQ(panel(1), QStringLiteral("CRC Error:0"));
    EXPECT_FALSE(ledLit("LedPortRsCrc"));
    EXPECT_TRUE(supervision->isActive());
    EXPECT_FALSE(find<ScaledTimer>("TimerPdtrzymujBlokadeBlokad")->isActive());
    // The new reader thread answers the polls again.
    unit->clearFrameLog();
    EXPECT_TRUE(waitFor([&] { return unit->sent(0x88).size() >= 2; }));
    EXPECT_TRUE(dialogs.messages.empty());
}
