#include "ui/tabs/TurnSignalsTab.h"

#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/TabTexts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace alvetra {

TurnSignalsTab::TurnSignalsTab(QWidget *panel)
{
    namespace t = tabtexts;
    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());

    auto *confirmations = build::groupBox(panel, QStringLiteral("GB_Potwierdzenia"), t::kGbPotwierdzenia);
    auto *cl = build::groupVBox(confirmations, 2);
    soundConfirmation = build::checkBox(confirmations, QStringLiteral("CKB_SygnalDzwiekowyPotwierdzenie"),
                                      t::kSoundConfirmationCaption);
    turnSignalConfirmation = build::checkBox(confirmations, QStringLiteral("CKB_SygnalKierunkiPotwierdzenie"),
                                     t::kTurnSignalConfirmationCaption);
    cl->addWidget(soundConfirmation);
    cl->addWidget(turnSignalConfirmation);
    page->addWidget(confirmations);

    auto *settings = build::groupBox(panel, QStringLiteral("GB_UstawieniaKierunkow"), t::kGbUstawieniaKierunkow);
    // The sequential and the direct control side by side, to fit the tab's height.
    auto *sl = build::groupHBox(settings, 6);

    auto *sequential = build::groupBox(settings, QStringLiteral("GB_SterowanieSekwencyjneKier"), t::kSequentialGroupTitle);
    auto *ql = build::groupVBox(sequential, 2);
    sequentialTurnSignals = build::checkBox(sequential, QStringLiteral("CKB_KierunkiSekwencjaOn"), t::kSequentialTurnSignalsCaption);
    ql->addWidget(sequentialTurnSignals);
    sequenceOutput = new RadioGroup(t::kSekwencjaWyjscie, t::kSekwencjaWyjscieItems, 1, sequential);
    sequenceOutput->setObjectName(QStringLiteral("RAG_SekwencjaWyjscie"));
    sequenceOutput->setEnabled(false);
    ql->addWidget(sequenceOutput);
    ql->addStretch(1);
    sl->addWidget(sequential, 1);

    auto *direct = build::groupBox(settings, QStringLiteral("GB_SterowanieBezposrednieKier"), t::kDirectControlGroupTitle);
    auto *dl = build::groupVBox(direct, 2);
    turnSignalRate = new RadioGroup(t::kKierunki1_2Hz, t::kKierunki1_2HzItems, 2, direct);
    turnSignalRate->setObjectName(QStringLiteral("RAG_Kierunki1_2Hz"));
    dl->addWidget(turnSignalRate);
    turnSignalMode = new RadioGroup(t::kKierunkiNaprzemienne, t::kKierunkiNaprzemienneItems, 1, direct);
    turnSignalMode->setObjectName(QStringLiteral("RAG_KierunkiNaprzemienne"));
    dl->addWidget(turnSignalMode);
    dl->addStretch(1);
    sl->addWidget(direct, 1);
    page->addWidget(settings);

    page->addStretch(1);
    auto *readButton = build::button(panel, QStringLiteral("BITBTN_OdczytKierunki"), t::kReadCaption);
    page->addLayout(build::buttonRow(build::button(panel, QStringLiteral("BITBTN_ZapisKierunki"), t::kWriteCaption),
                                     readButton));
    // A second read button lies one pixel lower over the first and runs the same read.
    build::overlay(build::button(panel, QStringLiteral("BitBtn1"), t::kReadCaption), readButton, QPoint(0, 1));
}

} // namespace alvetra
