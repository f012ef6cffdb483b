#pragma once
// Settings files (".alm", ".v14"): the 256-byte settings image, every byte combined by
// exclusive-or with one constant mask, byte 0 first; no header, no checksum. The file does not
// say which layout it holds: the extension or the connected unit's family does.

#include "alarm/SettingsImage.h"

#include <QIODevice>
#include <QString>
#include <cstdint>

namespace alvetra {

// The format's mask. Alternating bits, so that neither an erased image (all 0xFF) nor an empty
// one (all 0) shows as itself in the file. Files of another mask cannot be read correctly.
constexpr std::uint8_t kSettingsFileMask = 0xA5;

// Larger files are refused before a byte is read.
constexpr qint64 kSettingsFileMaxSize = 65535;

// Writes the 256 masked bytes to `path` through a temporary file that replaces the old one only
// when everything was written, so a failed save leaves the previous file as it was. Throws
// FileError with the system's reason when the file cannot be written.
void saveSettingsFile(const QString &path, const SettingsImage &image);

// Reads `path` into the image: byte i unmasked becomes image byte i. A shorter file changes only
// its first bytes; bytes after the 256th are ignored. Throws FileError when the file cannot be
// opened, is larger than 65535 bytes or a read fails; the image is then left as it was. Returns
// the number of image bytes changed.
int loadSettingsFile(const QString &path, SettingsImage &image);

// The same from an open device; `name` is used in messages.
int readSettings(QIODevice &device, SettingsImage &image, const QString &name);

} // namespace alvetra
