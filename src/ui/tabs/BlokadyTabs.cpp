#include "BlokadyTabs.h"

#include "RadioGroup.h"
#include "SpinEdit.h"
#include "TabBuild.h"
#include "TabTexts.h"
#include "TabValues.h"

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
    row->addWidget(build::label(group, QString::fromLatin1(unitName), tabtexts::kSek));
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

AntykradziezTab::AntykradziezTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    antykradziez = build::checkBox(panel, QStringLiteral("CKB_Antykradziez"), t::kAntykradziez);
    page->addWidget(antykradziez);
    autoryzacja = radioGroup(panel, "RAG_AntykradziezAutoryzacja", t::kRodzajAutoryzacji, t::kAutoryzacjaItems, 3);
    page->addWidget(autoryzacja);

    czasGroup = build::groupBox(panel, QStringLiteral("GB_AntykradziezCzas"), t::kGbCzasZwloki);
    auto *cl = build::groupVBox(czasGroup, 2);
    czasZwloki = delayRow(czasGroup, cl, "LAB_OpisCzasZwlokiBlok", t::kOpisCzasZwlokiBlok,
                          "SPE_CzasZwlokiAntykradziez", kSpinMin, 255, "LAB_JedCzasZwlokiBlok");
    page->addWidget(czasGroup);

    stacyjkaGroup = build::groupBox(panel, QStringLiteral("GB_AntykradziezStacyjka"), t::kGbAntykradziezStacyjka);
    auto *sl = build::groupVBox(stacyjkaGroup, 2);
    stacyjkaOn = build::checkBox(stacyjkaGroup, QStringLiteral("CKB_AntykradziezStacyjkaOn"), t::kAntykradziezStacyjkaOn);
    sl->addWidget(stacyjkaOn);
    page->addWidget(stacyjkaGroup);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisBlok"), t::kZapis),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytBlok"), t::kOdczyt)));
}

AntynapadTab::AntynapadTab(QWidget *panelWidget) : panel(panelWidget)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    antynapad = build::checkBox(panel, QStringLiteral("CKB_Antynapad"), t::kAntynapad);
    page->addWidget(antynapad);
    autoryzacja = radioGroup(panel, "RAG_AntynapadAutoryzacja", t::kRodzajAutoryzacji, t::kAutoryzacjaItems, 3);
    page->addWidget(autoryzacja);

    czasGroup = build::groupBox(panel, QStringLiteral("GB_AntynapadCzas"), t::kGbCzasZwloki);
    auto *cl = build::groupVBox(czasGroup, 2);
    czasZwloki = delayRow(czasGroup, cl, "LAB_OpisCzasZwlokiAntynap", t::kOpisCzasZwlokiAntynap,
                          "SPE_CzasZwlokiAntynapad", kAntynapadSpinMin, kAntynapadSpinMin, "LAB_JedCzasZwlokiAntynap");
    czasZwloki->setTypingEnabled(false);
    opisZwloki = build::label(czasGroup, QStringLiteral("LAB_OpisZwlokiAntynapad"), QString());
    opisZwloki->setWordWrap(true);
    opisZwloki->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    opisZwloki->setMinimumHeight(kOpisHeight);
    opisZwloki->setMaximumWidth(kOpisWidth);
    cl->addWidget(opisZwloki);
    page->addWidget(czasGroup);

    przewodKier = radioGroup(panel, "RAG_PrzewodKier", t::kPrzewodKier, t::kPrzewodKierItems, 1);
    page->addWidget(przewodKier);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisAntynap"), t::kZapis),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytAntynap"), t::kOdczyt)));
}

OgolneTab::OgolneTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    auto *group = build::groupBox(panel, QStringLiteral("GB_PonowneUzbrajanieSystemu"), t::kGbPonowneUzbrajanie);
    auto *gl = build::groupVBox(group, 2);
    dozbrajanie = build::checkBox(group, QStringLiteral("CKB_Dozbrajanie"), t::kDozbrajanie);
    gl->addWidget(dozbrajanie);
    page->addWidget(group);

    uzbrajanie5_30sek = radioGroup(panel, "RAG_Uzbrajanie5_30sek", t::kUzbrajanie5_30sek, t::kUzbrajanie5_30sekItems, 2);
    page->addWidget(uzbrajanie5_30sek);

    page->addStretch(1);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisOgolne"), t::kZapis),
                                     build::button(panel, QStringLiteral("BITBTN_OdczytOgolne"), t::kOdczyt)));
}

} // namespace alvetra
