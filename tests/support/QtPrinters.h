#pragma once
// Readable failures: gtest prints a QString as its text. QString lives in the global namespace,
// so its printer must too (gtest finds it by argument-dependent lookup).

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
