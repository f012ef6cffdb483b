#include "ui/tabs/BlockTabs.h"

#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/SpinEdit.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/TabTexts.h"
#include "alarm/TabValues.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace alvetra {

namespace {

// "<description> [spin] sek." in its own group.
SpinEdit *delayRow(QGroupBox *group, QBoxLayout *into, const char *descName, const QString &descText,
                   const char *spinName, int minimum, int value, const char *unitName)
{
    auto *row = new QHBoxLayout;
    row->addWidget(build::label(group, QString::fromLatin1(descName), descText));
    auto *spin = build::spinEdit(group, QString::fromLatin1(spinName), minimum, kSpinMax, value);
    row->addWidget(spin);
    row->addWidget(build::label(group, QString::fromLatin1(unitName), tabtexts::kSecondsUnit));
    row->addStretch(1);
    into->addLayout(row);
    return spin;
}

RadioGroup *radioGroup(QWidget *parent, const char *name, const QString &title, const QStringList &items,
                       int columns)
{
    auto *group = new RadioGroup(title, items, columns, parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

} // namespace

AntiTheftTab::AntiTheftTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    antiTheft = build::checkBox(panel, QStringLiteral("CKB_Antykradziez"), t::kAntykradziez);
    page->addWidget(antiTheft);
    authorisation = radioGroup(panel, "RAG_AntykradziezAutoryzacja", t::kAuthorisationTitle, t::kAuthorisationItems, 3);
    page->addWidget(authorisation);

    delayGroup = build::groupBox(panel, QStringLiteral("GB_AntykradziezCzas"), t::kDelayGroupTitle);
    auto *delayLayout = build::groupVBox(delayGroup, 2);
    delay = delayRow(delayGroup, delayLayout, "LAB_OpisCzasZwlokiBlok", t::kOpisCzasZwlokiBlok,
                          "SPE_CzasZwlokiAntykradziez", kSpinMin, 255, "LAB_JedCzasZwlokiBlok");
    page->addWidget(delayGroup);

    ignitionGroup = build::groupBox(panel, QStringLiteral("GB_AntykradziezStacyjka"), t::kGbAntykradziezStacyjka);
    auto *ignitionLayout = build::groupVBox(ignitionGroup, 2);
    ignitionWhileArmedAlert = build::checkBox(ignitionGroup, QStringLiteral("CKB_AntykradziezStacyjkaOn"), t::kAntykradziezStacyjkaOn);
    ignitionLayout->addWidget(ignitionWhileArmedAlert);
    page->addWidget(ignitionGroup);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisBlok"), t::kWriteCaption),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytBlok"), t::kReadCaption)));
}

AntiHijackTab::AntiHijackTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    antiHijack = build::checkBox(panel, QStringLiteral("CKB_Antynapad"), t::kAntynapad);
    page->addWidget(antiHijack);
    authorisation = radioGroup(panel, "RAG_AntynapadAutoryzacja", t::kAuthorisationTitle, t::kAuthorisationItems, 3);
    page->addWidget(authorisation);

    delayGroup = build::groupBox(panel, QStringLiteral("GB_AntynapadCzas"), t::kDelayGroupTitle);
    auto *delayLayout = build::groupVBox(delayGroup, 2);
    delay = delayRow(delayGroup, delayLayout, "LAB_OpisCzasZwlokiAntynap", t::kOpisCzasZwlokiAntynap,
                          "SPE_CzasZwlokiAntynapad", kAntiHijackSpinMin, kAntiHijackSpinMin, "LAB_JedCzasZwlokiAntynap");
    delay->setTypingEnabled(false);
    delayNote = build::label(delayGroup, QStringLiteral("LAB_OpisZwlokiAntynapad"), QString());
    delayNote->setWordWrap(true);
    delayNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    delayNote->setMinimumHeight(kNoteHeight);
    delayNote->setMaximumWidth(kNoteWidth);
    delayLayout->addWidget(delayNote);
    page->addWidget(delayGroup);

    doorInputs = radioGroup(panel, "RAG_PrzewodKier", t::kPrzewodKier, t::kPrzewodKierItems, 1);
    page->addWidget(doorInputs);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisAntynap"), t::kWriteCaption),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytAntynap"), t::kReadCaption)));
}

RearmingTab::RearmingTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    auto *group = build::groupBox(panel, QStringLiteral("GB_PonowneUzbrajanieSystemu"), t::kRearmingGroupTitle);
    auto *gl = build::groupVBox(group, 2);
    rearming = build::checkBox(group, QStringLiteral("CKB_Dozbrajanie"), t::kDozbrajanie);
    gl->addWidget(rearming);
    page->addWidget(group);

    armingDelay = radioGroup(panel, "RAG_Uzbrajanie5_30sek", t::kUzbrajanie5_30sek, t::kUzbrajanie5_30sekItems, 2);
    page->addWidget(armingDelay);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisOgolne"), t::kWriteCaption),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytOgolne"), t::kReadCaption)));
}

} // namespace alvetra
