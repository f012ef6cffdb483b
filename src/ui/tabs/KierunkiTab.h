#pragma once
// Tab 1 "Potwierdzanie i kierunki": confirmations and turn-signal settings.

class QCheckBox;
class QGroupBox;
class QWidget;

namespace alvetra {

class RadioGroup;

class KierunkiTab {
public:
    explicit KierunkiTab(QWidget *panel);

    QCheckBox *sygnalDzwiekowy = nullptr;       // CKB_SygnalDzwiekowyPotwierdzenie
    QCheckBox *sygnalKierunki = nullptr;        // CKB_SygnalKierunkiPotwierdzenie
    QCheckBox *sekwencjaOn = nullptr;           // CKB_KierunkiSekwencjaOn
    RadioGroup *sekwencjaWyjscie = nullptr;     // RAG_SekwencjaWyjscie
    RadioGroup *kierunki1_2Hz = nullptr;        // RAG_Kierunki1_2Hz
    RadioGroup *kierunkiNaprzemienne = nullptr; // RAG_KierunkiNaprzemienne
};

} // namespace alvetra
