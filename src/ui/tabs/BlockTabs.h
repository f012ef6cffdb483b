#pragma once
// Tabs 3 "Przeciwkradzież", 4 "Antynapad" and 5 "Ponowne uzbrojenie".

class QCheckBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace alvetra {

class RadioGroup;
class SpinEdit;

class AntiTheftTab {
public:
    explicit AntiTheftTab(QWidget *panel);

    QWidget *panel = nullptr;                      // PNL_Antykradziez
    QCheckBox *antiTheft = nullptr;                // CKB_Antykradziez
    RadioGroup *authorisation = nullptr;           // RAG_AntykradziezAutoryzacja
    QGroupBox *delayGroup = nullptr;               // GB_AntykradziezCzas
    SpinEdit *delay = nullptr;                     // SPE_CzasZwlokiAntykradziez
    QGroupBox *ignitionGroup = nullptr;            // GB_AntykradziezStacyjka
    QCheckBox *ignitionWhileArmedAlert = nullptr;  // CKB_AntykradziezStacyjkaOn
};

class AntiHijackTab {
public:
    explicit AntiHijackTab(QWidget *panel);

    QWidget *panel = nullptr;                 // PNL_Antynapad
    QCheckBox *antiHijack = nullptr;          // CKB_Antynapad
    RadioGroup *authorisation = nullptr;      // RAG_AntynapadAutoryzacja
    QGroupBox *delayGroup = nullptr;          // GB_AntynapadCzas
    SpinEdit *delay = nullptr;                // SPE_CzasZwlokiAntynapad
    QLabel *delayNote = nullptr;              // LAB_OpisZwlokiAntynapad, text set at start-up
    RadioGroup *doorInputs = nullptr;         // RAG_PrzewodKier

    static constexpr int kNoteWidth = 665;
    static constexpr int kNoteHeight = 45;
};

class RearmingTab {
public:
    explicit RearmingTab(QWidget *panel);

    QCheckBox *rearming = nullptr;            // CKB_Dozbrajanie
    RadioGroup *armingDelay = nullptr;        // RAG_Uzbrajanie5_30sek
};

} // namespace alvetra
