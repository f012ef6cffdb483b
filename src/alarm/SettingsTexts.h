#pragma once
// The Polish texts of the settings as the tabs show them: the tab captions and the labels and
// items of the controls that hold settings. They are here, below the window, so that the settings
// can be told in words without it (SettingsWords); the tabs take them from here. The texts are
// the ones the fitters know from the program's screens, kept character for character, typing
// errors included ("dżwiękowym", "kieruknkowskazów", "bakażnik", "kórym", "na na").

#include <QString>
#include <QStringList>
#include <array>

namespace alvetra::tabtexts {

// Tab captions, in page order.
inline const std::array<QString, 10> kTabCaptions = {
    QStringLiteral("Hasła i kody"),       QStringLiteral("Potwierdzanie i kierunki"),
    QStringLiteral("Zamki"),              QStringLiteral("Przeciwkradzież"),
    QStringLiteral("Antynapad"),          QStringLiteral("Ponowne uzbrojenie"),
    QStringLiteral("Historia zdarzeń"),   QStringLiteral("CAN"),
    QStringLiteral("Piloty"),             QStringLiteral("Monitor")};

// The connection panel's password edit, which holds the unit's PC access password.
inline const QString kHasloDostepu = QStringLiteral("Hasło dostępu do programowania centrali: ");

// Buttons shared by the tabs.
inline const QString kSecondsUnit = QStringLiteral("sek.");

// Tab 0 "Hasła i kody".
inline const QString kZmKoduProg = QStringLiteral("Kod wejścia do programowania ręcznego przyciskiem:");
inline const QString kZmKoduPorw = QStringLiteral("Kod autoryzacji blokady antynapadowej przyciskiem:");
inline const QString kZmKoduBlok =
    QStringLiteral("Kod autoryzacji blokady przeciwkradzieżowej przyciskiem:");
inline const QString kZmKoduAwarRozb = QStringLiteral("Kod awaryjnego rozblokowania przyciskiem:");

// Tab 1 "Potwierdzanie i kierunki".
inline const QString kSoundConfirmationCaption =
    QStringLiteral("potwierdzenie rozbrojenia i uzbrojenia sygnałem dżwiękowym");
inline const QString kTurnSignalConfirmationCaption =
    QStringLiteral("potwierdzenie rozbrojenia i uzbrojenia kierunkowskazami");
inline const QString kSequentialTurnSignalsCaption = QStringLiteral("włącz sterowanie sekwencyjne");
inline const QString kSekwencjaWyjscie = QStringLiteral("Wyjście sekwencyjne kierunkowskazów");
inline const QStringList kSekwencjaWyjscieItems = {
    QStringLiteral("masa ciągła na czas działania kierunkowskazów"),
    QStringLiteral("500 ms. sygnał masy na na włączenie i wyłączenie")};
inline const QString kKierunki1_2Hz = QStringLiteral("Częstotliwość migania kieruknkowskazów");
inline const QStringList kKierunki1_2HzItems = {QStringLiteral("1Hz - raz na sekundę"),
                                                QStringLiteral("2Hz - dwa razy na sekundę")};
inline const QString kKierunkiNaprzemienne = QStringLiteral("Tryb migania kierunkowskazów");
inline const QStringList kKierunkiNaprzemienneItems = {
    QStringLiteral("równoczesne miganie obu stron"),
    QStringLiteral("naprzemienne miganie strony lewej i prawej")};

// Tab 2 "Zamki".
inline const QString kZamekSterowanieOn = QStringLiteral("sterowanie zamkiem centralnym włączone");
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
inline const QString kZamykaniePoStacyjce = QStringLiteral("zamykanie po stacyjce włączone");
inline const QString kOpisCzasPoStac =
    QStringLiteral("Czas zwłoki zamykania zamków po włączeniu stacyjki:");

// Tab 3 "Przeciwkradzież".
inline const QString kAntykradziez = QStringLiteral("Blokada przeciwkradzieżowa aktywna");
inline const QString kAuthorisationTitle = QStringLiteral("Rodzaj autoryzacji");
inline const QStringList kAuthorisationItems = {QStringLiteral("autoryzacja kodem z przycisku"),
                                              QStringLiteral("autoryzacja tokenem"),
                                              QStringLiteral("autoryzacja kodem lub tokenem")};
inline const QString kOpisCzasZwlokiBlok = QStringLiteral(
    "Czas po kórym blokada przeciwkradzieżowa uzbraja się automatycznie po wyłączeniu stacyjki:");
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
inline const QString kDozbrajanie =
    QStringLiteral("ponowne uzbrojenie systemu po przypadkowym rozbrojeniu i nie otwarciu drzwi "
                   "w ciągu 30 sek. - aktywne");
inline const QString kUzbrajanie5_30sek =
    QStringLiteral("Czas braku reakcji na czujniki po uzbrojeniu");
inline const QStringList kUzbrajanie5_30sekItems = {QStringLiteral("5 sekund"),
                                                    QStringLiteral("30 sekund")};

// Tab 7 "CAN".
inline const QString kGrupa = QStringLiteral("Odczytany numer grupy:");
inline const QString kCanIgnoreDoorSwitchesCaption =
    QStringLiteral("alarm nie reaguje na stan wyłączników krańcowych na magistrali CAN");
inline const QString kCanIgnoreIgnitionCaption =
    QStringLiteral("alarm nie reaguje na stacyjkę na magistrali CAN");
inline const QString kCanIgnoreFactoryRemoteCaption =
    QStringLiteral("alarm nie reaguje na fabrycznego pilota na magistrali CAN");
} // namespace alvetra::tabtexts
