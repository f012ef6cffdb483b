#pragma once
// The values shown by the settings tabs' controls, as plain data.
//
// The window gathers this struct from its widgets and applies it back; the builders turn it into
// image bytes and the fill turns image bytes into it. Each field is named after its control with
// the type prefix dropped (ED_KodInst -> kodInst, RAG_Kierunki1_2Hz -> kierunki1_2Hz, ...).

#include <QString>

namespace alvetra {

constexpr int kNoItem = -1;          // a radio group or combo box without a selected item
constexpr int kSpinMin = 1;
constexpr int kSpinMax = 255;
constexpr int kAntynapadSpinMin = 30;  // SPE_CzasZwlokiAntynapad

struct TabValues {
    // Tab "Hasła i kody": button codes as letters K and D, the new PC password twice.
    QString kodInst;            // ED_KodInst
    QString kodKidnaper;        // ED_KodKidnaper
    QString kodAntykradziez;    // ED_KodAntykradziez
    QString kodIAwarja;         // ED_KodIAwarja
    QString kodProg1;           // ED_KodProg1
    QString kodProg2;           // ED_KodProg2

    // Tab "Potwierdzanie i kierunki".
    bool sygnalDzwiekowyPotwierdzenie = false;  // CKB_SygnalDzwiekowyPotwierdzenie
    bool sygnalKierunkiPotwierdzenie = false;   // CKB_SygnalKierunkiPotwierdzenie
    bool kierunkiSekwencjaOn = false;           // CKB_KierunkiSekwencjaOn
    int sekwencjaWyjscie = kNoItem;             // RAG_SekwencjaWyjscie
    int kierunki1_2Hz = kNoItem;                // RAG_Kierunki1_2Hz
    int kierunkiNaprzemienne = kNoItem;         // RAG_KierunkiNaprzemienne

    // Tab "Zamki".
    bool zamekSterowanieOn = false;             // CKB_ZamekSterowanieOn
    int zamekCzasImpulsuGlownego = kNoItem;     // RAG_ZamekCzasImpulsuGlownego
    bool dodatkowyOtworz = false;               // CKB_DodatkowyOtworz ("obecny C1")
    int przerwaOtworz = 255;                    // SPE_PrzerwaOtworz (B1)
    int sygnalOtworz = 255;                     // SPE_SygnalOtworz (C1)
    bool dodatkowyZamknij1 = false;             // CKB_DodatkowyZamknij1 ("obecny C2")
    bool dodatkowyZamknij2 = false;             // CKB_DodatkowyZamknij2 ("obecny E2")
    int przerwa1Zamknij = 255;                  // SPE_Przerwa1Zamknij (B2)
    int sygnal1Zamknij = 255;                   // SPE_Sygnal1Zamknij (C2)
    int przerwa2Zamknij = 255;                  // SPE_Przerwa2Zamknij (D2)
    int sygnal2Zamknij = 255;                   // SPE_Sygnal2Zamknij (E2)
    bool zamykaniePoStacyjce = false;           // CKB_ZamykaniePoStacyjce
    int czasPoStacyjce = 255;                   // SPE_CzasPoStacyjce

    // Tab "Przeciwkradzież".
    bool antykradziez = false;                  // CKB_Antykradziez
    int antykradziezAutoryzacja = kNoItem;      // RAG_AntykradziezAutoryzacja
    int czasZwlokiAntykradziez = 255;           // SPE_CzasZwlokiAntykradziez
    bool antykradziezStacyjkaOn = false;        // CKB_AntykradziezStacyjkaOn

    // Tab "Antynapad".
    bool antynapad = false;                     // CKB_Antynapad
    int antynapadAutoryzacja = kNoItem;         // RAG_AntynapadAutoryzacja
    int czasZwlokiAntynapad = 30;               // SPE_CzasZwlokiAntynapad
    int przewodKier = kNoItem;                  // RAG_PrzewodKier

    // Tab "Ponowne uzbrojenie".
    bool dozbrajanie = false;                   // CKB_Dozbrajanie
    int uzbrajanie5_30sek = kNoItem;            // RAG_Uzbrajanie5_30sek

    // Tab "CAN".
    bool alarmCan = false;                      // CKB_AlarmCan
    int marka = kNoItem;                        // CMB_Marka, selected item
    int model = kNoItem;                        // CMB_Model, selected item
    QString nrGrupy = QStringLiteral("        ");          // ST_NrGrupy
    QString nrGrupyWybrany = QStringLiteral("        ");   // ST_NrGrupyWybrany
    bool alarmCanWylaczKrancowke = false;       // CKB_AlarmCanWylaczKrancowke
    bool alarmCanWylaczStacyjke = false;        // CKB_AlarmCanWylaczStacyjke
    bool alarmCanWylaczPilot = false;           // CKB_AlarmCanWylaczPilot

    bool operator==(const TabValues &) const = default;
};

} // namespace alvetra
