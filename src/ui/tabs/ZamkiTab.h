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

class ZamkiTab {
public:
    explicit ZamkiTab(QWidget *panel);

    QWidget *panel = nullptr;                   // PNL_Zamki
    QCheckBox *sterowanieOn = nullptr;          // CKB_ZamekSterowanieOn
    QGroupBox *ustawieniaZamka = nullptr;       // GB_UstawieniaZamka
    QFrame *pomocniczyZamki = nullptr;          // PNL_PomocniczyZamki
    RadioGroup *czasImpulsuGlownego = nullptr;  // RAG_ZamekCzasImpulsuGlownego
    QGroupBox *czasyOtworz = nullptr;           // GB_CzasyOtworz
    QCheckBox *dodatkowyOtworz = nullptr;       // CKB_DodatkowyOtworz
    QLabel *imOtworz = nullptr;                 // IM_Otworz
    SpinEdit *przerwaOtworz = nullptr;          // SPE_PrzerwaOtworz (B1)
    SpinEdit *sygnalOtworz = nullptr;           // SPE_SygnalOtworz (C1)
    QGroupBox *czasyZamknij = nullptr;          // GB_CzasyZamknij
    QCheckBox *dodatkowyZamknij1 = nullptr;     // CKB_DodatkowyZamknij1 (C2)
    QCheckBox *dodatkowyZamknij2 = nullptr;     // CKB_DodatkowyZamknij2 (E2)
    QLabel *imZamknij = nullptr;                // IM_Zamknij
    SpinEdit *przerwa1Zamknij = nullptr;        // SPE_Przerwa1Zamknij (B2)
    SpinEdit *sygnal1Zamknij = nullptr;         // SPE_Sygnal1Zamknij (C2)
    SpinEdit *przerwa2Zamknij = nullptr;        // SPE_Przerwa2Zamknij (D2)
    SpinEdit *sygnal2Zamknij = nullptr;         // SPE_Sygnal2Zamknij (E2)
    QGroupBox *zamykaniePoStacyjceGroup = nullptr; // GB_ZamykaniePoStacyjce
    QCheckBox *zamykaniePoStacyjce = nullptr;   // CKB_ZamykaniePoStacyjce
    SpinEdit *czasPoStacyjce = nullptr;         // SPE_CzasPoStacyjce

    static constexpr int kOtworzWidth = 146;
    static constexpr int kZamknijWidth = 241;
    static constexpr int kDiagramHeight = 28;
};

} // namespace alvetra
