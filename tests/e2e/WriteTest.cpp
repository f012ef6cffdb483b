// Writing from the window: each group's button sends what its tab shows, writing all groups
// reports its count, clearing the history, learning and erasing remotes and tokens.

#include "WindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

using namespace alvetra;
using namespace alvetra::test;

namespace {

struct GroupCase {
    const char *action;
    std::vector<int> addresses;   // layout B
    std::vector<int> confirmations;
    const char *done;
};

// Selects the first make and model, as the fitter does on the CAN tab.
void chooseFirstCar(QComboBox *make, QComboBox *model)
{
    make->setCurrentIndex(0);
    emit make->activated(0);
    model->setCurrentIndex(0);
    emit model->activated(0);
}

} // namespace

TEST_F(WindowTest, EachGroupButtonWritesItsBytesAndConfirms)
{
    start();
    connect();
    find<QCheckBox>("CKB_AlarmCan")->setChecked(true);
    chooseFirstCar(find<QComboBox>("CMB_Marka"), find<QComboBox>("CMB_Model"));

    const GroupCase cases[] = {
        {"ActionZapisKodow", {54, 56, 58, 60}, {0x0C}, "Zapisano kody"},
        {"ActionZapisKierunki", {66}, {0x0C}, "Zapisano kierunki"},
        {"ActionZapisZamki", {66, 69, 70, 71, 72, 73, 74, 75, 76}, {0x0C}, "Zapisano zamki"},
        {"ActionZapisAntykradziez", {66, 77}, {0x0C}, "Zapisano przeciwkradzież"},
        {"ActionZapisAntynapad", {66, 78}, {0x0C}, "Zapisano antynapad"},
        {"ActionZapisOgolne", {66}, {0x0C}, "Zapisano ponowne uzbrojenie"},
        {"ActionZapisCan", {79}, {0x0D}, "Zapisano CAN"},
        {"ActionZapisCanSyg", {66}, {0x0C}, "Zapis ustawień analizy magistrali CAN"},
    };
    for (const GroupCase &c : cases) {
        unit->clearFrameLog();
        dialogs.messages.clear();
        trigger(c.action);
        EXPECT_EQ(writeAddresses(), c.addresses) << c.action;
        std::vector<int> expected = kLoginCodes;
        expected.insert(expected.end(), c.addresses.size(), 0x03);
        expected.insert(expected.end(), c.confirmations.begin(), c.confirmations.end());
        EXPECT_EQ(codesWithoutRetransmissions(), expected) << c.action;
        EXPECT_EQ(statusText(), QString::fromUtf8(c.done)) << c.action;
        EXPECT_TRUE(find<QAction>(c.action)->isEnabled()) << c.action;
    }
    EXPECT_EQ(unit->memoryAt(79), window->operationState().image.at(79));
}

TEST_F(WindowTest, WhatTheTabsShowIsWhatReachesTheUnit)
{
    start();
    connect();
    find<QSpinBox>("SPE_CzasPoStacyjce")->setValue(25);
    find<QSpinBox>("SPE_PrzerwaOtworz")->setValue(9);
    auto *sound = find<QCheckBox>("CKB_SygnalDzwiekowyPotwierdzenie");
    const bool soundWas = sound->isChecked();
    sound->setChecked(!soundWas);
    const std::uint8_t flagsBefore = unit->memoryAt(66);

    trigger("ActionZapisZamki");
    EXPECT_EQ(statusText(), QStringLiteral("Zapisano zamki"));
    EXPECT_EQ(unit->memoryAt(76), 25);
    EXPECT_EQ(unit->memoryAt(70), 9);
    // The lock group sends the flags word with only its own bits built from the tabs.
    EXPECT_EQ(unit->memoryAt(66) & 0x01, flagsBefore & 0x01);
    trigger("ActionZapisKierunki");
    EXPECT_EQ(statusText(), QStringLiteral("Zapisano kierunki"));
    EXPECT_EQ(unit->memoryAt(66) & 0x01, soundWas ? 0 : 1);
    EXPECT_EQ(unit->memoryAt(66) & 0xFE, flagsBefore & 0xFE);

    // Read back, the window shows the unit's new values.
    click("BITBTN_OdczytZamki");
    EXPECT_EQ(find<QSpinBox>("SPE_CzasPoStacyjce")->value(), 25);
    EXPECT_EQ(sound->isChecked(), !soundWas);
}

TEST_F(WindowTest, WritingAllWithThePasswordEditsEmptyCountsTheRest)
{
    start();
    connect();
    find<QCheckBox>("CKB_AlarmCan")->setChecked(true);
    chooseFirstCar(find<QComboBox>("CMB_Marka"), find<QComboBox>("CMB_Model"));
    // The car's group lies on another tab than the one in front: the fitter confirms it.
    dialogs.onDialog = [](QDialog &) { return int(QDialog::Accepted); };
    click("BITBTN_ZapisAll");

    EXPECT_EQ(std::count(dialogs.events.begin(), dialogs.events.end(), QStringLiteral("dialog:DLG_Zmiany")), 1);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.front(), (UserMessage{QStringLiteral("Informacja"),
                                                     QStringLiteral("Hasło za krótkie, wymagane 4 znaki."),
                                                     MessageIcon::Information}));
    EXPECT_EQ(statusText(), QStringLiteral("Zaprogramowano 8 pozycji z 9"));
    // Every group but the password reached the unit, and the window is given back.
    const std::vector<int> writes = writeAddresses();
    for (int address : {54, 60, 66, 76, 77, 78, 79})
        EXPECT_NE(std::find(writes.begin(), writes.end(), address), writes.end()) << address;
    EXPECT_EQ(std::find(writes.begin(), writes.end(), 62), writes.end());
    EXPECT_TRUE(pages()->isEnabled());
    EXPECT_TRUE(find<QPushButton>("BITBTN_ZapisAll")->isEnabled());
}

TEST_F(WindowTest, ChangingThePcPasswordReachesTheUnitAndEmptiesTheEdits)
{
    start();
    connect();
    find<QLineEdit>("ED_KodProg1")->setText(QStringLiteral("4321"));
    find<QLineEdit>("ED_KodProg2")->setText(QStringLiteral("4321"));
    click("BITBTN_ZapisHasloPC");
    EXPECT_EQ(statusText(), QStringLiteral("Zapisano hasło PC"));
    EXPECT_EQ(writeAddresses(), std::vector<int>{62});
    EXPECT_TRUE(find<QLineEdit>("ED_KodProg1")->text().isEmpty());
    EXPECT_TRUE(find<QLineEdit>("ED_KodProg2")->text().isEmpty());

    // The old password no longer opens the unit; the new one does.
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
    trigger("ActionOdczytUstawienAlarmu");
    EXPECT_EQ(statusText(), QStringLiteral("Hasło dostępu do programowania komputerem niepoprawne."));
    connect(QStringLiteral("4321"));
}

TEST_F(WindowTest, HistoryIsListedAndClearedInTheUnit)
{
    start();
    connect();
    auto *history = find<QTableWidget>("LV_Historia");
    ASSERT_EQ(history->rowCount(), 7);
    EXPECT_EQ(history->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(history->item(0, 2)->text(), QStringLiteral("rozbrojenie"));
    EXPECT_EQ(history->item(1, 2)->text(), QStringLiteral("uzbrojenie"));

    pages()->setCurrentIndex(6);
    click("BITBTN_ZapisClearHistory");
    EXPECT_EQ(statusText(), QStringLiteral("Skasowano historię"));
    for (int address = 168; address <= 255; ++address)
        ASSERT_EQ(unit->memoryAt(address), 0) << address;
    // The list keeps its rows until the settings are read again.
    EXPECT_EQ(history->rowCount(), 7);
    click("BITBTN_OdczytHistorii");
    EXPECT_EQ(history->rowCount(), 0);

    // An event in the unit shows at the next read.
    unit->setInput(sim::Input::Armed, true);
    unit->setInput(sim::Input::Armed, false);
    click("BITBTN_OdczytHistorii");
    ASSERT_EQ(history->rowCount(), 2);
    EXPECT_EQ(history->item(0, 2)->text(), QStringLiteral("rozbrojenie"));
}

TEST_F(WindowTest, RemotesAreLearntAndTokensErased)
{
    start();
    connect();
    pages()->setCurrentIndex(8);
    // The simulated unit learns two remotes by itself while the program waits.
    click("BITBTN_ZapisPilot");
    EXPECT_EQ(statusText(), QStringLiteral("Zaprogramowano 2 piloty."));
    EXPECT_EQ(find<QLabel>("Pilot1")->text(),
              QStringLiteral("1. Data produkcji: 2008.05.17  Numer seryjny: 0123   Numer emisji: 4567"));
    click("BITBTN_OdczytPilotowTokenow");
    EXPECT_NE(find<QLabel>("Pilot1")->text(),
              QStringLiteral("1. Data produkcji: 2008.05.17  Numer seryjny: 0123   Numer emisji: 4567"));
    EXPECT_NE(find<QLabel>("Pilot2")->text(), QStringLiteral("2. "));
    EXPECT_EQ(find<QLabel>("Pilot3")->text(), QStringLiteral("3. "));

    ASSERT_NE(find<QLabel>("Token1")->text(), QStringLiteral("1. "));
    unit->clearFrameLog();
    click("BITBTN_KasToken");
    EXPECT_EQ(statusText(), QStringLiteral("Skasowano."));
    std::vector<int> tokenBytes;
    for (int a = 30; a <= 53; ++a)
        tokenBytes.push_back(a);
    EXPECT_EQ(writeAddresses(), tokenBytes);
    click("BITBTN_OdczytPilotowTokenow");
    EXPECT_EQ(find<QLabel>("Token1")->text(), QStringLiteral("1. "));
    EXPECT_NE(find<QLabel>("Pilot1")->text(), QStringLiteral("1. "));
}

TEST_F(WindowTest, WritingAllWithANewPcPasswordWritesEveryGroup)
{
    start();
    connect();
    find<QCheckBox>("CKB_AlarmCan")->setChecked(true);
    chooseFirstCar(find<QComboBox>("CMB_Marka"), find<QComboBox>("CMB_Model"));
    find<QLineEdit>("ED_KodProg1")->setText(QStringLiteral("4321"));
    find<QLineEdit>("ED_KodProg2")->setText(QStringLiteral("4321"));
    dialogs.onDialog = [](QDialog &) { return int(QDialog::Accepted); };
    click("BITBTN_ZapisAll");

    EXPECT_EQ(statusText(), QStringLiteral("Zapisano wszystkie pozycje"));
    EXPECT_EQ(find<QLineEdit>("ED_HasloInst")->text(), QStringLiteral("4321"));
    // The unit checks the password it holds: every login after the password group sends the new one.
    const std::vector<Frame> logins = receivedWithoutRetransmissions(0x01);
    ASSERT_EQ(logins.size(), 9u);
    EXPECT_EQ(logins.front().data, (Bytes{4, '1', '2', '3', '4'}));
    for (std::size_t i = 1; i < logins.size(); ++i)
        EXPECT_EQ(logins[i].data, (Bytes{4, '4', '3', '2', '1'})) << i;
    EXPECT_EQ(unit->memoryAt(62), '4');
    EXPECT_EQ(unit->memoryAt(79), window->operationState().image.at(79));

    // Later operations of the run log in with it too.
    trigger("ActionOdczytUstawienAlarmu");
    EXPECT_EQ(statusText(), QStringLiteral("Odczytano"));
}

TEST_F(WindowTest, AnotherUnitOnThePortIsNotWrittenUntilItsSettingsAreRead)
{
    start();
    connect();
    // The same unit after a port reset, or unplugged and plugged in again, is still the window's.
    click("TOB_ResetRS232");
    ASSERT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port otwarty"); }));
    trigger("ActionZapisZamki");
    EXPECT_EQ(statusText(), QStringLiteral("Zapisano zamki"));
    unit->unplug();
    ASSERT_TRUE(waitFor([&] { return !window->serialLink().portOpen(); }));
    unit->replug();
    click("TOB_ResetRS232");
    ASSERT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port otwarty"); }));
    trigger("ActionZapisKierunki");
    EXPECT_EQ(statusText(), QStringLiteral("Zapisano kierunki"));

    const int family = window->familyCode();
    const QString extension = window->openDialogSettings().defaultExtension;
    const int makes = find<QComboBox>("CMB_Marka")->count();
    unit->becomeAnotherUnit(unitConfig(QStringLiteral("MZRAv1.4")));
    unit->clearFrameLog();
    dialogs.messages.clear();
    trigger("ActionZapisZamki");

    EXPECT_TRUE(writesReceived().empty());
    EXPECT_EQ(codesWithoutRetransmissions(), kLoginCodes);
    ASSERT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Do portu podłączono inną centralkę.\rAby ją programować, odczytaj najpierw jej "
                                  "ustawienia (Odczyt).")});
    EXPECT_EQ(dialogs.messages.at(0).caption, QStringLiteral("Ostżerzenie"));
    EXPECT_EQ(dialogs.messages.at(0).icon, MessageIcon::Exclamation);
    EXPECT_EQ(statusText(), QStringLiteral("Do portu podłączono inną centralkę."));
    // The window keeps the family, layout, CAN options, dialogs and cars of the unit it read.
    EXPECT_EQ(window->familyCode(), family);
    EXPECT_EQ(window->operationState().layout, kLayoutB);
    EXPECT_FALSE(find<QWidget>("GB_PomijanieLiniiNaCan")->isHidden());
    EXPECT_EQ(window->openDialogSettings().defaultExtension, extension);
    EXPECT_EQ(find<QComboBox>("CMB_Marka")->count(), makes);
}

TEST_F(WindowTest, AnOperationOnAPortThatIsGoneReopensItOnceOrSaysWhatToDo)
{
    start();
    connect();
    unit->unplug();
    ASSERT_TRUE(waitFor([&] { return !window->serialLink().portOpen(); }));
    ASSERT_TRUE(waitFor([&] { return !dialogs.messages.empty(); }));   // the port was reported gone
    dialogs.messages.clear();
    trigger("ActionZapisKierunki");
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Port RS232 nie jest otwarty.\rPodłącz przejściówkę i naciśnij Reset portu RS232.")});
    EXPECT_EQ(statusText(), QStringLiteral("Port RS232 nie jest otwarty."));

    // Plugged in again, the next operation opens the port by itself.
    unit->replug();
    dialogs.messages.clear();
    trigger("ActionZapisKierunki");
    EXPECT_EQ(statusText(), QStringLiteral("Zapisano kierunki"));
    EXPECT_TRUE(dialogs.messages.empty());
}
