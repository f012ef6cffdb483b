#include "ListsTabs.h"

#include "TabBuild.h"
#include "TabTexts.h"

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

HistoriaTab::HistoriaTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    historia = new QTableWidget(0, t::kHistoriaColumns.size(), panel);
    historia->setObjectName(QStringLiteral("LV_Historia"));
    historia->setHorizontalHeaderLabels(t::kHistoriaColumns);
    historia->verticalHeader()->hide();
    historia->verticalHeader()->setDefaultSectionSize(17);
    historia->setShowGrid(true);
    historia->setEditTriggers(QAbstractItemView::NoEditTriggers);
    historia->setSelectionBehavior(QAbstractItemView::SelectRows);
    historia->setSelectionMode(QAbstractItemView::SingleSelection);
    historia->setWordWrap(false);
    QPalette p = historia->palette();
    p.setColor(QPalette::Base, Qt::white);
    historia->setPalette(p);
    auto *header = historia->horizontalHeader();
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    historia->setColumnWidth(0, 27);
    historia->setColumnWidth(1, 120);
    historia->setColumnWidth(2, 544);
    header->setDefaultAlignment(Qt::AlignCenter);
    historia->setFixedWidth(kListWidth);
    historia->setMinimumHeight(200);
    historia->setMaximumHeight(kListHeight);
    page->addWidget(historia, 1, Qt::AlignHCenter);

    page->addLayout(build::buttonRow(
        [&] {
            auto *b = build::button(panel, QStringLiteral("BITBTN_ZapisClearHistory"), t::kKasowanieHist);
            b->setFixedWidth(79);
            return b;
        }(),
        build::button(panel, QStringLiteral("BITBTN_OdczytHistorii"), t::kOdczyt)));
}

CanTab::CanTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    alarmCan = build::checkBox(panel, QStringLiteral("CKB_AlarmCan"), t::kAlarmCan);
    page->addWidget(alarmCan);

    wyborSamochodu = build::groupBox(panel, QStringLiteral("GB_WyborSamochoduCan"), QString());
    auto *grid = new QGridLayout(wyborSamochodu);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(12);
    grid->addWidget(build::label(wyborSamochodu, QStringLiteral("LAB_Marka"), t::kMarka), 0, 0);
    grid->addWidget(build::label(wyborSamochodu, QStringLiteral("LAB_Model"), t::kModel), 0, 1);
    grid->addWidget(build::label(wyborSamochodu, QStringLiteral("LAB_GrupaWybrana"), t::kGrupaWybrana), 2, 0);
    grid->addWidget(build::label(wyborSamochodu, QStringLiteral("LAB_Grupa"), t::kGrupa), 2, 1);
    marka = new QComboBox(wyborSamochodu);
    marka->setObjectName(QStringLiteral("CMB_Marka"));
    marka->setFixedWidth(kMarkaWidth);
    marka->setMaxVisibleItems(20);
    grid->addWidget(marka, 1, 0, Qt::AlignLeft);
    model = new QComboBox(wyborSamochodu);
    model->setObjectName(QStringLiteral("CMB_Model"));
    model->setFixedWidth(kModelWidth);
    model->setMaxVisibleItems(20);
    grid->addWidget(model, 1, 1, Qt::AlignLeft);
    nrGrupyWybrany = groupNumber(wyborSamochodu, QStringLiteral("ST_NrGrupyWybrany"));
    grid->addWidget(nrGrupyWybrany, 3, 0, Qt::AlignLeft);
    nrGrupy = groupNumber(wyborSamochodu, QStringLiteral("ST_NrGrupy"));
    grid->addWidget(nrGrupy, 3, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    page->addWidget(wyborSamochodu);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisCan"), t::kZapis)));

    pomijanieLinii = build::groupBox(panel, QStringLiteral("GB_PomijanieLiniiNaCan"), t::kGbPomijanieLiniiNaCan);
    auto *pl = build::groupHBox(pomijanieLinii, 8);
    auto *checks = new QVBoxLayout;
    checks->setSpacing(2);
    wylaczKrancowke = build::checkBox(pomijanieLinii, QStringLiteral("CKB_AlarmCanWylaczKrancowke"), t::kWylaczKrancowke);
    wylaczStacyjke = build::checkBox(pomijanieLinii, QStringLiteral("CKB_AlarmCanWylaczStacyjke"), t::kWylaczStacyjke);
    wylaczPilot = build::checkBox(pomijanieLinii, QStringLiteral("CKB_AlarmCanWylaczPilot"), t::kWylaczPilot);
    checks->addWidget(wylaczKrancowke);
    checks->addWidget(wylaczStacyjke);
    checks->addWidget(wylaczPilot);
    pl->addLayout(checks, 1);
    zapisCanSyg = build::button(pomijanieLinii, QStringLiteral("BITBTN_ZapisCanSyg"), t::kZapis);
    pl->addWidget(zapisCanSyg, 0, Qt::AlignBottom);
    page->addWidget(pomijanieLinii);
    // Shown only for the firmware families that have these options.
    pomijanieLinii->hide();
    zapisCanSyg->hide();

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_OdczytCan"), t::kOdczyt)));
}

PilotyTab::PilotyTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    auto wideButton = [](QWidget *parent, const char *name, const QString &caption) {
        auto *b = build::button(parent, QString::fromLatin1(name), caption);
        b->setFixedWidth(kButtonWidth);
        return b;
    };

    auto *programming = build::groupBox(panel, QStringLiteral("GroupBox11"), t::kGbProgramowanie);
    auto *prl = build::groupHBox(programming, 12);
    auto *remotes = build::groupBox(programming, QStringLiteral("GroupBox9"), t::kGbPiloty);
    auto *rl = build::groupHBox(remotes, 8);
    rl->addWidget(wideButton(remotes, "BITBTN_ZapisPilot", t::kProgramowanie));
    rl->addWidget(wideButton(remotes, "BITBTN_KasPilot", t::kKasowanie));
    prl->addWidget(remotes);
    auto *tokens = build::groupBox(programming, QStringLiteral("GroupBox10"), t::kGbTokeny);
    auto *tl = build::groupHBox(tokens, 8);
    tl->addWidget(wideButton(tokens, "BITBTN_ZapisToken", t::kProgramowanie));
    tl->addWidget(wideButton(tokens, "BITBTN_KasToken", t::kKasowanie));
    prl->addWidget(tokens);
    prl->addStretch(1);
    page->addWidget(programming);

    auto *programmed = build::groupBox(panel, QStringLiteral("GroupBox6"), t::kGbZaprogramowane);
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
    pml->addWidget(lines(programmed, "GroupBox7", t::kGbPiloty, "Pilot", piloty));
    pml->addWidget(lines(programmed, "GroupBox8", t::kGbTokeny, "Token", tokeny));
    pml->addLayout(build::buttonRow(build::button(programmed, QStringLiteral("BITBTN_OdczytPilotowTokenow"), t::kOdczyt)));
    page->addWidget(programmed);
    page->addStretch(1);
}

} // namespace alvetra
