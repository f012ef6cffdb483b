#pragma once
// The Polish texts of the traffic console ("Ruch na łączu"), in one place.

#include <QString>

namespace alvetra::traffictexts {

inline const QString kTitle = QStringLiteral("Ruch na łączu");
inline const QString kHintButton = QStringLiteral("Ruch na łączu (F12)");

// Columns.
inline const QString kColumnTime = QStringLiteral("Czas [ms]");
inline const QString kColumnDirection = QStringLiteral("Kierunek");
inline const QString kColumnFrame = QStringLiteral("Ramka");
inline const QString kColumnMeaning = QStringLiteral("Znaczenie");

inline const QString kToUnit = QStringLiteral("do centrali");
inline const QString kFromUnit = QStringLiteral("z centrali");
inline const QString kDamaged = QStringLiteral("błąd sumy kontrolnej");
inline const QString kNoise = QStringLiteral("szum");
inline const QString kReply = QStringLiteral("odpowiedź: %1");
inline const QString kAddressCount = QStringLiteral("adres %1, ilość %2");
inline const QString kData = QStringLiteral("dane %1");
inline const QString kText = QStringLiteral("tekst \"%1\"");

// Request names by code, for the meaning column and the type filter.
inline QString requestName(int code)
{
    switch (code) {
    case 0x01: return QStringLiteral("logowanie");
    case 0x02: return QStringLiteral("odczyt");
    case 0x03: return QStringLiteral("zapis");
    case 0x06: return QStringLiteral("identyfikacja 1");
    case 0x07: return QStringLiteral("identyfikacja 2");
    case 0x08: return QStringLiteral("stan");
    case 0x09: return QStringLiteral("uczenie");
    case 0x0A: return QStringLiteral("podtrzymanie blokady");
    case 0x0B: return QStringLiteral("rozłączenie");
    case 0x0C: return QStringLiteral("potwierdzenie");
    case 0x0D: return QStringLiteral("potwierdzenie CAN");
    default: return QStringLiteral("nieznany kod %1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
    }
}

// Controls.
inline const QString kPause = QStringLiteral("Wstrzymaj");
inline const QString kClear = QStringLiteral("Wyczyść");
inline const QString kCopy = QStringLiteral("Kopiuj");
inline const QString kSave = QStringLiteral("Zapisz...");
inline const QString kHideStatus = QStringLiteral("Ukryj odpytywanie stanu");
inline const QString kOnlyErrors = QStringLiteral("Tylko błędy");
inline const QString kShowSecrets = QStringLiteral("Pokaż hasła i kody");
inline const QString kShowSecretsTip =
    QStringLiteral("Hasło PC i kody przycisku jawnie w tabeli, w kopii i w zapisanym pliku. "
                   "Kod awaryjny rozbraja alarm: nie pokazuj go osobom postronnym.");
inline const QString kAllTypes = QStringLiteral("Wszystkie rodzaje");
inline const QString kSaveTitle = QStringLiteral("Zapisz ruch na łączu");
inline const QString kSaveFilter = QStringLiteral("Dziennik ruchu (*.jsonl)");
inline const QString kSaveFailed = QStringLiteral("Nie można zapisać pliku %1: %2");

} // namespace alvetra::traffictexts
