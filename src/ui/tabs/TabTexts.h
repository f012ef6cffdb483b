#pragma once
// Every Polish text the settings tabs show, in one place for review, with the labels of the
// settings themselves in alarm/SettingsTexts.h. The texts are the ones the
// fitters know from the program's screens and are kept character for character, typing errors
// included ("dżwiękowym", "kieruknkowskazów", "bakażnik", "kórym", "na na", "hasel").

#include "alarm/SettingsTexts.h"

#include <QString>
#include <QStringList>

namespace alvetra::tabtexts {

// Buttons shared by the tabs.
inline const QString kWriteCaption = QStringLiteral("&Zapis");
inline const QString kReadCaption = QStringLiteral("&Odczyt");
inline const QString kClearHistoryCaption = QStringLiteral("&Kasowanie");
inline const QString kLearnCaption = QStringLiteral("Programowanie");
inline const QString kEraseCaption = QStringLiteral("Kasowanie");
inline const QString kEightBlanks = QStringLiteral("        ");
inline const QString kSevenBlanks = QStringLiteral("       ");

// Tab 0 "Hasła i kody".
inline const QString kPcPasswordGroupTitle = QStringLiteral("Zmiana hasła dostępu do programowania komputerem");
inline const QString kZm1HaslaDostepu =
    QStringLiteral("Zmiana hasła do programowania centrali przez komputer:");
inline const QString kZm2HaslaDostepu = QStringLiteral("Powtórz haslo dostępu:");
inline const QString kCodesGroupTitle = QStringLiteral("Zmiana kodów centrali alarmowej");
inline const QString kPressHint = QStringLiteral("16");
inline const QString kClearHint = QStringLiteral("Reset kodu");
inline const QString kKreska = QStringLiteral("D");
inline const QString kOpisKreski = QStringLiteral("oznacza wcisniecie przycisku >= 1 sek.");
inline const QString kKropka = QStringLiteral("K");
inline const QString kOpisKropki = QStringLiteral("oznacza wcisniecie przycisku < 1 sek.");

// Tab 1 "Potwierdzanie i kierunki".
inline const QString kGbPotwierdzenia = QStringLiteral("Potwierdzenia");
inline const QString kGbUstawieniaKierunkow = QStringLiteral("Ustawienia kierunkowskazów");
inline const QString kSequentialGroupTitle = QStringLiteral("Sterowanie sekwencyjne");
inline const QString kDirectControlGroupTitle = QStringLiteral("Sterowanie bezpośrednie");

// Tab 2 "Zamki".
inline const QString kGbUstawieniaZamka = QStringLiteral("Ustawienia zamka centralnego");
inline const QString kGbZamykaniePoStacyjce = QStringLiteral("Zamykanie po stacyjce");

// Tab 3 "Przeciwkradzież".
inline const QString kDelayGroupTitle = QStringLiteral("Ustawianie czasu zwłoki");
inline const QString kGbAntykradziezStacyjka = QStringLiteral(
    "Reakcja na włączenie stacyjki przy uzbrojonej blokadzie przeciwkradzieżowej");

// Tab 4 "Antynapad".

// Tab 5 "Ponowne uzbrojenie".
inline const QString kRearmingGroupTitle = QStringLiteral("Ponowne uzbrojenie");

// Tab 6 "Historia zdarzeń".
inline const QStringList kHistoryColumns = {QStringLiteral("Lp."),
                                             QStringLiteral("Przybliżony czas"),
                                             QStringLiteral("Rodzaj zdarzenia")};

// Tab 7 "CAN".
inline const QString kAlarmCan = QStringLiteral("Alarm analizuje magistrale CAN");
inline const QString kMarka = QStringLiteral("Wybierz markę:");
inline const QString kModel = QStringLiteral("Wybierz model:");
inline const QString kGrupaWybrana = QStringLiteral("Numer grupy wybranego samochodu:");
inline const QString kGbPomijanieLiniiNaCan = QStringLiteral("Analiza magistrali CAN");

// Tab 8 "Piloty".
inline const QString kLearnGroupTitle = QStringLiteral("Programowanie");
inline const QString kRemotesGroupTitle = QStringLiteral("Piloty");
inline const QString kTokensGroupTitle = QStringLiteral("Tokeny");
inline const QString kLearntGroupTitle = QStringLiteral("Zaprogramowane");

// Tab 9 "Monitor".
inline const QString kArmingStateLabel = QStringLiteral("Stan");
inline const QString kLabAntynapad = QStringLiteral("Antynapad");
inline const QString kLabAntykradziez = QStringLiteral("Przeciwkradzież");
inline const QString kSerwis = QStringLiteral("Serwis");
inline const QString kPrzekaznik = QStringLiteral("Przekaźnik");
inline const QString kWiredInputsGroupTitle = QStringLiteral("Wejścia przewodowe");
inline const QString kOwnRemoteGroupTitle = QStringLiteral("Pilot własny");
inline const QString kCanAnalysisGroupTitle = QStringLiteral("Analiza magistrali CAN");
inline const QString kButtonLedHint = QStringLiteral("Aktywnosc portu RS232");
inline const QString kLedStacyjka = QStringLiteral("Stacyjka");
inline const QString kLedKrancowka = QStringLiteral("Krańcówka/maska");
inline const QString kDriverDoorLedText = QStringLiteral("Krańcówka kierowcy");
inline const QString kLedCzujnik = QStringLiteral("Czujnik ultradźwiękowy");
inline const QString kLedBagaznikBlokada = QStringLiteral("Przewód blokady otwarcia bagażnika");
inline const QString kLedPrzycisk = QStringLiteral("Przycisk");
inline const QString kLedCanRx = QStringLiteral("Aktywnosc magistrali CAN");
inline const QString kLedRadioRx = QStringLiteral("Aktywnosc odbiornika radiowego");
inline const QString kLedDiagSyr = QStringLiteral("Zwarcie na syrenie");
inline const QString kLedPilotP1 = QStringLiteral("Pilot przycisk 1");
inline const QString kLedPilotP2 = QStringLiteral("Pilot przycisk 2");
inline const QString kLedPilotP3 = QStringLiteral("Pilot przycisk 3");
inline const QString kLedPilotP4 = QStringLiteral("Pilot przycisk 4");
inline const QString kLedPilotBateria = QStringLiteral("Słaba bateria w pilocie");
inline const QString kLedCanKier = QStringLiteral("Kierunkowskazy");
inline const QString kLedCanRozb = QStringLiteral("Pilot przycisk otworz");
inline const QString kLedCanUzb = QStringLiteral("Pilot przycisk zamknij");
inline const QString kLedCanBag = QStringLiteral("Pilot przycisk bagażnik");

} // namespace alvetra::tabtexts
