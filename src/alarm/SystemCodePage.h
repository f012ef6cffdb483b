#pragma once
// The operating system's own converter for code page 1250: ICU on Linux, the Win32 code page
// functions on Windows. cp1250 reads its tables from it once and asks it only about characters
// the code page has no byte for, so the program converts as the system it runs on does.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace alvetra::cp1250::system {

// False where the system has no such code page.
bool available();
QString decode(const QByteArray &bytes);
// `*fits` becomes false when the system had to put its substitute byte (0x1A) for a character.
QByteArray encode(QStringView text, bool *fits);

} // namespace alvetra::cp1250::system
