#pragma once
// Tab 1 "Potwierdzanie i kierunki": confirmations and turn-signal settings.

class QCheckBox;
class QGroupBox;
class QWidget;

namespace alvetra {

class RadioGroup;

class TurnSignalsTab {
public:
    explicit TurnSignalsTab(QWidget *panel);

    QCheckBox *soundConfirmation = nullptr;      // CKB_SygnalDzwiekowyPotwierdzenie
    QCheckBox *turnSignalConfirmation = nullptr; // CKB_SygnalKierunkiPotwierdzenie
    QCheckBox *sequentialTurnSignals = nullptr;  // CKB_KierunkiSekwencjaOn
    RadioGroup *sequenceOutput = nullptr;        // RAG_SekwencjaWyjscie
    RadioGroup *turnSignalRate = nullptr;        // RAG_Kierunki1_2Hz
    RadioGroup *turnSignalMode = nullptr;        // RAG_KierunkiNaprzemienne
};

} // namespace alvetra
