#pragma once
// Every Polish text the settings tabs show, in one place for review. The texts are the ones the
// fitters know from the program's screens and are kept character for character, typing errors
// included ("dżwiękowym", "kieruknkowskazów", "bakażnik", "kórym", "na na", "hasel").

#include <QString>
#include <QStringList>

namespace alvetra::tabtexts {

// Buttons shared by the tabs.
inline const QString kWriteCaption = QStringLiteral("&Zapis");
inline const QString kReadCaption = QStringLiteral("&Odczyt");
inline const QString kClearHistoryCaption = QStringLiteral("&Kasowanie");
inline const QString kLearnCaption = QStringLiteral("Programowanie");
inline const QString kEraseCaption = QStringLiteral("Kasowanie");
inline const QString kSecondsUnit = QStringLiteral("sek.");
inline const QString kEightBlanks = QStringLiteral("        ");
inline const QString kSevenBlanks = QStringLiteral("       ");

// Tab 0 "Hasła i kody".
inline const QString kPcPasswordGroupTitle = QStringLiteral("Zmiana hasła dostępu do programowania komputerem");
inline const QString kZm1HaslaDostepu =
    QStringLiteral("Zmiana hasła do programowania centrali przez komputer:");
inline const QString kZm2HaslaDostepu = QStringLiteral("Powtórz haslo dostępu:");
inline const QString kCodesGroupTitle = QStringLiteral("Zmiana kodów centrali alarmowej");
inline const QString kZmKoduProg = QStringLiteral("Kod wejścia do programowania ręcznego przyciskiem:");
inline const QString kZmKoduPorw = QStringLiteral("Kod autoryzacji blokady antynapadowej przyciskiem:");
inline const QString kZmKoduBlok =
    QStringLiteral("Kod autoryzacji blokady przeciwkradzieżowej przyciskiem:");
inline const QString kZmKoduAwarRozb = QStringLiteral("Kod awaryjnego rozblokowania przyciskiem:");
inline const QString kPressHint = QStringLiteral("16");
inline const QString kClearHint = QStringLiteral("Reset kodu");
inline const QString kKreska = QStringLiteral("D");
inline const QString kOpisKreski = QStringLiteral("oznacza wcisniecie przycisku >= 1 sek.");
inline const QString kKropka = QStringLiteral("K");
inline const QString kOpisKropki = QStringLiteral("oznacza wcisniecie przycisku < 1 sek.");

// Tab 1 "Potwierdzanie i kierunki".
inline const QString kGbPotwierdzenia = QStringLiteral("Potwierdzenia");
inline const QString kSoundConfirmationCaption =
    QStringLiteral("potwierdzenie rozbrojenia i uzbrojenia sygnałem dżwiękowym");
inline const QString kTurnSignalConfirmationCaption =
    QStringLiteral("potwierdzenie rozbrojenia i uzbrojenia kierunkowskazami");
inline const QString kGbUstawieniaKierunkow = QStringLiteral("Ustawienia kierunkowskazów");
inline const QString kSequentialGroupTitle = QStringLiteral("Sterowanie sekwencyjne");
inline const QString kSequentialTurnSignalsCaption = QStringLiteral("włącz sterowanie sekwencyjne");
inline const QString kSekwencjaWyjscie = QStringLiteral("Wyjście sekwencyjne kierunkowskazów");
inline const QStringList kSekwencjaWyjscieItems = {
    QStringLiteral("masa ciągła na czas działania kierunkowskazów"),
    QStringLiteral("500 ms. sygnał masy na na włączenie i wyłączenie")};
inline const QString kDirectControlGroupTitle = QStringLiteral("Sterowanie bezpośrednie");
inline const QString kKierunki1_2Hz = QStringLiteral("Częstotliwość migania kieruknkowskazów");
inline const QStringList kKierunki1_2HzItems = {QStringLiteral("1Hz - raz na sekundę"),
                                                QStringLiteral("2Hz - dwa razy na sekundę")};
inline const QString kKierunkiNaprzemienne = QStringLiteral("Tryb migania kierunkowskazów");
inline const QStringList kKierunkiNaprzemienneItems = {
    QStringLiteral("równoczesne miganie obu stron"),
    QStringLiteral("naprzemienne miganie strony lewej i prawej")};

// Tab 2 "Zamki".
inline const QString kZamekSterowanieOn = QStringLiteral("sterowanie zamkiem centralnym włączone");
inline const QString kGbUstawieniaZamka = QStringLiteral("Ustawienia zamka centralnego");
inline const QString kMainPulseLengthTitle =
    QStringLiteral("Czas impulsu głównego A identycznego dla otwieraniu i zamykaniu");
inline const QStringList kMainPulseLengthItems = {QStringLiteral("A = 0.7 sekundy"),
                                                      QStringLiteral("A = 3.0 sekundy")};
inline const QString kGbCzasyOtworz = QStringLiteral("Dodatkowe impulsy otworz");
inline const QString kGbCzasyZamknij = QStringLiteral("Dodatkowe impulsy zamknij");
inline const QString kC1PresentCaption = QStringLiteral("obecny C1");
inline const QString kC2PresentCaption = QStringLiteral("obecny C2");
inline const QString kE2PresentCaption = QStringLiteral("obecny E2");
inline const QString kB1 = QStringLiteral("B1 =");
inline const QString kC1 = QStringLiteral("C1 =");
inline const QString kB2 = QStringLiteral("B2 =");
inline const QString kC2 = QStringLiteral("C2 =");
inline const QString kD2 = QStringLiteral("D2 =");
inline const QString kE2 = QStringLiteral("E2 =");
inline const QString kOpisPrzerwaOtw = QStringLiteral("sek. przerwa pomiędzy impulsami A i C1");
inline const QString kOpisSygnalOtw = QStringLiteral("sek. czas trwania dodatkowego impulsu C1");
inline const QString kOpisPrzerwa1Zam = QStringLiteral("sek. przerwa pomiędzy impulsami A i C2");
inline const QString kOpisSygnal1Zam = QStringLiteral("sek. czas trwania dodatkowego impulsu C2");
inline const QString kOpisPrzerwa2Zam = QStringLiteral("sek. przerwa pomiędzy impulsami C2 i E2");
inline const QString kOpisSygnal2Zam = QStringLiteral("sek. czas trwania dodatkowego impulsu E2");
inline const QString kGbZamykaniePoStacyjce = QStringLiteral("Zamykanie po stacyjce");
inline const QString kZamykaniePoStacyjce = QStringLiteral("zamykanie po stacyjce włączone");
inline const QString kOpisCzasPoStac =
    QStringLiteral("Czas zwłoki zamykania zamków po włączeniu stacyjki:");

// Tab 3 "Przeciwkradzież".
inline const QString kAntykradziez = QStringLiteral("Blokada przeciwkradzieżowa aktywna");
inline const QString kAuthorisationTitle = QStringLiteral("Rodzaj autoryzacji");
inline const QStringList kAuthorisationItems = {QStringLiteral("autoryzacja kodem z przycisku"),
                                              QStringLiteral("autoryzacja tokenem"),
                                              QStringLiteral("autoryzacja kodem lub tokenem")};
inline const QString kDelayGroupTitle = QStringLiteral("Ustawianie czasu zwłoki");
inline const QString kOpisCzasZwlokiBlok = QStringLiteral(
    "Czas po kórym blokada przeciwkradzieżowa uzbraja się automatycznie po wyłączeniu stacyjki:");
inline const QString kGbAntykradziezStacyjka = QStringLiteral(
    "Reakcja na włączenie stacyjki przy uzbrojonej blokadzie przeciwkradzieżowej");
inline const QString kAntykradziezStacyjkaOn =
    QStringLiteral("włączenie sygnalizacji świetlnej i dźwiękowej po włączeniu stacyjki gdy "
                   "blokada przeciwkradzieżowa uzbrojona");

// Tab 4 "Antynapad".
inline const QString kAntynapad = QStringLiteral("Blokada antynapadowa aktywna");
inline const QString kOpisCzasZwlokiAntynap = QStringLiteral(
    "Czas do rozpoczęcia sygnalizacji blokady antynapadowej po otwarciu drzwi:");
inline const QString kPrzewodKier = QStringLiteral("Blokadę antynapadową aktywuje:");
inline const QStringList kPrzewodKierItems = {
    QStringLiteral("wejście alarmu drzwi kierowcy i wejście alarmu bakażnik/maska"),
    QStringLiteral("tylko wejście alarmu drzwi kierowcy")};

// Tab 5 "Ponowne uzbrojenie".
inline const QString kRearmingGroupTitle = QStringLiteral("Ponowne uzbrojenie");
inline const QString kDozbrajanie =
    QStringLiteral("ponowne uzbrojenie systemu po przypadkowym rozbrojeniu i nie otwarciu drzwi "
                   "w ciągu 30 sek. - aktywne");
inline const QString kUzbrajanie5_30sek =
    QStringLiteral("Czas braku reakcji na czujniki po uzbrojeniu");
inline const QStringList kUzbrajanie5_30sekItems = {QStringLiteral("5 sekund"),
                                                    QStringLiteral("30 sekund")};

// Tab 6 "Historia zdarzeń".
inline const QStringList kHistoryColumns = {QStringLiteral("Lp."),
                                             QStringLiteral("Przybliżony czas"),
                                             QStringLiteral("Rodzaj zdarzenia")};

// Tab 7 "CAN".
inline const QString kAlarmCan = QStringLiteral("Alarm analizuje magistrale CAN");
inline const QString kMarka = QStringLiteral("Wybierz markę:");
inline const QString kModel = QStringLiteral("Wybierz model:");
inline const QString kGrupaWybrana = QStringLiteral("Numer grupy wybranego samochodu:");
inline const QString kGrupa = QStringLiteral("Odczytany numer grupy:");
inline const QString kGbPomijanieLiniiNaCan = QStringLiteral("Analiza magistrali CAN");
inline const QString kCanIgnoreDoorSwitchesCaption =
    QStringLiteral("alarm nie reaguje na stan wyłączników krańcowych na magistrali CAN");
inline const QString kCanIgnoreIgnitionCaption =
    QStringLiteral("alarm nie reaguje na stacyjkę na magistrali CAN");
inline const QString kCanIgnoreFactoryRemoteCaption =
    QStringLiteral("alarm nie reaguje na fabrycznego pilota na magistrali CAN");

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
