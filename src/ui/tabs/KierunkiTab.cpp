#include "KierunkiTab.h"

#include "RadioGroup.h"
#include "TabBuild.h"
#include "TabTexts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace alvetra {

KierunkiTab::KierunkiTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    auto *confirmations = build::groupBox(panel, QStringLiteral("GB_Potwierdzenia"), t::kGbPotwierdzenia);
    auto *cl = build::groupVBox(confirmations, 2);
    sygnalDzwiekowy = build::checkBox(confirmations, QStringLiteral("CKB_SygnalDzwiekowyPotwierdzenie"),
                                      t::kSygnalDzwiekowy);
    sygnalKierunki = build::checkBox(confirmations, QStringLiteral("CKB_SygnalKierunkiPotwierdzenie"),
                                     t::kSygnalKierunki);
    cl->addWidget(sygnalDzwiekowy);
    cl->addWidget(sygnalKierunki);
    page->addWidget(confirmations);

    auto *settings = build::groupBox(panel, QStringLiteral("GB_UstawieniaKierunkow"), t::kGbUstawieniaKierunkow);
    // The sequential and the direct control side by side, to fit the tab's height.
    auto *sl = build::groupHBox(settings, 6);

    auto *sequential = build::groupBox(settings, QStringLiteral("GB_SterowanieSekwencyjneKier"), t::kGbSekwencyjne);
    auto *ql = build::groupVBox(sequential, 2);
    sekwencjaOn = build::checkBox(sequential, QStringLiteral("CKB_KierunkiSekwencjaOn"), t::kSekwencjaOn);
    ql->addWidget(sekwencjaOn);
    sekwencjaWyjscie = new RadioGroup(t::kSekwencjaWyjscie, t::kSekwencjaWyjscieItems, 1, sequential);
    sekwencjaWyjscie->setObjectName(QStringLiteral("RAG_SekwencjaWyjscie"));
    sekwencjaWyjscie->setEnabled(false);
    ql->addWidget(sekwencjaWyjscie);
    ql->addStretch(1);
    sl->addWidget(sequential, 1);

    auto *direct = build::groupBox(settings, QStringLiteral("GB_SterowanieBezposrednieKier"), t::kGbBezposrednie);
    auto *dl = build::groupVBox(direct, 2);
    kierunki1_2Hz = new RadioGroup(t::kKierunki1_2Hz, t::kKierunki1_2HzItems, 2, direct);
    kierunki1_2Hz->setObjectName(QStringLiteral("RAG_Kierunki1_2Hz"));
    dl->addWidget(kierunki1_2Hz);
    kierunkiNaprzemienne = new RadioGroup(t::kKierunkiNaprzemienne, t::kKierunkiNaprzemienneItems, 1, direct);
    kierunkiNaprzemienne->setObjectName(QStringLiteral("RAG_KierunkiNaprzemienne"));
    dl->addWidget(kierunkiNaprzemienne);
    dl->addStretch(1);
    sl->addWidget(direct, 1);
    page->addWidget(settings);

    page->addStretch(1);
    auto *odczyt = build::button(panel, QStringLiteral("BITBTN_OdczytKierunki"), t::kOdczyt);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisKierunki"), t::kZapis),
                                     odczyt));
    // A second read button lies one pixel lower over the first and runs the same read.
    build::overlay(build::button(panel, QStringLiteral("BitBtn1"), t::kOdczyt), odczyt, QPoint(0, 1));
}

} // namespace alvetra
