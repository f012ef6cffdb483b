#pragma once
// The words of the owner's papers (alarm/OwnerPapers.h).

#include <QString>

namespace alvetra::papertexts {

inline const QString kSheetTitle = QStringLiteral("Karta montażu");
inline const QString kSheetSubtitle = QStringLiteral("Zaświadczenie o zamontowanym systemie alarmowym pojazdu");
inline const QString kCardTitle = QStringLiteral("Karta kodowa");
inline const QString kCardSubtitle = QStringLiteral("Dla właściciela pojazdu");

inline const QString kWorkshop = QStringLiteral("Warsztat");
inline const QString kWorkshopName = QStringLiteral("Nazwa");
inline const QString kWorkshopAddress = QStringLiteral("Adres");
inline const QString kWorkshopPhone = QStringLiteral("Telefon");
inline const QString kDate = QStringLiteral("Data");

inline const QString kCar = QStringLiteral("Pojazd");
inline const QString kMakeAndModel = QStringLiteral("Marka i model");
inline const QString kNoCarChosen = QStringLiteral("nie wybrano z bazy samochodów");
inline const QString kRegistration = QStringLiteral("Numer rejestracyjny");
inline const QString kVin = QStringLiteral("Numer VIN");

inline const QString kUnit = QStringLiteral("Centrala alarmowa");
inline const QString kIdentification = QStringLiteral("Identyfikacja");
inline const QString kUnknownUnit = QStringLiteral("nieznana (karta z pliku ustawień)");
inline const QString kFamily = QStringLiteral("Rodzina oprogramowania");

inline const QString kProtections = QStringLiteral("Zabezpieczenia w działaniu");
inline const QString kAntiTheft = QStringLiteral("Blokada przeciwkradzieżowa");
inline const QString kAntiHijack = QStringLiteral("Blokada antynapadowa");
inline const QString kActive = QStringLiteral("aktywna");
inline const QString kInactive = QStringLiteral("nieaktywna");
inline const QString kAuthorisation = QStringLiteral("autoryzacja");
inline const QString kAntiTheftArms = QStringLiteral("uzbraja się sama %1 s po wyłączeniu stacyjki");
inline const QString kIgnitionAlert = QStringLiteral("Sygnalizacja włączenia stacyjki przy uzbrojonej blokadzie");
inline const QString kAntiHijackDelay = QStringLiteral("sygnalizacja %1 s po otwarciu drzwi");
inline const QString kAntiHijackInputs = QStringLiteral("Blokadę antynapadową uruchamia");
inline const QString kCentralLock = QStringLiteral("Sterowanie zamkiem centralnym");
inline const QString kOn = QStringLiteral("włączone");
inline const QString kOff = QStringLiteral("wyłączone");
inline const QString kLockAfterIgnition = QStringLiteral("Zamykanie zamków po włączeniu stacyjki");
inline const QString kAfterSeconds = QStringLiteral("po %1 s");
inline const QString kArmingDelay = QStringLiteral("Czas braku reakcji na czujniki po uzbrojeniu");
inline const QString kRearming = QStringLiteral("Ponowne uzbrojenie po rozbrojeniu bez otwarcia drzwi");
inline const QString kCan = QStringLiteral("Współpraca z magistralą CAN samochodu");
inline const QString kCanGroup = QStringLiteral("tak, grupa %1");
inline const QString kNo = QStringLiteral("nie");
inline const QString kYes = QStringLiteral("tak");

inline const QString kLearnt = QStringLiteral("Piloty i tokeny");
inline const QString kRemotes = QStringLiteral("Piloty zaprogramowane w centrali");
inline const QString kTokens = QStringLiteral("Tokeny zaprogramowane w centrali");

inline const QString kFitterSignature = QStringLiteral("Podpis montażysty");
inline const QString kOwnerSignature = QStringLiteral("Podpis właściciela pojazdu");

inline const QString kShort = QStringLiteral("krótko");
inline const QString kLong = QStringLiteral("długo");
inline const QString kPressSeparator = QStringLiteral(" – ");
inline const QString kCodes = QStringLiteral("Kody przycisku centrali");
inline const QString kEmergencyCode = QStringLiteral("Kod awaryjnego rozblokowania");
inline const QString kAntiTheftCode = QStringLiteral("Kod autoryzacji blokady przeciwkradzieżowej");
inline const QString kAntiHijackCode = QStringLiteral("Kod autoryzacji blokady antynapadowej");
inline const QString kLetters = QStringLiteral("%1 (%2)");   // the presses in words, the letters
inline const QString kHowTo = QStringLiteral("Jak używać");
inline const QString kHowToPress = QStringLiteral(
    "Kod wprowadza się przyciskiem centrali: K oznacza wciśnięcie krótsze niż 1 sekunda, D wciśnięcie "
    "trwające co najmniej 1 sekundę; wciśnięcia w podanej kolejności, bez dłuższych przerw.");
inline const QString kHowToEmergency = QStringLiteral(
    "Kod awaryjnego rozblokowania pozwala rozbroić alarm, gdy pilot zaginie lub przestanie działać.");
inline const QString kHowToAuthorise = QStringLiteral(
    "Kod autoryzacji zwalnia blokadę, gdy ta czeka na autoryzację.");
// Refusals, told by the window and by alvetra-cli alike.
inline const QString kBadVin = QStringLiteral("Numer VIN %1 ma złą postać: 17 liter i cyfr, bez liter I, O i Q.");
inline const QString kNotWritten = QStringLiteral("Nie można zapisać pliku %1: %2");   // %2: the system's reason

inline const QString kKeepApart = QStringLiteral(
    "Przechowuj tę kartę poza samochodem, oddzielnie od kluczyków i dokumentów pojazdu.");

} // namespace alvetra::papertexts
