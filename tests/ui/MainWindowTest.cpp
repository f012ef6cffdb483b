#include "Connecting.h"
#include "RecordingDialogs.h"

#include "ui/tabs/SettingsTabs.h"
#include "ui/BackupsDialog.h"
#include "files/Backups.h"
#include "files/SettingsFile.h"
#include "ops/OperationState.h"
#include "ui/StatusLine.h"
#include "ui/MainWindow.h"
#include "ui/widgets/LedIndicator.h"
#include "ui/UiTexts.h"
#include "link/Wait.h"
#include "sim/SimulatedTransport.h"
#include "WaitFor.h"

#include <QDir>
#include <QAction>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QFontInfo>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace alvetra;
using namespace alvetra::test;

namespace {

const char *const kActionNames[] = {
    "ActionZapisKodow", "ActionZapisKierunki", "ActionZapisZamki", "ActionZapisAntykradziez",
    "ActionZapisAntynapad", "ActionZapisOgolne", "ActionZapisCan", "ActionKasowanieHistorii",
    "ActionZapisHaslaPC", "ActionProgPilot", "ActionProgToken", "ActionKasowaniePilotow",
    "ActionKasowanieTokenow", "ActionZapisCanSyg", "ActionOdczytUstawienAlarmu", "ActionOpenSettings",
    "ActionSaveAllSettings", "ActionZamykanieAplikacji", "ActionReadPdf", "ActionShowWorningCom"};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setup.portNames = {QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")};
        setup.programFolder = QStringLiteral("/opt/alvetra");
        setup.dialogs = &dialogs;
        setup.shell = &shell;
        setup.openUrl = [this](const QUrl &url) {
            openedUrls.push_back(url);
            return true;
        };
        shell.stored.showComInformation = false;
        // The listed ports are names only: opening one makes no transport.
        setup.transports = [](const QString &, int) -> std::unique_ptr<Transport> { return nullptr; };
    }

    void TearDown() override
    {
        window.reset();
        TimeBase::setSpeedup(1);
    }

    MainWindow &start()
    {
        window = std::make_unique<MainWindow>(setup);
        window->startUp();
        return *window;
    }

    // The window on the simulated unit's port, connected as the fitter connects.
    void startConnected()
    {
        TimeBase::setSpeedup(50);
        unit = std::make_unique<sim::SimulatedUnit>(unpacedUnit());
        setup.programFolder = kProgramData;
        setup.portNames = {QString::fromLatin1(sim::kSimulatorPortName)};
        setup.transports = [this](const QString &, int) -> std::unique_ptr<Transport> {
            return std::make_unique<sim::SimulatedTransport>(*unit);
        };
        start();
        ASSERT_TRUE(waitFor([&] { return window->statusLine().panelText(0) == QStringLiteral("Port otwarty"); }));
        ASSERT_TRUE(connectAsTheFitterDoes(*window, dialogs));
    }

    template <typename T> T *find(const char *name)
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) { return find<QAction>(name); }
    QTabWidget *pages() { return find<QTabWidget>("PGC_Programator"); }
    int visibleTabs()
    {
        int n = 0;
        for (int i = 0; i < pages()->count(); ++i)
            n += pages()->isTabVisible(i);
        return n;
    }

    WindowSetup setup;
    RecordingDialogs dialogs;
    MemoryShell shell;
    std::vector<QUrl> openedUrls;
    std::unique_ptr<sim::SimulatedUnit> unit;   // outlives the window and its transports
    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(WindowTest, FrameHasItsSizeCaptionAndEveryNamedPart)
{
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Alvetra 1.61"));
    EXPECT_EQ(window->size(), QSize(741, 508));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);

    const char *const widgets[] = {
        "ToolBar1", "TOB_Otworz", "TOB_Zapisz", "TOB_Wyjscie", "CMB_port", "CMB_PortSpeed",
        "CHB_PredkoscRS232", "LedPortRs232Tx", "LedPortRs232Rx", "LedPortRsCrc", "TOB_ResetRS232", "TOB_Pdf",
        "PNL_PageControl", "GB_PolaczenieLogo", "LAB_HasloDostepu", "ED_HasloInst", "BITBTN_Polacz",
        "BITBTN_ZapisAll", "IM_Logo", "PGC_Programator", "StatusBar1", "LAB_progress", "ProgressBar1",
        "TBS_Hasla", "TBS_KierunkiPotw", "TBS_Zamki", "TBS_Antykradziez", "TBS_Antynapad", "TBS_Ogolne",
        "TBS_Historia", "TBS_SamochodCan", "TBS_Piloty", "TBS_Monitor", "PNL_Hasla", "Panel1",
        "LAB_TytulHasla", "LAB_TytulMonitor", "Label19"};
    for (const char *name : widgets)
        EXPECT_NE(find<QWidget>(name), nullptr) << name;
    for (const char *name : kActionNames)
        EXPECT_NE(action(name), nullptr) << name;

    const std::pair<const char *, int> timers[] = {
        {"TimerTimeOutConnected", 200}, {"TimerLedPilot", 2000},
        {"TimerPdtrzymujBlokadeBlokad", 30000}, {"TimerLedRs232", 100}};
    for (const auto &[name, interval] : timers) {
        auto *timer = find<ScaledTimer>(name);
        ASSERT_NE(timer, nullptr) << name;
        EXPECT_EQ(timer->intervalMs(), interval) << name;
    }
    EXPECT_TRUE(find<ScaledTimer>("TimerTimeOutConnected")->isActive());
    EXPECT_FALSE(find<ScaledTimer>("TimerLedPilot")->isActive());
}

TEST_F(WindowTest, PagesInOrderWithCaptionsTitlesAndPanels)
{
    start();
    ASSERT_EQ(pages()->count(), 10);
    const char *const sheets[] = {"TBS_Hasla", "TBS_KierunkiPotw", "TBS_Zamki", "TBS_Antykradziez",
                                  "TBS_Antynapad", "TBS_Ogolne", "TBS_Historia", "TBS_SamochodCan",
                                  "TBS_Piloty", "TBS_Monitor"};
    const char *const captions[] = {"Hasła i kody", "Potwierdzanie i kierunki", "Zamki", "Przeciwkradzież",
                                    "Antynapad", "Ponowne uzbrojenie", "Historia zdarzeń", "CAN", "Piloty"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(pages()->widget(i)->objectName(), QString::fromLatin1(sheets[i]));
        if (i < 9) {
            EXPECT_EQ(pages()->tabText(i), QString::fromUtf8(captions[i]));
        }
    }
    auto *title = find<QLabel>("LAB_TytulKierunki");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Ustawienia potwierdzeń kierunkami i mrugania kierunkami."));
    EXPECT_TRUE(title->font().bold());
    EXPECT_TRUE(title->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(find<QLabel>("LAB_TytulHasla")->text(), QStringLiteral("Zmiana hasel i kodów"));
    auto *panel = find<QWidget>("PNL_Zamki");
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(160, 160, 164));
}

TEST_F(WindowTest, ToolBarItemsHintsAndPortLists)
{
    shell.stored.portIndex = 1;
    start();
    auto *port = find<QComboBox>("CMB_port");
    auto *speed = find<QComboBox>("CMB_PortSpeed");
    EXPECT_EQ(port->count(), 2);
    EXPECT_EQ(port->currentText(), QStringLiteral("ttyUSB0"));
    ASSERT_EQ(speed->count(), 13);
    EXPECT_EQ(speed->itemText(0), QStringLiteral("110"));
    EXPECT_EQ(speed->itemText(12), QStringLiteral("128000"));
    EXPECT_EQ(speed->currentText(), QStringLiteral("19200"));
    EXPECT_FALSE(speed->isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_EQ(find<QToolButton>("TOB_ResetRS232")->toolTip(), QStringLiteral("Reaet portu RS232"));
    EXPECT_EQ(find<QToolButton>("TOB_Zapisz")->toolTip(), QStringLiteral("Zapis ustawień do pliku"));
    EXPECT_EQ(speed->toolTip(), QStringLiteral("Wybór prędkości portu RS232 - 19200"));

    auto *tx = find<LedIndicator>("LedPortRs232Tx");
    EXPECT_EQ(tx->ledStyle(), LedIndicator::LEDLarge);
    EXPECT_EQ(tx->trueColor(), QColor(255, 255, 0));
    EXPECT_FALSE(tx->blink());
    EXPECT_EQ(find<LedIndicator>("LedPortRs232Rx")->trueColor(), QColor(0, 255, 0));

    // The speed-unlock box unlocks and locks the speed list.
    auto *unlock = find<QCheckBox>("CHB_PredkoscRS232");
    QTest::mouseClick(unlock, Qt::LeftButton, {}, QPoint(6, unlock->height() / 2));
    EXPECT_TRUE(unlock->isChecked());
    EXPECT_TRUE(speed->isEnabled());
    QTest::mouseClick(unlock, Qt::LeftButton, {}, QPoint(6, unlock->height() / 2));
    EXPECT_FALSE(speed->isEnabled());

    EXPECT_EQ(action("ActionProgPilot")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(action("ActionProgToken")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(action("ActionOdczytUstawienAlarmu")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(action("ActionKasowanieHistorii")->text(), QStringLiteral("&Kasowanie"));
    EXPECT_EQ(action("ActionKasowaniePilotow")->text(), QStringLiteral("Kasowanie"));

    auto *password = find<QLineEdit>("ED_HasloInst");
    EXPECT_EQ(password->maxLength(), 4);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
}

TEST_F(WindowTest, NoSerialPortWarnsOnceAndDisablesThePortControls)
{
    setup.portNames.clear();
    shell.stored.portIndex = 3;
    start();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Ostżerzenie"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Nie wykryto w systemie portów szeregowych COM."));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
    for (const char *name : {"CMB_port", "CMB_PortSpeed", "CHB_PredkoscRS232", "TOB_ResetRS232", "ED_HasloInst",
                             "BITBTN_Polacz"})
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(find<QComboBox>("CMB_PortSpeed")->count(), 0);
    EXPECT_EQ(find<QComboBox>("CMB_port")->currentIndex(), -1);

    window->close();
    ASSERT_EQ(shell.written.size(), 1u);
    EXPECT_EQ(shell.written[0].portIndex, -1);
    EXPECT_EQ(shell.written[0].speedIndex, -1);
}

TEST_F(WindowTest, StoredIndexOutsideTheListsSelectsNothing)
{
    shell.stored.portIndex = 2;
    shell.stored.speedIndex = 13;
    start();
    EXPECT_EQ(find<QComboBox>("CMB_port")->currentIndex(), -1);
    EXPECT_EQ(find<QComboBox>("CMB_PortSpeed")->currentIndex(), -1);
    shell.stored.speedIndex = -5;
    start();
    EXPECT_EQ(find<QComboBox>("CMB_PortSpeed")->currentIndex(), -1);
}

TEST_F(WindowTest, CommandLinePortIsSelectedButTheStoredChoiceIsKept)
{
    setup.portNames << QStringLiteral("Symulator");
    setup.forcedPort = QStringLiteral("Symulator");
    shell.stored.portIndex = 1;
    start();
    auto *port = find<QComboBox>("CMB_port");
    EXPECT_EQ(port->currentText(), QStringLiteral("Symulator"));
    // The narrow box opens a list in which the name is not cut.
    EXPECT_EQ(port->width(), 70);
    EXPECT_GT(port->view()->minimumWidth(), port->fontMetrics().horizontalAdvance(QStringLiteral("Symulator")));
    window->close();
    ASSERT_EQ(shell.written.size(), 1u);
    EXPECT_EQ(shell.written[0].portIndex, 1);

    // A port the fitter picks by hand is stored as usual.
    shell.written.clear();
    start();
    find<QComboBox>("CMB_port")->setCurrentIndex(0);
    window->close();
    EXPECT_EQ(shell.written.at(0).portIndex, 0);
}

TEST_F(WindowTest, StartsInMonitorOnlyAccessAndGrantingShowsAllTabs)
{
    start();
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_EQ(pages()->currentIndex(), 9);
    const QString caption = pages()->tabText(9);
    EXPECT_EQ(caption.size(), 210);
    EXPECT_EQ(caption, QString(84, QLatin1Char(' ')) + QStringLiteral("Brak dostępu do programowania - tylko Monitor")
                           + QString(81, QLatin1Char(' ')));
    EXPECT_FALSE(find<QToolButton>("TOB_Zapisz")->isEnabled());
    EXPECT_TRUE(action("ActionSaveAllSettings")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("BITBTN_Polacz")->isVisibleTo(window.get()));
    EXPECT_FALSE(find<QPushButton>("BITBTN_ZapisAll")->isVisibleTo(window.get()));
    // Hidden tabs cannot be reached by the keyboard either.
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(pages()->isTabEnabled(i)) << i;

    // The keyboard cannot reach a hidden tab.
    window->show();
    QTest::keyClick(pages(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(pages(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pages()->currentIndex(), 9);
    // Saving to a file stays unavailable without access, also after an operation ran.
    window->enableOperations(false);
    window->enableOperations(true);
    EXPECT_FALSE(find<QToolButton>("TOB_Zapisz")->isEnabled());

    window->setProgrammingAccess(true);
    EXPECT_EQ(visibleTabs(), 10);
    EXPECT_EQ(pages()->tabText(9), QStringLiteral("Monitor"));
    QTest::keyClick(pages(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_TRUE(find<QToolButton>("TOB_Zapisz")->isEnabled());
    pages()->setCurrentIndex(3);

    window->setProgrammingAccess(false);
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_EQ(pages()->currentIndex(), 9);
    EXPECT_FALSE(window->isConnected());
}

TEST_F(WindowTest, EnteringAndLeavingProgrammingAccess)
{
    startConnected();
    EXPECT_TRUE(window->isConnected());
    EXPECT_EQ(visibleTabs(), 10);
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_FALSE(find<QPushButton>("BITBTN_Polacz")->isVisibleTo(window.get()));
    auto *writeAllButton = find<QPushButton>("BITBTN_ZapisAll");
    EXPECT_TRUE(writeAllButton->isVisibleTo(window.get()));
    EXPECT_TRUE(writeAllButton->isEnabled());
    EXPECT_TRUE(find<ScaledTimer>("TimerPdtrzymujBlokadeBlokad")->isActive());

    window->leaveProgrammingAccess();
    EXPECT_FALSE(window->isConnected());
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_EQ(pages()->currentIndex(), 9);
    EXPECT_TRUE(find<QPushButton>("BITBTN_Polacz")->isVisibleTo(window.get()));
    EXPECT_FALSE(writeAllButton->isVisibleTo(window.get()));
    EXPECT_FALSE(writeAllButton->isEnabled());
    EXPECT_FALSE(find<QToolButton>("TOB_Zapisz")->isEnabled());
    EXPECT_FALSE(find<ScaledTimer>("TimerPdtrzymujBlokadeBlokad")->isActive());
}

TEST_F(WindowTest, EnableOperationsSwitchesEveryActionAndTheButtonsFollow)
{
    startConnected();
    // The tool bar's picture buttons keep their pictures through the switching.
    std::map<QString, QImage> pictures;
    for (auto *button : find<QToolBar>("ToolBar1")->findChildren<QToolButton *>()) {
        if (button->toolButtonStyle() == Qt::ToolButtonIconOnly && !button->objectName().isEmpty()) {
            EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
            pictures[button->objectName()] = button->icon().pixmap(16, 16).toImage();
        }
    }
    window->enableOperations(false);
    for (const char *name : kActionNames)
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    for (const char *name : {"BITBTN_ZapisAll", "TOB_Otworz", "TOB_Zapisz", "TOB_Wyjscie", "TOB_Pdf"})
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
    // Write and read buttons on the tabs follow their actions.
    const char *const tabButtons[] = {"BITBTN_ZapisKody", "BITBTN_OdczytHasla", "BITBTN_ZapisZamki",
                                      "BITBTN_KasPilot", "BitBtn1", "BITBTN_ZapisCanSyg"};
    for (const char *name : tabButtons) {
        auto *button = find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->isEnabled()) << name;
    }
    window->enableOperations(true);
    for (const char *name : kActionNames)
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    for (const char *name : {"BITBTN_ZapisAll", "TOB_Otworz", "TOB_Zapisz", "TOB_Wyjscie", "TOB_Pdf"})
        EXPECT_TRUE(find<QWidget>(name)->isEnabled()) << name;
    for (const char *name : tabButtons)
        EXPECT_TRUE(find<QAbstractButton>(name)->isEnabled()) << name;
    for (const auto &[name, picture] : pictures)
        EXPECT_EQ(find<QToolButton>(name.toLatin1().constData())->icon().pixmap(16, 16).toImage(), picture) << name.toStdString();
}

TEST_F(WindowTest, TabButtonsTakeTheirActionsCaptionAndRunIt)
{
    start();
    window->setProgrammingAccess(true);
    auto *write = find<QAbstractButton>("BITBTN_ZapisKody");
    auto *read = find<QAbstractButton>("BITBTN_OdczytZamki");
    ASSERT_NE(write, nullptr);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(write->text(), QStringLiteral("&Zapis"));
    EXPECT_EQ(read->text(), QStringLiteral("&Odczyt"));
    QSignalSpy writes(action("ActionZapisKodow"), &QAction::triggered);
    QSignalSpy reads(action("ActionOdczytUstawienAlarmu"), &QAction::triggered);
    write->click();
    read->click();
    EXPECT_EQ(writes.count(), 1);
    EXPECT_EQ(reads.count(), 1);
}

TEST_F(WindowTest, ShowStatusAndBeginProgress)
{
    start();
    auto *label = find<QLabel>("LAB_progress");
    auto *bar = find<QProgressBar>("ProgressBar1");
    EXPECT_EQ(label->geometry().left(), 355);
    EXPECT_EQ(label->width(), 125);
    EXPECT_EQ(bar->geometry(), QRect(483, bar->geometry().top(), 256, 13));
    EXPECT_FALSE(bar->isVisibleTo(window.get()));

    window->showStatus(QStringLiteral("Błąd zapisu kodów"), 383, Qt::red);
    EXPECT_EQ(label->text(), QStringLiteral("Błąd zapisu kodów"));
    EXPECT_EQ(label->width(), 383);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::red));

    bar->setValue(7);
    window->beginProgress(QStringLiteral("Odczyt"), 40);
    EXPECT_EQ(label->width(), 125);
    EXPECT_EQ(label->text(), QStringLiteral("Odczyt"));
    EXPECT_NE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(bar->isVisibleTo(window.get()));
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(WindowTest, ShowingATabSetsTheSupervisionIntervalButNotItsState)
{
    start();
    window->setProgrammingAccess(true);
    auto *timer = find<ScaledTimer>("TimerTimeOutConnected");
    ASSERT_TRUE(timer->isActive());
    pages()->setCurrentIndex(2);
    EXPECT_EQ(timer->intervalMs(), 3000);
    EXPECT_TRUE(timer->isActive());
    timer->stop();
    timer->setIntervalMs(200);
    pages()->setCurrentIndex(0);
    EXPECT_EQ(timer->intervalMs(), 3000);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(WindowTest, PortLedTimerDarkensTxAndRxButNotTheChecksumLed)
{
    start();
    auto *tx = find<LedIndicator>("LedPortRs232Tx");
    auto *rx = find<LedIndicator>("LedPortRs232Rx");
    auto *crc = find<LedIndicator>("LedPortRsCrc");
    auto *timer = find<ScaledTimer>("TimerLedRs232");
    tx->showOn();
    rx->showOn();
    crc->showOn();
    timer->start();
    QSignalSpy ticks(timer, &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_FALSE(tx->isShownLit());
    EXPECT_FALSE(rx->isShownLit());
    EXPECT_TRUE(crc->isShownLit());
    EXPECT_FALSE(timer->isActive());
}

TEST_F(WindowTest, RemoteLedTimerStopsItself)
{
    start();
    auto *timer = find<ScaledTimer>("TimerLedPilot");
    auto *remoteLed = find<LedIndicator>("LedPilotP1");
    ASSERT_NE(remoteLed, nullptr);
    remoteLed->showOn();
    timer->setIntervalMs(10);
    timer->start();
    QSignalSpy ticks(timer, &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(remoteLed->isShownLit());
}

TEST_F(WindowTest, ManualOpensFromTheProgramFolder)
{
    start();
    action("ActionReadPdf")->trigger();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl::fromLocalFile(QStringLiteral("/opt/alvetra/Autoalrm Tervona CAN read.pdf")));
}

TEST_F(WindowTest, ExitActionClosesOnceStoppingTheTimersAndWritingPreferences)
{
    startConnected();
    window->show();
    action("ActionZamykanieAplikacji")->trigger();
    EXPECT_FALSE(window->isVisible());
    for (const char *name : {"TimerTimeOutConnected", "TimerLedPilot", "TimerPdtrzymujBlokadeBlokad", "TimerLedRs232"})
        EXPECT_FALSE(find<ScaledTimer>(name)->isActive()) << name;
    window->close();
    EXPECT_EQ(shell.written.size(), 1u);
    EXPECT_TRUE(window->portNames().isEmpty());
}

TEST_F(WindowTest, SaveDialogStartsWithAlmAndRemembersTheChosenFolder)
{
    shell.stored.saveDialogFolder = QStringLiteral("/home/fitter/ustawienia/");
    shell.stored.openDialogFolder = QString();
    start();
    dialogs.fileAnswer = QStringLiteral("/srv/klienci/golf.alm");
    const auto chosen = window->runSaveDialog();
    ASSERT_TRUE(chosen.has_value());
    ASSERT_EQ(dialogs.shownFileDialogs.size(), 1u);
    const FileDialogSettings &shown = dialogs.shownFileDialogs[0];
    EXPECT_EQ(shown.fileName, QStringLiteral(".alm"));
    EXPECT_EQ(shown.initialFolder, QStringLiteral("/home/fitter/ustawienia/"));
    EXPECT_EQ(shown.title, QStringLiteral("Zapisz plik z ustawieniami"));
    EXPECT_TRUE(shown.promptOverwrite);
    ASSERT_EQ(shown.filters.size(), 3);
    EXPECT_TRUE(shown.filters[1].startsWith(QStringLiteral("Pliki ustawień alarmu do centralek v1.4")));

    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_TRUE(shown.defaultExtension.isEmpty());

    // A cancelled open dialog changes nothing.
    window->setDialogDefaults(QStringLiteral("v14"), 2);
    dialogs.fileAnswer.reset();
    EXPECT_FALSE(window->runOpenDialog().has_value());
    EXPECT_EQ(dialogs.shownFileDialogs.back().title, QStringLiteral("Otwórz plik z ustawieniami"));
    EXPECT_TRUE(dialogs.shownFileDialogs.back().initialFolder.isEmpty());
    EXPECT_EQ(dialogs.shownFileDialogs.back().defaultExtension, QStringLiteral("v14"));
    EXPECT_EQ(dialogs.shownFileDialogs.back().filterIndex, 2);
    EXPECT_EQ(window->saveDialogSettings().filterIndex, 2);

    window->close();
    ASSERT_EQ(shell.written.size(), 1u);
    EXPECT_EQ(shell.written[0].saveDialogFolder, QDir::toNativeSeparators(QStringLiteral("/srv/klienci/")));
    EXPECT_EQ(shell.written[0].openDialogFolder, QString());
}

TEST_F(WindowTest, StoredPositionIsUsedWhenBothCoordinatesAreSet)
{
    shell.stored.top = 40;
    shell.stored.left = 30;
    start();
    EXPECT_EQ(window->pos(), QPoint(30, 40));

    // Centred once shown, when the system has framed it (offscreen: no frame at all).
    shell.stored.top = 0;
    shell.stored.left = 120;
    start().show();
    const QRect desktop = window->screen()->availableGeometry();
    EXPECT_EQ(window->frameGeometry().center(), desktop.center());
    EXPECT_NE(window->pos(), QPoint(120, 0));

    // Far outside every screen, or reaching past the screen's edge: centred as well.
    for (const QPoint stored : {QPoint(30000, 30000), QPoint(desktop.right() - 300, 40)}) {
        shell.stored.top = stored.y();
        shell.stored.left = stored.x();
        start().show();
        EXPECT_EQ(window->frameGeometry().center(), desktop.center());
    }
}

TEST_F(WindowTest, ComInformationShownOnlyWhenAskedAndItsAnswerStored)
{
    shell.stored.showComInformation = true;
    shell.comInformationAnswer = false;
    start();
    EXPECT_EQ(shell.comInformationShown, 1);
    window->close();
    EXPECT_FALSE(shell.written.at(0).showComInformation);

    shell.stored.showComInformation = false;
    shell.written.clear();
    start();
    EXPECT_EQ(shell.comInformationShown, 1);
    window->close();
    EXPECT_FALSE(shell.written.at(0).showComInformation);
}

TEST_F(WindowTest, ExplanatoryLabelsGetTheirTexts)
{
    start();
    auto *codesNote = find<QLabel>("LAB_UwagaHasla");
    auto *delayNote = find<QLabel>("LAB_OpisZwlokiAntynapad");
    ASSERT_NE(codesNote, nullptr);
    ASSERT_NE(delayNote, nullptr);
    EXPECT_EQ(codesNote->text(),
              QStringLiteral("Uwaga. Kody można wprowadzać klikając lewą myszą krótko i długo\n"
                             "na przycisk z czerwoną kropką, lub wpisując litery \"k\" lub \"d\"\n"
                             "oznaczające odpowiednio krótkie i długie przyciśnięcie"));
    EXPECT_TRUE(delayNote->text().endsWith(QStringLiteral("Ponowne włączenie stacyjki włącza syrnę na 30 sekund.")));
    EXPECT_EQ(delayNote->text().count(QLatin1Char('\n')), 2);
}

TEST_F(WindowTest, AllTenTabsFitOneRowAndEachShowsItsWholeCaption)
{
    start();
    window->setProgrammingAccess(true);
    window->show();
    QTabBar *bar = pages()->tabBar();
    ASSERT_EQ(bar->count(), 10);
    const QFontMetrics metrics(bar->font());
    for (int i = 0; i < bar->count(); ++i) {
        const QRect tab = bar->tabRect(i);
        EXPECT_LE(tab.right(), pages()->width()) << i;
        // Where the style draws the caption: it must hold the whole text.
        QStyleOptionTab option;
        option.initFrom(bar);
        option.rect = tab;
        option.text = bar->tabText(i);
        option.shape = bar->shape();
        const QRect caption = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &option, bar);
        EXPECT_GE(caption.width(), metrics.horizontalAdvance(option.text)) << i;
    }
}

TEST_F(WindowTest, StatusPanelsKeepTheirWidthsAndShowTheWholePortState)
{
    start();
    auto *panel0 = find<QLabel>("StatusBar1Panel0");
    ASSERT_NE(panel0, nullptr);
    for (const QString &text : {QStringLiteral("Port zamknięty"), QStringLiteral("Port otwarty")}) {
        window->statusLine().setPanelText(0, text);
        EXPECT_EQ(panel0->width(), 70);
        EXPECT_LE(QFontMetrics(panel0->font()).horizontalAdvance(text), panel0->contentsRect().width())
            << text.toStdString();
    }
    // A text that fits keeps the window's font.
    EXPECT_EQ(QFontInfo(panel0->font()).pixelSize(), 11);
}

TEST_F(WindowTest, AChangedTabIsMarkedComparedAndWrittenAloneAfterConfirmation)
{
    startConnected();
    const auto captions = [&] {
        QStringList out;
        for (int page = 0; page < kPageMonitor; ++page) out << pages()->tabText(page);
        return out;
    };
    QStringList plain;
    for (int page = 0; page < kPageMonitor; ++page) plain << uitexts::kTabCaptions[static_cast<std::size_t>(page)];
    QCoreApplication::processEvents();
    EXPECT_EQ(captions(), plain);

    auto *centralLock = find<QCheckBox>("CKB_ZamekSterowanieOn");
    const bool wasOn = centralLock->isChecked();
    centralLock->setChecked(!wasOn);
    ASSERT_TRUE(waitFor([&] { return pages()->tabText(kPageCentralLocks) == QStringLiteral("Zamki*"); }));
    QStringList marked = plain;
    marked[kPageCentralLocks] = QStringLiteral("Zamki*");
    EXPECT_EQ(captions(), marked);

    std::vector<QStringList> rowsShown;
    dialogs.onDialog = [&](QDialog &dialog) {
        const QTableWidget *table = dialog.findChild<QTableWidget *>(QStringLiteral("TAB_Zmiany"));
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column) cells << table->item(row, column)->text();
            rowsShown.push_back(cells);
        }
        return int(QDialog::Accepted);
    };
    action("ActionPorownajCentrala")->trigger();
    ASSERT_FALSE(rowsShown.empty());
    const QString on = QStringLiteral("tak"), off = QStringLiteral("nie");
    EXPECT_EQ(rowsShown[0], (QStringList{"Zamki", "sterowanie zamkiem centralnym włączone", wasOn ? off : on,
                                         wasOn ? on : off, "zamki + słowo opcji"}));

    // Written from another tab: confirmed first, then only the locks' group goes to the unit.
    rowsShown.clear();
    pages()->setCurrentIndex(0);
    unit->clearFrameLog();
    action("ActionZapisZmienione")->trigger();
    EXPECT_FALSE(rowsShown.empty());
    EXPECT_EQ(unit->received(0x01).size(), 1u);
    ASSERT_FALSE(unit->writesReceived().empty());
    EXPECT_EQ(unit->writesReceived().front().first, 66);   // the flags word first
    ASSERT_TRUE(waitFor([&] { return captions() == plain; }));
}

TEST_F(WindowTest, KopieZapasoweListsTheBackupOfTheReadAndOpensItLikeASettingsFile)
{
    QTemporaryDir backups;
    setup.backupFolder = backups.path();
    startConnected();
    const std::vector<BackupEntry> written = listBackups(backups.path());
    ASSERT_EQ(written.size(), 1u);
    // The backup, changed in one bit of the flags word, is what the window must show after opening.
    SettingsImage changed;
    loadSettingsFile(written[0].path, changed);
    const int flags = window->operationState().layout.flags;
    changed.set(flags, changed.at(flags) ^ 0x01);
    saveSettingsFile(written[0].path, changed);

    QStringList listed;
    dialogs.onDialog = [&](QDialog &dialog) {
        const QTreeWidget &list = static_cast<BackupsDialog &>(dialog).list();
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            listed << list.topLevelItem(i)->text(0);
        return int(QDialog::Accepted);
    };
    find<QToolButton>("TOB_KopieZapasowe")->click();
    EXPECT_EQ(listed, QStringList{"MZRv1.61 Alvetra SIM HW 3.2"});
    EXPECT_EQ(window->operationState().image.at(flags), changed.at(flags));
}
