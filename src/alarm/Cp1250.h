#pragma once
// Conversions between the program's text and the unit's single-byte characters (Windows code
// page 1250, the Polish code page of the unit, its passwords and the car databases).

#include <QByteArray>
#include <QString>

namespace alvetra::cp1250 {

// The bytes of `text`, one per character. A character the code page cannot hold becomes 0x1A
// and makes `*ok` false (when given).
QByteArray encode(const QString &text, bool *ok = nullptr);

// The text of `bytes`; never fails (bytes the code page leaves undefined still give a character).
QString decode(const QByteArray &bytes);

} // namespace alvetra::cp1250
