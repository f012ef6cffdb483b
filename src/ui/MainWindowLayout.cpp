// Building the main window: its widgets, actions, timers and file dialogs. Positions are in
// pixels of the fixed 741 x 508 client area.

#include "ui/MainWindow.h"

#include "ui/ActionButtonLink.h"
#include "ui/widgets/Colors.h"
#include "ui/CompactTabStyle.h"
#include "ui/PortListDelegate.h"
#include "ui/tabs/SettingsTabs.h"
#include "ui/StatusLine.h"
#include "ui/widgets/LedIndicator.h"
#include "ui/ToolGlyphs.h"
#include "ui/TrafficTexts.h"
#include "ui/UiTexts.h"
#include "link/Wait.h"

#include <QAction>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace alvetra {

namespace {

constexpr int kToolBarHeight = 27;
constexpr int kPageAreaHeight = 462;
constexpr int kConnectionPanelHeight = 59;
constexpr int kStatusTop = kToolBarHeight + kPageAreaHeight;
constexpr int kStatusHeight = 19;
constexpr int kStatusLabelLeft = 355;
constexpr int kProgressLeft = 483;
constexpr int kTabCaptionMargins = 12;

QFont arial(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget *gap(QWidget *parent, int width)
{
    auto *spacer = new QWidget(parent);
    spacer->setFixedWidth(width);
    return spacer;
}

// Names of the tab sheets, their panels and title labels, in page order.
struct PageNames {
    const char *sheet;
    const char *panel;
    const char *title;
    void (MainWindow::*onShow)();
};

} // namespace

QAction *MainWindow::makeAction(const char *name, const QString &caption, int image, void (MainWindow::*handler)())
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    if (image >= 0)
        action->setIcon(toolglyphs::icon(static_cast<toolglyphs::Glyph>(image)));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    addAction(action);
    operationActions_.push_back(action);
    return action;
}

void MainWindow::buildActions()
{
    using namespace uitexts;
    // The alarm operations' actions get their operations in bindOperations.
    ActionZapisKodow = makeAction("ActionZapisKodow", kWriteActionCaption, 5, nullptr);
    ActionZapisKierunki = makeAction("ActionZapisKierunki", kWriteActionCaption, 5, nullptr);
    ActionZapisZamki = makeAction("ActionZapisZamki", kWriteActionCaption, 5, nullptr);
    ActionZapisAntykradziez = makeAction("ActionZapisAntykradziez", kWriteActionCaption, 5, nullptr);
    ActionZapisAntynapad = makeAction("ActionZapisAntynapad", kWriteActionCaption, 5, nullptr);
    ActionZapisOgolne = makeAction("ActionZapisOgolne", kWriteActionCaption, 5, nullptr);
    ActionZapisCan = makeAction("ActionZapisCan", kWriteActionCaption, 5, nullptr);
    ActionKasowanieHistorii = makeAction("ActionKasowanieHistorii", kActionKasowanieHistorii, 5, nullptr);
    ActionZapisHaslaPC = makeAction("ActionZapisHaslaPC", kWriteActionCaption, 5, nullptr);
    ActionProgPilot = makeAction("ActionProgPilot", kLearnActionCaption, 5, nullptr);
    ActionProgToken = makeAction("ActionProgToken", kLearnActionCaption, 5, nullptr);
    ActionKasowaniePilotow = makeAction("ActionKasowaniePilotow", kEraseActionCaption, 5, nullptr);
    ActionKasowanieTokenow = makeAction("ActionKasowanieTokenow", kEraseActionCaption, 5, nullptr);
    ActionZapisCanSyg = makeAction("ActionZapisCanSyg", kWriteActionCaption, 5, nullptr);
    ActionOdczytUstawienAlarmu = makeAction("ActionOdczytUstawienAlarmu", kReadActionCaption, 6, nullptr);
    ActionOpenSettings = makeAction("ActionOpenSettings", kActionOpenSettings, 0, nullptr);
    ActionSaveAllSettings = makeAction("ActionSaveAllSettings", kActionSaveAllSettings, 1, nullptr);
    ActionZamykanieAplikacji = makeAction("ActionZamykanieAplikacji", kActionZamykanieAplikacji, 2,
                                          &MainWindow::onExitTriggered);
    ActionReadPdf = makeAction("ActionReadPdf", QString(), -1, &MainWindow::onReadManualTriggered);
    ActionShowWorningCom = makeAction("ActionShowWorningCom", kActionShowWorningCom, -1, nullptr);
    ActionKopieZapasowe = makeAction("ActionKopieZapasowe", kCaptionBackups, -1, nullptr);
    ActionKopieZapasowe->setIcon(toolglyphs::backups());
    ActionKartaMontazu = makeAction("ActionKartaMontazu", kCaptionSheet, -1, &MainWindow::onInstallationSheetTriggered);
    ActionKartaMontazu->setIcon(toolglyphs::installationSheet());

    ActionProgPilot->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    ActionProgToken->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    ActionOdczytUstawienAlarmu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    for (QAction *action : operationActions_)
        action->setShortcutContext(Qt::WindowShortcut);
}

void MainWindow::buildTimers()
{
    struct TimerSpec {
        ScaledTimer **timer;
        const char *name;
        int interval;
        void (MainWindow::*onTimer)();
    };
    const TimerSpec specs[] = {
        {&TimerTimeOutConnected, "TimerTimeOutConnected", 3000, &MainWindow::onSupervisionTimeout},
        {&TimerLedPilot, "TimerLedPilot", 2000, &MainWindow::onRemoteLedTimeout},
        {&TimerPdtrzymujBlokadeBlokad, "TimerPdtrzymujBlokadeBlokad", 30000,
         &MainWindow::onBlockKeepingTimeout},
        {&TimerLedRs232, "TimerLedRs232", 100, &MainWindow::onPortLedTimeout},
    };
    for (const auto &spec : specs) {
        auto *timer = new ScaledTimer(this);
        timer->setObjectName(QString::fromLatin1(spec.name));
        timer->setIntervalMs(spec.interval);
        connect(timer, &QTimer::timeout, this, spec.onTimer);
        *spec.timer = timer;
    }
}

QToolButton *MainWindow::makeToolButton(const char *name, const QString &hint, QAction *action)
{
    auto *button = new QToolButton(ToolBar1);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(23, 22);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    if (action)
        ActionButtonLink::bind(button, action);
    ToolBar1->addWidget(button);
    return button;
}

void MainWindow::buildToolBar(QWidget *client)
{
    using namespace uitexts;
    ToolBar1 = new QToolBar(client);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setGeometry(0, 0, kClientWidth, kToolBarHeight);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setContentsMargins(0, 0, 0, 0);

    TOB_Otworz = makeToolButton("TOB_Otworz", kHintOtworz, ActionOpenSettings);
    ToolBar1->addWidget(gap(ToolBar1, 8));
    TOB_Zapisz = makeToolButton("TOB_Zapisz", kHintZapisz, ActionSaveAllSettings);
    saveFileLink_ = TOB_Zapisz->findChild<ActionButtonLink *>();
    ToolBar1->addWidget(gap(ToolBar1, 8));
    TOB_Wyjscie = makeToolButton("TOB_Wyjscie", kHintWyjscie, ActionZamykanieAplikacji);
    ToolBar1->addWidget(gap(ToolBar1, 30));

    CMB_port = new QComboBox(ToolBar1);
    CMB_port->setObjectName(QStringLiteral("CMB_port"));
    CMB_port->setToolTip(kHintPort);
    CMB_port->setFont(arial(11));
    CMB_port->setFixedWidth(70);
    // The list opens wide enough for a long device path, the box keeps its place in the bar.
    CMB_port->view()->setMinimumWidth(160);
    CMB_port->setItemDelegate(new PortListDelegate(CMB_port));
    ToolBar1->addWidget(CMB_port);
    connect(CMB_port, &QComboBox::activated, this, &MainWindow::reopenByUser);

    CMB_PortSpeed = new QComboBox(ToolBar1);
    CMB_PortSpeed->setObjectName(QStringLiteral("CMB_PortSpeed"));
    CMB_PortSpeed->setToolTip(kHintPortSpeed);
    CMB_PortSpeed->setFont(arial(11));
    CMB_PortSpeed->setFixedWidth(70);
    CMB_PortSpeed->setEnabled(false);
    ToolBar1->addWidget(CMB_PortSpeed);
    connect(CMB_PortSpeed, &QComboBox::activated, this, &MainWindow::reopenByUser);

    CHB_PredkoscRS232 = new QCheckBox(ToolBar1);
    CHB_PredkoscRS232->setObjectName(QStringLiteral("CHB_PredkoscRS232"));
    CHB_PredkoscRS232->setToolTip(kSpeedUnlockHint);
    ToolBar1->addWidget(gap(ToolBar1, 4));
    ToolBar1->addWidget(CHB_PredkoscRS232);
    connect(CHB_PredkoscRS232, &QCheckBox::clicked, this, &MainWindow::onSpeedUnlockClicked);

    struct LedSpec {
        LedIndicator **led;
        const char *name;
        QColor lit;
        QString hint;
    };
    const LedSpec leds[] = {
        {&LedPortRs232Tx, "LedPortRs232Tx", colors::clYellow, kHintLedTx},
        {&LedPortRs232Rx, "LedPortRs232Rx", colors::clLime, kHintLedRx},
        {&LedPortRsCrc, "LedPortRsCrc", colors::clYellow, kHintLedCrc},
    };
    for (const auto &spec : leds) {
        auto *led = new LedIndicator(ToolBar1);
        led->setObjectName(QString::fromLatin1(spec.name));
        led->setLedStyle(LedIndicator::LEDLarge);
        led->setBlink(false);
        led->setTrueColor(spec.lit);
        led->setBorderColor(colors::clSilver);
        led->setToolTip(spec.hint);
        connect(led, &LedIndicator::timerTicked, this, &MainWindow::onPortLedTimeout);
        ToolBar1->addWidget(led);
        *spec.led = led;
    }
    ToolBar1->addWidget(gap(ToolBar1, 15));
    TOB_ResetRS232 = makeToolButton("TOB_ResetRS232", kHintResetRs232, nullptr);
    TOB_ResetRS232->setIcon(toolglyphs::icon(toolglyphs::PortReset));
    connect(TOB_ResetRS232, &QToolButton::clicked, this, &MainWindow::onResetPortClicked);
    ToolBar1->addWidget(gap(ToolBar1, 8));
    TOB_Pdf = makeToolButton("TOB_Pdf", QString(), nullptr);
    TOB_Pdf->setText(kCaptionPdf);
    TOB_Pdf->setIcon(toolglyphs::icon(toolglyphs::Manual));
    ActionButtonLink::bind(TOB_Pdf, ActionReadPdf, ActionButtonLink::EnabledOnly);
    ToolBar1->addWidget(gap(ToolBar1, 8));
    TOB_Ruch = makeToolButton("TOB_Ruch", traffictexts::kHintButton, nullptr);
    TOB_Ruch->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    connect(TOB_Ruch, &QToolButton::clicked, this, &MainWindow::showTrafficConsole);
    // Their actions' icons, their names in the hints: the compare tools need the tool bar's width.
    TOB_KopieZapasowe = makeToolButton("TOB_KopieZapasowe", kCaptionBackups + QStringLiteral(": ") + kHintBackups,
                                       ActionKopieZapasowe);
    TOB_KartaMontazu = makeToolButton("TOB_KartaMontazu", kCaptionSheet + QStringLiteral(": ") + kHintSheet, ActionKartaMontazu);
}

void MainWindow::buildConnectionPanel(QWidget *pageArea)
{
    using namespace uitexts;
    GB_PolaczenieLogo = new QGroupBox(pageArea);
    GB_PolaczenieLogo->setObjectName(QStringLiteral("GB_PolaczenieLogo"));
    GB_PolaczenieLogo->setGeometry(2, 2, kClientWidth - 4, kConnectionPanelHeight);

    LAB_HasloDostepu = new QLabel(kHasloDostepu, GB_PolaczenieLogo);
    LAB_HasloDostepu->setObjectName(QStringLiteral("LAB_HasloDostepu"));
    LAB_HasloDostepu->setFont(arial(11));
    LAB_HasloDostepu->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Right-aligned to the field, with the panel's whole left margin to grow into: Windows's
    // fonts at 150 % are a little wider than the text was laid out for.
    LAB_HasloDostepu->setGeometry(2, 19, 238, 21);

    ED_HasloInst = new QLineEdit(GB_PolaczenieLogo);
    ED_HasloInst->setObjectName(QStringLiteral("ED_HasloInst"));
    ED_HasloInst->setMaxLength(4);
    ED_HasloInst->setEchoMode(QLineEdit::Password);
    ED_HasloInst->setToolTip(kHintHasloInst);
    ED_HasloInst->setGeometry(242, 19, 40, 21);
    // Every character shown as "*", as the fitters know it.
    ED_HasloInst->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    BITBTN_Polacz = new QPushButton(toolglyphs::connect(), kPolacz, GB_PolaczenieLogo);
    BITBTN_Polacz->setObjectName(QStringLiteral("BITBTN_Polacz"));
    BITBTN_Polacz->setToolTip(kHintPolacz);
    BITBTN_Polacz->setGeometry(292, 18, 67, 22);

    BITBTN_ZapisAll = new QPushButton(toolglyphs::writeAll(), kZapisAll, GB_PolaczenieLogo);
    BITBTN_ZapisAll->setObjectName(QStringLiteral("BITBTN_ZapisAll"));
    BITBTN_ZapisAll->setToolTip(kHintZapisAll);
    BITBTN_ZapisAll->setGeometry(292, 18, 165, 22);
    BITBTN_ZapisAll->hide();

    IM_Logo = new QLabel(GB_PolaczenieLogo);
    IM_Logo->setObjectName(QStringLiteral("IM_Logo"));
    IM_Logo->setGeometry(GB_PolaczenieLogo->width() - 195 - 8, 6, 195, 47);
    IM_Logo->setPixmap(QPixmap::fromImage(toolglyphs::logo(IM_Logo->size())));
    IM_Logo->setAlignment(Qt::AlignCenter);
}

void MainWindow::buildPages(QWidget *pageArea)
{
    const PageNames pages[] = {
        {"TBS_Hasla", "PNL_Hasla", "LAB_TytulHasla", &MainWindow::onCodesTabShown},
        {"TBS_KierunkiPotw", "PNL_PotwierdzeniaKierunki", "LAB_TytulKierunki", &MainWindow::onTurnSignalsTabShown},
        {"TBS_Zamki", "PNL_Zamki", "LAB_TytulZamki", &MainWindow::onCentralLocksTabShown},
        {"TBS_Antykradziez", "PNL_Antykradziez", "LAB_TytulAntykradziez", &MainWindow::onAntiTheftTabShown},
        {"TBS_Antynapad", "PNL_Antynapad", "LAB_TytulAntynapad", &MainWindow::onAntiHijackTabShown},
        {"TBS_Ogolne", "PNL_Ogolne", "LAB_TytulOgolne", &MainWindow::onRearmingTabShown},
        {"TBS_Historia", "PNL_Historia", "LAB_TytulHistoria", &MainWindow::onHistoryTabShown},
        {"TBS_SamochodCan", "PNL_Can", "LAB_TytulSamochodCan", &MainWindow::onCanTabShown},
        {"TBS_Piloty", "PNL_Piloty", "Label19", &MainWindow::onRemotesTabShown},
        {"TBS_Monitor", "Panel1", "LAB_TytulMonitor", &MainWindow::onMonitorTabShown},
    };
    PGC_Programator = new QTabWidget(pageArea);
    PGC_Programator->setObjectName(QStringLiteral("PGC_Programator"));
    PGC_Programator->setFont(arial(11));
    PGC_Programator->setUsesScrollButtons(false);
    PGC_Programator->setElideMode(Qt::ElideNone);
    // Ten captions in one row of 737 pixels.
    PGC_Programator->tabBar()->setStyle(new CompactTabStyle(kTabCaptionMargins, PGC_Programator));
    const int top = 2 + kConnectionPanelHeight;
    PGC_Programator->setGeometry(2, top, kClientWidth - 4, kPageAreaHeight - top - 2);

    std::array<QWidget *, kPageCount> panels{};
    for (int i = 0; i < kPageCount; ++i) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(pages[i].sheet));
        auto *sheetLayout = new QVBoxLayout(sheet);
        sheetLayout->setContentsMargins(0, 0, 0, 0);
        auto *panel = new QFrame(sheet);
        panel->setObjectName(QString::fromLatin1(pages[i].panel));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setBackground(panel, colors::clMedGray);
        sheetLayout->addWidget(panel);
        auto *panelLayout = new QVBoxLayout(panel);
        panelLayout->setContentsMargins(4, 4, 4, 4);
        panelLayout->setSpacing(4);
        auto *title = new QLabel(uitexts::kTabTitles[i], panel);
        title->setObjectName(QString::fromLatin1(pages[i].title));
        title->setFont(arial(11, true));
        title->setAlignment(Qt::AlignCenter);
        panelLayout->addWidget(title);
        PGC_Programator->addTab(sheet, uitexts::kTabCaptions[i]);
        tabSheets_[i] = sheet;
        tabPanels_[i] = panel;
        panels[i] = panel;
    }
    tabs_ = new SettingsTabs(panels, this);
    connect(PGC_Programator, &QTabWidget::currentChanged, this, &MainWindow::onPageShown);
}

void MainWindow::buildStatusLine(QWidget *client)
{
    StatusBar1 = new StatusLine(client);
    StatusBar1->setGeometry(0, kStatusTop, kClientWidth, kStatusHeight);
    setBackground(StatusBar1, colors::clSilver);

    LAB_progress = new QLabel(client);
    LAB_progress->setObjectName(QStringLiteral("LAB_progress"));
    LAB_progress->setFont(arial(11));
    LAB_progress->setAlignment(Qt::AlignCenter);
    LAB_progress->setGeometry(kStatusLabelLeft, kStatusTop + 3, kProgressStatusWidth, 15);
    LAB_progress->setTextFormat(Qt::PlainText);

    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(kProgressLeft, kStatusTop + 4, 256, 13);
    ProgressBar1->setRange(0, 256);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
}

void MainWindow::buildFileDialogs()
{
    openDialog_.mode = FileDialogSettings::Mode::Open;
    openDialog_.title = uitexts::kOpenDialogTitle;
    openDialog_.filters = uitexts::kSettingsFileFilters;
    saveDialog_.mode = FileDialogSettings::Mode::Save;
    saveDialog_.title = uitexts::kSaveDialogTitle;
    saveDialog_.filters = uitexts::kSettingsFileFilters;
    saveDialog_.promptOverwrite = true;
}

// The write and read buttons live on the tabs; each follows its action. A control the tabs do not
// have is skipped.
void MainWindow::bindTabButtons()
{
    const std::pair<const char *, QAction *> writeButtons[] = {
        {"BITBTN_ZapisKody", ActionZapisKodow},
        {"BITBTN_ZapisKierunki", ActionZapisKierunki},
        {"BITBTN_ZapisZamki", ActionZapisZamki},
        {"BITBTN_ZapisBlok", ActionZapisAntykradziez},
        {"BITBTN_ZapisAntynap", ActionZapisAntynapad},
        {"BITBTN_ZapisOgolne", ActionZapisOgolne},
        {"BITBTN_ZapisCan", ActionZapisCan},
        {"BITBTN_ZapisClearHistory", ActionKasowanieHistorii},
        {"BITBTN_ZapisHasloPC", ActionZapisHaslaPC},
        {"BITBTN_ZapisPilot", ActionProgPilot},
        {"BITBTN_ZapisToken", ActionProgToken},
        {"BITBTN_KasPilot", ActionKasowaniePilotow},
        {"BITBTN_KasToken", ActionKasowanieTokenow},
        {"BITBTN_ZapisCanSyg", ActionZapisCanSyg},
    };
    const char *const readButtons[] = {
        "BITBTN_OdczytHasla", "BITBTN_OdczytKierunki", "BitBtn1", "BITBTN_OdczytZamki",
        "BITBTN_OdczytBlok", "BITBTN_OdczytAntynap", "BITBTN_OdczytOgolne", "BITBTN_OdczytHistorii",
        "BITBTN_OdczytCan", "BITBTN_OdczytPilotowTokenow",
    };
    auto bindByName = [this](const char *name, QAction *action) {
        if (auto *button = PGC_Programator->findChild<QAbstractButton *>(QString::fromLatin1(name)))
            ActionButtonLink::bind(button, action);
    };
    for (const auto &[name, action] : writeButtons)
        bindByName(name, action);
    for (const char *name : readButtons)
        bindByName(name, ActionOdczytUstawienAlarmu);

    // The remote-button LEDs of the monitor share the remote-LED timer's handler as their blink
    // notification (they do not blink, so it stays quiet).
    for (const char *name : {"LedPilotP1", "LedPilotP2", "LedPilotP3", "LedPilotP4", "LedPilotBateria", "LedCanRozb",
                             "LedCanUzb", "LedCanBag"}) {
        if (auto *led = PGC_Programator->findChild<LedIndicator *>(QString::fromLatin1(name)))
            connect(led, &LedIndicator::timerTicked, this, &MainWindow::onRemoteLedTimeout);
    }
}

} // namespace alvetra
