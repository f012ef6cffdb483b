// Connecting from the window: the login, the full read, the fill of every tab and the access
// that follows; refused logins and an error that ends the connect.

#include "WindowHarness.h"

#include <QFile>
#include <QDir>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

using namespace alvetra;
using namespace alvetra::test;

namespace {

const QString kBlocksInactiveWarning = QStringLiteral(
    "Podczas działania aplikacji, gdy wszystkie zakładki są widoczne,\r"
    "blokady antynapadowa i przeciwkradzieżowa oraz ponowne uzbrojenie\r"
    "nie są aktywne, nawet jeśli są zaprogramowane.");

std::vector<int> expectedReadAddresses()
{
    std::vector<int> addresses;
    for (int a = 0; a < 256; a += 8)
        addresses.push_back(a);
    return addresses;
}

std::vector<int> addressesOf(const std::vector<Frame> &reads)
{
    std::vector<int> addresses;
    for (const Frame &f : reads)
        addresses.push_back(f.data.at(2));
    return addresses;
}

} // namespace

TEST_F(WindowTest, ConnectingReadsEveryBlockFillsEveryTabAndGrantsFullAccess)
{
    start();
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
    unit->clearFrameLog();
    click("BITBTN_Polacz");

    // 6, 7, 1, then 32 reads from 0 to 248 in order, then the counter written back once.
    std::vector<int> expected = kLoginCodes;
    expected.insert(expected.end(), 32, 0x02);
    expected.push_back(0x03);
    EXPECT_EQ(codesWithoutRetransmissions(), expected);
    EXPECT_EQ(addressesOf(receivedWithoutRetransmissions(0x02)), expectedReadAddresses());
    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].first, 164);
    EXPECT_EQ(writes[0].second, (Bytes{unit->memoryAt(164), unit->memoryAt(165), unit->memoryAt(166)}));
    EXPECT_EQ(unit->minuteCounter(), kCounter);

    // Full access, the codes tab in front, the greeting and the warning box.
    EXPECT_TRUE(window->isConnected());
    EXPECT_EQ(visibleTabs(), 10);
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_EQ(pages()->tabText(9), QStringLiteral("Monitor"));
    EXPECT_EQ(statusText(), QStringLiteral("Połączono z centralą."));
    EXPECT_EQ(find<QLabel>("LAB_progress")->width(), 383);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              (UserMessage{QStringLiteral("Ostżerzenie"), QStringLiteral("UWAGA !\r") + kBlocksInactiveWarning,
                           MessageIcon::Exclamation}));
    EXPECT_EQ(panel(2), QStringLiteral("Alvetra SIM  HW 3.2  MZRv1.61"));
    EXPECT_FALSE(find<QPushButton>("BITBTN_Polacz")->isVisibleTo(window.get()));
    EXPECT_TRUE(find<QPushButton>("BITBTN_Polacz")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("BITBTN_ZapisAll")->isVisibleTo(window.get()));
    EXPECT_TRUE(find<QPushButton>("BITBTN_ZapisAll")->isEnabled());
    EXPECT_TRUE(find<QWidget>("TOB_Zapisz")->isEnabled());
    EXPECT_TRUE(find<QWidget>("TOB_Otworz")->isEnabled());
    EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisibleTo(window.get()));
    EXPECT_TRUE(find<ScaledTimer>("TimerPdtrzymujBlokadeBlokad")->isActive());
    EXPECT_TRUE(find<ScaledTimer>("TimerTimeOutConnected")->isActive());
    EXPECT_EQ(window->familyCode(), 17);

    // Every tab shows the unit's settings.
    EXPECT_EQ(find<QLineEdit>("ED_KodInst")->text(), QStringLiteral("KDDK"));
    EXPECT_EQ(find<QSpinBox>("SPE_CzasPoStacyjce")->value(), 10);
    EXPECT_EQ(find<QSpinBox>("SPE_CzasZwlokiAntykradziez")->value(), 30);
    EXPECT_EQ(find<QSpinBox>("SPE_CzasZwlokiAntynapad")->value(), 60);
    EXPECT_EQ(find<QTableWidget>("LV_Historia")->rowCount(), 7);
    EXPECT_EQ(find<QLabel>("Pilot1")->text(),
              QStringLiteral("1. Data produkcji: 2008.05.17  Numer seryjny: 0123   Numer emisji: 4567"));
    EXPECT_EQ(find<QLabel>("Pilot3")->text(), QStringLiteral("3. "));
    EXPECT_GT(find<QComboBox>("CMB_Marka")->count(), 0);
}

TEST_F(WindowTest, AFirstFamilyUnitIsReadInItsOwnLayout)
{
    unit = std::make_unique<sim::SimulatedUnit>(unitConfig(QStringLiteral("MZRAv1.4")));
    start();
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
    unit->clearFrameLog();
    click("BITBTN_Polacz");
    ASSERT_TRUE(window->isConnected());
    EXPECT_EQ(window->familyCode(), 14);
    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].first, 82);
    EXPECT_EQ(find<QSpinBox>("SPE_CzasPoStacyjce")->value(), 10);
    // The CAN-analysis options belong to later families.
    EXPECT_TRUE(find<QWidget>("GB_PomijanieLiniiNaCan")->isHidden());
}

TEST_F(WindowTest, EveryReadButtonReadsEverythingAgain)
{
    start();
    connect();
    for (const char *button : {"BITBTN_OdczytHasla", "BITBTN_OdczytZamki", "BITBTN_OdczytPilotowTokenow"}) {
        find<QSpinBox>("SPE_CzasPoStacyjce")->setValue(44);
        unit->clearFrameLog();
        click(button);
        // The previous read's last request, sent again while its reply was on the way, may reach
        // the unit after the log was cleared: one copy of it may come first.
        const std::vector<int> reads = addressesOf(receivedWithoutRetransmissions(0x02));
        ASSERT_GE(reads.size(), 32u) << button;
        EXPECT_LE(reads.size(), 33u) << button;
        EXPECT_EQ(std::vector<int>(reads.end() - 32, reads.end()), expectedReadAddresses()) << button;
        EXPECT_EQ(find<QSpinBox>("SPE_CzasPoStacyjce")->value(), 10) << button;
        EXPECT_EQ(statusText(), QStringLiteral("Odczytano")) << button;
    }
}

TEST_F(WindowTest, AWrongPasswordLeavesTheMonitorOnly)
{
    start();
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("9999"));
    click("BITBTN_Polacz");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], (UserMessage{QStringLiteral("Ostżerzenie"),
                                                QStringLiteral("Hasło dostępu do programowania komputerem niepoprawne."),
                                                MessageIcon::Exclamation}));
    EXPECT_EQ(statusText(), QStringLiteral("Hasło dostępu do programowania komputerem niepoprawne."));
    EXPECT_EQ(find<QLabel>("LAB_progress")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(window->isConnected());
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_TRUE(unit->received(0x02).empty());
    // The window is given back: the connect button, the actions and the supervision.
    EXPECT_TRUE(find<QPushButton>("BITBTN_Polacz")->isEnabled());
    EXPECT_TRUE(find<QAction>("ActionOdczytUstawienAlarmu")->isEnabled());
    EXPECT_TRUE(find<ScaledTimer>("TimerTimeOutConnected")->isActive());
}

TEST_F(WindowTest, AnArmedUnitRefusesTheConnectAndIsToldGoodbye)
{
    unit->setInput(sim::Input::Armed, true);
    start();
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
    unit->clearFrameLog();
    click("BITBTN_Polacz");
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("Alarm uzbrojony."));
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_EQ(find<QLabel>("LAB_StanAlarmu")->text(), QStringLiteral("Alarm uzbrojony"));
    EXPECT_FALSE(unit->received(0x0B).empty());
    EXPECT_TRUE(unit->received(0x02).empty());
}

TEST_F(WindowTest, AMissingCarDatabaseEndsTheConnectThroughTheGeneralErrorHandler)
{
    for (const char *name : {"MZRAv14.txt", "MZRAv17.txt", "MZRAv18.txt", "MZRFv10.txt"})
        ASSERT_TRUE(QFile::remove(QDir(programDir.path()).filePath(QString::fromLatin1(name))));
    start();
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
    click("BITBTN_Polacz");

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], (UserMessage{QStringLiteral("Alvetra 1.61"),
                                                QStringLiteral("Brak pliku z bazą danych o samochodach!"),
                                                MessageIcon::Error}));
    EXPECT_FALSE(window->isConnected());
    EXPECT_EQ(visibleTabs(), 1);
    // The operation's guards gave the window back before the error reached the handler.
    EXPECT_TRUE(find<QPushButton>("BITBTN_Polacz")->isEnabled());
    for (const char *action : {"ActionOdczytUstawienAlarmu", "ActionZapisKodow", "ActionZamykanieAplikacji"})
        EXPECT_TRUE(find<QAction>(action)->isEnabled()) << action;
    EXPECT_TRUE(find<ScaledTimer>("TimerTimeOutConnected")->isActive());
    // The monitor goes on.
    unit->clearFrameLog();
    EXPECT_TRUE(waitFor([&] { return !unit->sent(0x88).empty(); }));
}

TEST_F(WindowTest, WhileAnOperationRunsItsActionsAreDisabledAndTheSupervisionStopped)
{
    start();
    connect();
    unit->setAnswering(false);
    // The "no answer" box comes while the operation still holds the window.
    std::vector<QString> enabledDuring;
    bool supervisionDuring = true;
    dialogs.whileShown = [&] {
        for (const char *name : {"ActionZapisKodow", "ActionOdczytUstawienAlarmu", "ActionZamykanieAplikacji",
                                 "ActionOpenSettings", "ActionSaveAllSettings"})
            if (find<QAction>(name)->isEnabled())
                enabledDuring.push_back(QString::fromLatin1(name));
        for (const char *name : {"BITBTN_ZapisAll", "TOB_Wyjscie", "TOB_Zapisz", "BITBTN_ZapisKody"})
            if (find<QWidget>(name)->isEnabled())
                enabledDuring.push_back(QString::fromLatin1(name));
        supervisionDuring = find<ScaledTimer>("TimerTimeOutConnected")->isActive();
    };
    trigger("ActionZapisKodow");
    ASSERT_EQ(messageTexts(), std::vector<QString>{QStringLiteral("Alarm nie odpowiada.")});
    EXPECT_TRUE(enabledDuring.empty()) << enabledDuring.front().toStdString();
    EXPECT_FALSE(supervisionDuring);

    EXPECT_EQ(statusText(), QStringLiteral("Alarm nie odpowiada."));
    for (const char *name : {"BITBTN_ZapisAll", "TOB_Wyjscie", "TOB_Zapisz", "BITBTN_ZapisKody"})
        EXPECT_TRUE(find<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(find<ScaledTimer>("TimerTimeOutConnected")->isActive());
}

TEST_F(WindowTest, AMissingLockDiagramIsToldAfterTheConnectOrTheClickAndDecidesNeither)
{
    const QDir icons(QDir(programDir.path()).filePath(QStringLiteral("Ikony")));
    // The file's name as the system writes it, and the system's own reason, in its language.
    const auto missing = [&](const char *file) {
        QFile absent(icons.filePath(QString::fromLatin1(file)));
        EXPECT_FALSE(absent.open(QIODevice::ReadOnly));
        return UserMessage{QStringLiteral("Alvetra 1.61"),
                           QStringLiteral("Cannot open file \"%1\". %2")
                               .arg(QDir::toNativeSeparators(absent.fileName()), absent.errorString()),
                           MessageIcon::Error};
    };
    ASSERT_TRUE(QFile::remove(icons.filePath(QStringLiteral("Otworz1.bmp"))));
    start();
    // Twice the same result; the file is told once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        dialogs.messages.clear();
        find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
        click("BITBTN_Polacz");
        EXPECT_TRUE(window->isConnected());
        EXPECT_EQ(statusText(), QStringLiteral("Połączono z centralą."));
        ASSERT_EQ(dialogs.messages.size(), attempt == 0 ? 2u : 1u);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("UWAGA !\r") + kBlocksInactiveWarning);
        if (attempt == 0) {
            EXPECT_EQ(dialogs.messages[1], missing("Otworz1.bmp"));
        }
        window->leaveProgrammingAccess();
    }

    // A value change: the box comes once the change's handlers have all run.
    ASSERT_TRUE(QFile::remove(icons.filePath(QStringLiteral("Otworz3.bmp"))));
    dialogs.messages.clear();
    auto *spin = find<QSpinBox>("SPE_SygnalOtworz");
    const int changed = spin->value() == spin->minimum() ? spin->maximum() : spin->minimum();
    spin->setValue(changed);
    EXPECT_EQ(spin->value(), changed);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(waitFor([&] { return !dialogs.messages.empty(); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], missing("Otworz3.bmp"));
}
