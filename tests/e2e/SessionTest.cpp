// The session around the operations: settings files and offline editing, closing the program,
// a unit unplugged mid-session (the whole program over a pseudo-terminal: PtyWindowTest_unix.cpp).

#include "WindowHarness.h"

#include "app/AppShell.h"
#include "link/PortSearch.h"
#include "app/Preferences.h"

#include <QComboBox>
#include <QEventLoop>
#include <QTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>

using namespace alvetra;
using namespace alvetra::test;

TEST_F(WindowTest, ASavedFileOpensOfflineWithItsPasswordAndConnectingGivesEverythingBack)
{
    start();
    connect();
    // No status request while the fitter chooses a file; a cancelled choice saves and tells
    // nothing, and the supervision runs again.
    auto *const supervision = find<QTimer>("TimerTimeOutConnected");
    std::vector<bool> supervisedWhileChoosing;
    dialogs.whileChoosing = [&] { supervisedWhileChoosing.push_back(supervision->isActive()); };
    trigger("ActionSaveAllSettings");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(supervision->isActive());

    find<QSpinBox>("SPE_CzasPoStacyjce")->setValue(33);
    const QString file = QDir(programDir.path()).filePath(QStringLiteral("golf.alm"));
    dialogs.fileAnswer = file;
    trigger("ActionSaveAllSettings");
    ASSERT_EQ(QFileInfo(file).size(), 256);
    EXPECT_EQ(supervisedWhileChoosing, (std::vector<bool>{false, false}));
    dialogs.whileChoosing = nullptr;
    window->close();

    // A new run, without the unit, started on the file (as the system opens a double-clicked
    // one): "Otwórz" offers it, and it opens for editing with its password.
    start();
    window->offerSettingsFile(file);
    dialogs.fileAnswer.reset();
    trigger("ActionOpenSettings");
    EXPECT_EQ(dialogs.shownFileDialogs.back().fileName, QFileInfo(file).absoluteFilePath());
    dialogs.fileAnswer = file;
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
    trigger("ActionOpenSettings");
    EXPECT_EQ(window->familyCode(), 15);
    EXPECT_EQ(statusText(), QStringLiteral("Otworzono plik ") + QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(visibleTabs(), 10);
    EXPECT_EQ(find<QSpinBox>("SPE_CzasPoStacyjce")->value(), 33);
    EXPECT_FALSE(window->isConnected());
    for (const char *enabled : {"ActionOpenSettings", "ActionSaveAllSettings", "ActionZamykanieAplikacji", "ActionReadPdf"})
        EXPECT_TRUE(find<QAction>(enabled)->isEnabled()) << enabled;
    for (const char *disabled : {"ActionZapisZamki", "ActionOdczytUstawienAlarmu", "ActionProgPilot"})
        EXPECT_FALSE(find<QAction>(disabled)->isEnabled()) << disabled;
    EXPECT_TRUE(find<QWidget>("TOB_Zapisz")->isEnabled());
    EXPECT_FALSE(find<QWidget>("BITBTN_ZapisKody")->isEnabled());

    // Connecting reads the unit over the file and every action comes back.
    click("BITBTN_Polacz");
    EXPECT_TRUE(window->isConnected());
    EXPECT_EQ(find<QSpinBox>("SPE_CzasPoStacyjce")->value(), 10);
    for (const char *action : {"ActionZapisZamki", "ActionOdczytUstawienAlarmu", "ActionProgPilot"})
        EXPECT_TRUE(find<QAction>(action)->isEnabled()) << action;
}

TEST_F(WindowTest, AFileWithAnotherPasswordIsNotOpenedForEditing)
{
    start();
    const QString file = QDir(programDir.path()).filePath(QStringLiteral("obcy.alm"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(256, '\0'));
    }
    find<QLineEdit>("ED_HasloInst")->setText(QStringLiteral("1234"));
    dialogs.fileAnswer = file;
    trigger("ActionOpenSettings");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Hasło dostępu do programowania komputerem niepoprawne."));
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_TRUE(find<QAction>("ActionOdczytUstawienAlarmu")->isEnabled());
}

TEST_F(WindowTest, ClosingSaysGoodbyeToTheUnitClosesThePortAndStoresThePreferences)
{
    const QString ini = QDir(programDir.path()).filePath(QStringLiteral("Serkano.ini"));
    AppShell appShell(PreferencesFile(ini, programDir.path()), dialogs);
    start({kSimulator}, &appShell);
    connect();
    unit->clearFrameLog();
    window->close();

    // The unit does not answer it: sent at 0, 0.2, 0.4 and 0.6 s.
    ASSERT_EQ(codesReceived(), (std::vector<int>{0x0B, 0x0B, 0x0B, 0x0B}));
    EXPECT_EQ(unit->received(0x0B).front().data, (Bytes{0, 0, 0, 0, 0}));
    EXPECT_FALSE(unit->sessionOpen());
    EXPECT_EQ(panel(0), QStringLiteral("Port zamknięty"));
    EXPECT_FALSE(window->serialLink().portOpen());
    EXPECT_FALSE(window->serialLink().hasReaderThread());
    for (const char *timer : {"TimerTimeOutConnected", "TimerLedPilot", "TimerPdtrzymujBlokadeBlokad", "TimerLedRs232"})
        EXPECT_FALSE(find<ScaledTimer>(timer)->isActive()) << timer;

    const QSettings stored(ini, QSettings::IniFormat);
    for (const char *key : {"COMMSETTINGS/CMBPORTINDEX", "COMMSETTINGS/CMBPORTSPEEDINDEX", "SAVEDIALOG/PATH",
                            "OPENDIALOG1/PATH", "FORM1/TOP", "FORM1/LEFT", "COMINFORMATION/VALUE"})
        EXPECT_TRUE(stored.contains(QString::fromLatin1(key))) << key;
    EXPECT_EQ(stored.value(QStringLiteral("COMMSETTINGS/CMBPORTSPEEDINDEX")).toString(), QStringLiteral("8"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, AnAdapterHoldingItsBytesTooLongIsToldOncePerRun)
{
    scanPorts = [] { return std::vector<PortInfo>{{kSimulator, {}, {}, 16}}; };
    start();
    ASSERT_TRUE(waitFor([&] { return !dialogs.messages.empty(); }));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Przejściówka USB portu Symulator przetrzymuje")));
    // The port reopened by hand: said already.
    click("TOB_ResetRS232");
    EXPECT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port otwarty"); }));
    EXPECT_FALSE(waitFor([&] { return dialogs.messages.size() > 1; }, 300));
}

TEST_F(WindowTest, AnUnpluggedUnitIsReportedOnceAndReopenedQuietly)
{
    start();
    connect();
    // On the monitor, answered polls come every 200 ms.
    pages()->setCurrentIndex(9);
    auto *supervision = find<ScaledTimer>("TimerTimeOutConnected");
    ASSERT_TRUE(waitFor([&] { return supervision->intervalMs() == 200; }));

    // The fitter takes a while to read the box; the window keeps running meanwhile.
    dialogs.whileShown = [] {
        QEventLoop reading;
        QTimer::singleShot(300, &reading, &QEventLoop::quit);
        reading.exec();
    };
    unit->unplug();
    ASSERT_TRUE(waitFor([&] { return !dialogs.messages.empty(); }));
    EXPECT_EQ(dialogs.messages[0], (UserMessage{QStringLiteral("Błąd"), QStringLiteral("Port Symulator został odłączony."),
                                                MessageIcon::Error}));
    EXPECT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port zamknięty"); }));

    // Supervision reopens the port after 101 unanswered polls; the unit is still unplugged,
    // which has been said already.
    ASSERT_TRUE(waitFor([&] { return supervision->intervalMs() == 5500; }));
    // The reopened reader thread could not open the port and has ended.
    EXPECT_TRUE(waitFor([&] { return !window->serialLink().hasReaderThread(); }));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(window->serialLink().portOpen());

    // Plugged in again, the fitter's port reset opens it at once.
    unit->replug();
    click("TOB_ResetRS232");
    EXPECT_TRUE(waitFor([&] { return panel(0) == QStringLiteral("Port otwarty"); }));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    unit->clearFrameLog();
    EXPECT_TRUE(waitFor([&] { return !unit->sent(0x88).empty(); }));
}
