#pragma once
// The values shown by the settings tabs' controls, as plain data.
//
// The window gathers this struct from its widgets and applies it back; the builders turn it into
// image bytes and the fill turns image bytes into it. Each field names its setting; the comment
// beside it names the control it comes from.

#include <QString>

namespace alvetra {

constexpr int kNoItem = -1;          // a radio group or combo box without a selected item
constexpr int kSpinMin = 1;
constexpr int kSpinMax = 255;
constexpr int kAntiHijackSpinMin = 30;  // SPE_CzasZwlokiAntynapad

struct TabValues {
    // Tab "Hasła i kody": button codes as letters K and D, the new PC password twice.
    QString programmingCode;      // ED_KodInst
    QString antiHijackCode;       // ED_KodKidnaper
    QString antiTheftCode;        // ED_KodAntykradziez
    QString emergencyCode;        // ED_KodIAwarja
    QString newPcPassword;        // ED_KodProg1
    QString newPcPasswordRepeat;  // ED_KodProg2

    // Tab "Potwierdzanie i kierunki".
    bool soundConfirmation = false;             // CKB_SygnalDzwiekowyPotwierdzenie
    bool turnSignalConfirmation = false;        // CKB_SygnalKierunkiPotwierdzenie
    bool sequentialTurnSignals = false;         // CKB_KierunkiSekwencjaOn
    int sequenceOutput = kNoItem;               // RAG_SekwencjaWyjscie
    int turnSignalRate = kNoItem;               // RAG_Kierunki1_2Hz
    int turnSignalMode = kNoItem;               // RAG_KierunkiNaprzemienne

    // Tab "Zamki".
    bool centralLock = false;                   // CKB_ZamekSterowanieOn
    int mainPulseLength = kNoItem;              // RAG_ZamekCzasImpulsuGlownego
    bool extraOpenPulse = false;                // CKB_DodatkowyOtworz ("obecny C1")
    int pauseAC1 = 255;                         // SPE_PrzerwaOtworz (B1)
    int pulseC1 = 255;                          // SPE_SygnalOtworz (C1)
    bool extraClosePulse1 = false;              // CKB_DodatkowyZamknij1 ("obecny C2")
    bool extraClosePulse2 = false;              // CKB_DodatkowyZamknij2 ("obecny E2")
    int pauseAC2 = 255;                         // SPE_Przerwa1Zamknij (B2)
    int pulseC2 = 255;                          // SPE_Sygnal1Zamknij (C2)
    int pauseC2E2 = 255;                        // SPE_Przerwa2Zamknij (D2)
    int pulseE2 = 255;                          // SPE_Sygnal2Zamknij (E2)
    bool lockAfterIgnition = false;             // CKB_ZamykaniePoStacyjce
    int lockDelayAfterIgnition = 255;           // SPE_CzasPoStacyjce

    // Tab "Przeciwkradzież".
    bool antiTheft = false;                     // CKB_Antykradziez
    int antiTheftAuthorisation = kNoItem;       // RAG_AntykradziezAutoryzacja
    int antiTheftDelay = 255;                   // SPE_CzasZwlokiAntykradziez
    bool ignitionWhileArmedAlert = false;       // CKB_AntykradziezStacyjkaOn

    // Tab "Antynapad".
    bool antiHijack = false;                    // CKB_Antynapad
    int antiHijackAuthorisation = kNoItem;      // RAG_AntynapadAutoryzacja
    int antiHijackDelay = 30;                   // SPE_CzasZwlokiAntynapad
    int doorInputs = kNoItem;                   // RAG_PrzewodKier

    // Tab "Ponowne uzbrojenie".
    bool rearming = false;                      // CKB_Dozbrajanie
    int armingDelay = kNoItem;                  // RAG_Uzbrajanie5_30sek

    // Tab "CAN".
    bool alarmCan = false;                      // CKB_AlarmCan
    int make = kNoItem;                         // CMB_Marka, selected item
    int model = kNoItem;                        // CMB_Model, selected item
    QString storedCanGroup = QStringLiteral("        ");   // ST_NrGrupy
    QString chosenCanGroup = QStringLiteral("        ");   // ST_NrGrupyWybrany
    bool canIgnoreDoorSwitches = false;         // CKB_AlarmCanWylaczKrancowke
    bool canIgnoreIgnition = false;             // CKB_AlarmCanWylaczStacyjke
    bool canIgnoreFactoryRemote = false;        // CKB_AlarmCanWylaczPilot

    bool operator==(const TabValues &) const = default;
};

} // namespace alvetra
