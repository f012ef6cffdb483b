#pragma once
// The PC access password group of the image: 4 characters, one byte each in code page 1250,
// the first character at the lowest address.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"

#include <QString>

namespace alvetra {

constexpr int kPcPasswordLength = 4;

// Stores the first 4 characters of `password` (a shorter text leaves the remaining bytes as
// they were). Callers check the text first (checkNewPassword).
void storePcPassword(SettingsImage &image, const Layout &layout, const QString &password);

// The 4 characters of the stored password, zero bytes included, for comparing exactly with
// what the user typed.
QString pcPasswordText(const SettingsImage &image, const Layout &layout);

} // namespace alvetra
