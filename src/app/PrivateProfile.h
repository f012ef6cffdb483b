#pragma once
// A Windows-style ini file as the private-profile functions treat it: "[SECTION]" lines, then
// "KEY=value" lines. Sections and keys match without regard to case; a value is the rest of its
// line with surrounding blanks removed and one pair of enclosing double quotes taken off; there
// are no escapes, and no value is ever interpreted beyond that. The first of two equal keys wins.
//
// Writing changes a key's line in place, adds a missing key at the end of its section and a
// missing section at the end of the file, so lines the program does not own stay as they are.
// The file is replaced in one step only after everything was written.

#include <QString>
#include <QStringList>
#include <optional>

namespace alvetra {

class PrivateProfile {
public:
    // The lines of the file at `path`; a missing or unreadable file gives an empty profile.
    static PrivateProfile load(const QString &path);

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Line breaks cannot be stored in a line and are left out.
    void setValue(const QString &section, const QString &key, const QString &value);

    // Writes to `path` through a temporary file that replaces the old one only when every byte
    // was written; false (the old file untouched) when anything failed.
    bool save(const QString &path) const;

private:
    struct Found {
        int sectionLine = -1;   // the "[SECTION]" line, -1 when the section is missing
        int keyLine = -1;       // the key's line, -1 when the key is missing
        int sectionEnd = 0;     // where a new key of the section goes
    };
    Found find(const QString &section, const QString &key) const;

    QStringList lines_;
    QString lineEnd_ = QStringLiteral("\n");
};

} // namespace alvetra
