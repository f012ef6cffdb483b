#include "ui/tabs/ListsTabs.h"

#include "ui/tabs/TabBuild.h"
#include "ui/tabs/TabTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace alvetra {

namespace {

QLabel *groupNumber(QWidget *parent, const QString &name)
{
    auto *text = build::label(parent, name, tabtexts::kEightBlanks);
    text->setFixedSize(33, 18);
    text->setAlignment(Qt::AlignCenter);
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);   // a soft bevel
    text->setLineWidth(1);
    return text;
}

} // namespace

HistoryTab::HistoryTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    historyList = new QTableWidget(0, t::kHistoryColumns.size(), panel);
    historyList->setObjectName(QStringLiteral("LV_Historia"));
    historyList->setHorizontalHeaderLabels(t::kHistoryColumns);
    historyList->verticalHeader()->hide();
    historyList->verticalHeader()->setDefaultSectionSize(17);
    historyList->setShowGrid(true);
    historyList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    historyList->setSelectionBehavior(QAbstractItemView::SelectRows);
    historyList->setSelectionMode(QAbstractItemView::SingleSelection);
    historyList->setWordWrap(false);
    QPalette p = historyList->palette();
    p.setColor(QPalette::Base, Qt::white);
    historyList->setPalette(p);
    auto *header = historyList->horizontalHeader();
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(20);   // the Windows style's own minimum (28) would widen "Lp."
    historyList->setColumnWidth(0, 27);
    historyList->setColumnWidth(1, 120);
    historyList->setColumnWidth(2, 544);
    header->setDefaultAlignment(Qt::AlignCenter);
    historyList->setFixedWidth(kListWidth);
    historyList->setMinimumHeight(200);
    historyList->setMaximumHeight(kListHeight);
    page->addWidget(historyList, 1, Qt::AlignHCenter);

    page->addLayout(build::buttonRow(
        [&] {
            auto *b = build::button(panel, QStringLiteral("BITBTN_ZapisClearHistory"), t::kClearHistoryCaption);
            b->setFixedWidth(79);
            return b;
        }(),
        build::button(panel, QStringLiteral("BITBTN_OdczytHistorii"), t::kReadCaption)));
}

CanTab::CanTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    alarmCan = build::checkBox(panel, QStringLiteral("CKB_AlarmCan"), t::kAlarmCan);
    page->addWidget(alarmCan);

    carChoice = build::groupBox(panel, QStringLiteral("GB_WyborSamochoduCan"), QString());
    auto *grid = new QGridLayout(carChoice);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(12);
    grid->addWidget(build::label(carChoice, QStringLiteral("LAB_Marka"), t::kMarka), 0, 0);
    grid->addWidget(build::label(carChoice, QStringLiteral("LAB_Model"), t::kModel), 0, 1);
    grid->addWidget(build::label(carChoice, QStringLiteral("LAB_GrupaWybrana"), t::kGrupaWybrana), 2, 0);
    grid->addWidget(build::label(carChoice, QStringLiteral("LAB_Grupa"), t::kGrupa), 2, 1);
    make = new QComboBox(carChoice);
    make->setObjectName(QStringLiteral("CMB_Marka"));
    make->setFixedWidth(kMakeWidth);
    make->setMaxVisibleItems(20);
    grid->addWidget(make, 1, 0, Qt::AlignLeft);
    model = new QComboBox(carChoice);
    model->setObjectName(QStringLiteral("CMB_Model"));
    model->setFixedWidth(kModelWidth);
    model->setMaxVisibleItems(20);
    grid->addWidget(model, 1, 1, Qt::AlignLeft);
    chosenCanGroup = groupNumber(carChoice, QStringLiteral("ST_NrGrupyWybrany"));
    grid->addWidget(chosenCanGroup, 3, 0, Qt::AlignLeft);
    storedCanGroup = groupNumber(carChoice, QStringLiteral("ST_NrGrupy"));
    grid->addWidget(storedCanGroup, 3, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    page->addWidget(carChoice);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisCan"), t::kWriteCaption)));

    canAnalysisGroup = build::groupBox(panel, QStringLiteral("GB_PomijanieLiniiNaCan"), t::kGbPomijanieLiniiNaCan);
    auto *analysisLayout = build::groupHBox(canAnalysisGroup, 8);
    auto *checks = new QVBoxLayout;
    checks->setSpacing(2);
    canIgnoreDoorSwitches = build::checkBox(canAnalysisGroup, QStringLiteral("CKB_AlarmCanWylaczKrancowke"), t::kCanIgnoreDoorSwitchesCaption);
    canIgnoreIgnition = build::checkBox(canAnalysisGroup, QStringLiteral("CKB_AlarmCanWylaczStacyjke"), t::kCanIgnoreIgnitionCaption);
    canIgnoreFactoryRemote = build::checkBox(canAnalysisGroup, QStringLiteral("CKB_AlarmCanWylaczPilot"), t::kCanIgnoreFactoryRemoteCaption);
    checks->addWidget(canIgnoreDoorSwitches);
    checks->addWidget(canIgnoreIgnition);
    checks->addWidget(canIgnoreFactoryRemote);
    analysisLayout->addLayout(checks, 1);
    writeCanOptionsButton = build::button(canAnalysisGroup, QStringLiteral("BITBTN_ZapisCanSyg"), t::kWriteCaption);
    analysisLayout->addWidget(writeCanOptionsButton, 0, Qt::AlignBottom);
    page->addWidget(canAnalysisGroup);
    // Shown only for the firmware families that have these options.
    canAnalysisGroup->hide();
    writeCanOptionsButton->hide();

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_OdczytCan"), t::kReadCaption)));
}

RemotesTab::RemotesTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    auto wideButton = [](QWidget *parent, const char *name, const QString &caption) {
        auto *b = build::button(parent, QString::fromLatin1(name), caption);
        b->setFixedWidth(kButtonWidth);
        return b;
    };

    auto *programming = build::groupBox(panel, QStringLiteral("GroupBox11"), t::kLearnGroupTitle);
    auto *learnLayout = build::groupHBox(programming, 12);
    auto *remotes = build::groupBox(programming, QStringLiteral("GroupBox9"), t::kRemotesGroupTitle);
    auto *rl = build::groupHBox(remotes, 8);
    rl->addWidget(wideButton(remotes, "BITBTN_ZapisPilot", t::kLearnCaption));
    rl->addWidget(wideButton(remotes, "BITBTN_KasPilot", t::kEraseCaption));
    learnLayout->addWidget(remotes);
    auto *tokens = build::groupBox(programming, QStringLiteral("GroupBox10"), t::kTokensGroupTitle);
    auto *tl = build::groupHBox(tokens, 8);
    tl->addWidget(wideButton(tokens, "BITBTN_ZapisToken", t::kLearnCaption));
    tl->addWidget(wideButton(tokens, "BITBTN_KasToken", t::kEraseCaption));
    learnLayout->addWidget(tokens);
    learnLayout->addStretch(1);
    page->addWidget(programming);

    auto *programmed = build::groupBox(panel, QStringLiteral("GroupBox6"), t::kLearntGroupTitle);
    auto *pml = build::groupVBox(programmed, 4);
    auto lines = [](QWidget *parent, const char *name, const QString &title, const char *prefix,
                    std::array<QLabel *, 4> &into) {
        auto *group = build::groupBox(parent, QString::fromLatin1(name), title);
        auto *gl = build::groupVBox(group, 1);
        for (int i = 0; i < 4; ++i) {
            into[static_cast<std::size_t>(i)] =
                build::label(group, QString::fromLatin1(prefix) + QString::number(i + 1), QString());
            into[static_cast<std::size_t>(i)]->setMinimumHeight(14);
            gl->addWidget(into[static_cast<std::size_t>(i)]);
        }
        return group;
    };
    pml->addWidget(lines(programmed, "GroupBox7", t::kRemotesGroupTitle, "Pilot", remoteLines));
    pml->addWidget(lines(programmed, "GroupBox8", t::kTokensGroupTitle, "Token", tokenLines));
    pml->addLayout(build::buttonRow(build::button(programmed, QStringLiteral("BITBTN_OdczytPilotowTokenow"), t::kReadCaption)));
    page->addWidget(programmed);
    page->addStretch(1);
}

} // namespace alvetra
