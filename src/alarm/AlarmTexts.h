#pragma once
// The Polish texts of the settings model: builder messages, history events and the remote and
// token lines. Typing errors are the program's own and stay as they are.

#include <QString>

namespace alvetra::texts {

// Builders.
inline const QString kCodesMustDiffer = QStringLiteral("Wpisane kody muszą się różnić między sobą.\rPopraw kody.");
inline const QString kPasswordTooShort = QStringLiteral("Hasło za krótkie, wymagane 4 znaki.");
inline const QString kPasswordMismatch = QStringLiteral("Źle lub nie wpisane hasło dostępu do programowania.");
// A character the unit's code page cannot hold would be stored as a stand-in byte.
inline const QString kPasswordNotEncodable = QStringLiteral("Hasło zawiera znak, którego nie można zapisać w centralce.");
inline const QString kNoMakeNoModel = QStringLiteral("Nie wybrano marki i modelu samochodu.");
inline const QString kNoMake = QStringLiteral("Nie wybrano marki samochodu.");
inline const QString kNoModel = QStringLiteral("Nie wybrano modelu samochodu.");
inline const QString kCarNotInDatabase = QStringLiteral("Brak samochodu w bazie");
inline const QString kErrorAtPosition = QStringLiteral("Błąd na pozycji: ");

// History events, by bit of the event code: family codes below 17 and 17 and above.
inline const QString kEventNamesOld[8] = {
    QStringLiteral("stacyjka"), QStringLiteral("krańcówka"), QStringLiteral("krańcówka kierowcy"),
    QStringLiteral("czujnki ultradźwiękowy"), QStringLiteral("maska"), QStringLiteral("wejście blokujące"),
    QStringLiteral("uzbrojenie"), QStringLiteral("rozbrojenie"),
};
inline const QString kEventNamesCan[8] = {
    QStringLiteral("stacyjka"), QStringLiteral("krańcówka"), QStringLiteral("krańcówka kierowcy"),
    QStringLiteral("czujnki ultradźwiękowy"), QStringLiteral("wejście blokujące"), QStringLiteral("stacyjka CAN"),
    QStringLiteral("krańcówka CAN"), QStringLiteral("kierunkowskazy CAN"),
};
inline const QString kEventArmed = QStringLiteral("uzbrojenie");
inline const QString kEventDisarmed = QStringLiteral("rozbrojenie");
inline const QString kEventJoin = QStringLiteral("+");

// Remote and token lines.
inline const QString kProductionDate = QStringLiteral("Data produkcji: ");
inline const QString kSerialNumber = QStringLiteral("Numer seryjny: ");
inline const QString kEmissionNumber = QStringLiteral("   Numer emisji: ");

// The settings in words (SettingsWords, SettingsDiff): check boxes, an empty code or a radio group
// without an item, a setting one side does not have, and the write groups.
inline const QString kChecked = QStringLiteral("tak");
inline const QString kUnchecked = QStringLiteral("nie");
inline const QString kNothing = QStringLiteral("brak");
inline const QString kAbsent = QStringLiteral("—");
inline const QString kGroupNames[9] = {
    QStringLiteral("hasło PC"),        QStringLiteral("kody"),       QStringLiteral("kierunki"),
    QStringLiteral("zamki"),           QStringLiteral("przeciwkradzież"), QStringLiteral("antynapad"),
    QStringLiteral("ponowne uzbrojenie"), QStringLiteral("grupa CAN"), QStringLiteral("analiza magistrali CAN"),
};
// After the group of a setting in the flags word, which every option group's write sends.
inline const QString kFlagsWordNote = QStringLiteral(" + słowo opcji");

} // namespace alvetra::texts
