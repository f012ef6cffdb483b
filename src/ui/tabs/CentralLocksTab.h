#pragma once
// Tab 2 "Zamki": central-lock control, main pulse A, the additional opening and closing pulses
// with their pulse diagrams, and locking after ignition.

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QWidget;

namespace alvetra {

class RadioGroup;
class SpinEdit;

class CentralLocksTab {
public:
    explicit CentralLocksTab(QWidget *panel);

    QWidget *panel = nullptr;                   // PNL_Zamki
    QCheckBox *centralLock = nullptr;           // CKB_ZamekSterowanieOn
    QGroupBox *lockSettings = nullptr;          // GB_UstawieniaZamka
    QFrame *mainPulsePanel = nullptr;           // PNL_PomocniczyZamki
    RadioGroup *mainPulseLength = nullptr;      // RAG_ZamekCzasImpulsuGlownego
    QGroupBox *openPulses = nullptr;            // GB_CzasyOtworz
    QCheckBox *extraOpenPulse = nullptr;        // CKB_DodatkowyOtworz
    QLabel *openDiagram = nullptr;              // IM_Otworz
    SpinEdit *pauseAC1 = nullptr;               // SPE_PrzerwaOtworz (B1)
    SpinEdit *pulseC1 = nullptr;                // SPE_SygnalOtworz (C1)
    QGroupBox *closePulses = nullptr;           // GB_CzasyZamknij
    QCheckBox *extraClosePulse1 = nullptr;      // CKB_DodatkowyZamknij1 (C2)
    QCheckBox *extraClosePulse2 = nullptr;      // CKB_DodatkowyZamknij2 (E2)
    QLabel *closeDiagram = nullptr;             // IM_Zamknij
    SpinEdit *pauseAC2 = nullptr;               // SPE_Przerwa1Zamknij (B2)
    SpinEdit *pulseC2 = nullptr;                // SPE_Sygnal1Zamknij (C2)
    SpinEdit *pauseC2E2 = nullptr;              // SPE_Przerwa2Zamknij (D2)
    SpinEdit *pulseE2 = nullptr;                // SPE_Sygnal2Zamknij (E2)
    QGroupBox *lockAfterIgnitionGroup = nullptr; // GB_ZamykaniePoStacyjce
    QCheckBox *lockAfterIgnition = nullptr;      // CKB_ZamykaniePoStacyjce
    SpinEdit *lockDelayAfterIgnition = nullptr;  // SPE_CzasPoStacyjce

    static constexpr int kOpenDiagramWidth = 146;
    static constexpr int kCloseDiagramWidth = 241;
    static constexpr int kDiagramHeight = 28;
};

} // namespace alvetra
