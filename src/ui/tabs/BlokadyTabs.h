#pragma once
// Tabs 3 "Przeciwkradzież", 4 "Antynapad" and 5 "Ponowne uzbrojenie".

class QCheckBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace alvetra {

class RadioGroup;
class SpinEdit;

class AntykradziezTab {
public:
    explicit AntykradziezTab(QWidget *panel);

    QWidget *panel = nullptr;                 // PNL_Antykradziez
    QCheckBox *antykradziez = nullptr;        // CKB_Antykradziez
    RadioGroup *autoryzacja = nullptr;        // RAG_AntykradziezAutoryzacja
    QGroupBox *czasGroup = nullptr;           // GB_AntykradziezCzas
    SpinEdit *czasZwloki = nullptr;           // SPE_CzasZwlokiAntykradziez
    QGroupBox *stacyjkaGroup = nullptr;       // GB_AntykradziezStacyjka
    QCheckBox *stacyjkaOn = nullptr;          // CKB_AntykradziezStacyjkaOn
};

class AntynapadTab {
public:
    explicit AntynapadTab(QWidget *panel);

    QWidget *panel = nullptr;                 // PNL_Antynapad
    QCheckBox *antynapad = nullptr;           // CKB_Antynapad
    RadioGroup *autoryzacja = nullptr;        // RAG_AntynapadAutoryzacja
    QGroupBox *czasGroup = nullptr;           // GB_AntynapadCzas
    SpinEdit *czasZwloki = nullptr;           // SPE_CzasZwlokiAntynapad
    QLabel *opisZwloki = nullptr;             // LAB_OpisZwlokiAntynapad, text set at start-up
    RadioGroup *przewodKier = nullptr;        // RAG_PrzewodKier

    static constexpr int kOpisWidth = 665;
    static constexpr int kOpisHeight = 45;
};

class OgolneTab {
public:
    explicit OgolneTab(QWidget *panel);

    QCheckBox *dozbrajanie = nullptr;         // CKB_Dozbrajanie
    RadioGroup *uzbrajanie5_30sek = nullptr;  // RAG_Uzbrajanie5_30sek
};

} // namespace alvetra
