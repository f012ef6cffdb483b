#pragma once
// A message for the user, as the operations and builders produce it; the window shows it as a
// message box with one OK button.

#include <QString>

namespace alvetra {

enum class MessageIcon { Information, Exclamation, Warning, Error };

struct UserMessage {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Information;

    bool operator==(const UserMessage &) const = default;
};

// The captions the program uses (typing errors are the program's own and stay).
inline const QString kCaptionWarning = QStringLiteral("Ostżerzenie");
inline const QString kCaptionInformation = QStringLiteral("Informacja");
inline const QString kCaptionInformationAlt = QStringLiteral("Iformacja");
inline const QString kCaptionError = QStringLiteral("Błąd");

} // namespace alvetra
