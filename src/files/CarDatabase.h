#pragma once
// The car database: the makes and models the fitter chooses from and the CAN group each needs.
//
// File format (code page 1250, lines end with CR LF, LF or CR; a file in UTF-8 or UTF-16 is
// refused like a damaged one):
//   line 1     a decimal number 0-255 (a header; read and checked, its value is not used)
//   car lines  key,make,model,group   e.g. "0103,Škoda,Octavia II,17"
//              key: hexadecimal 0-FFFF, make number * 256 + model number; group: decimal 0-255.
//              Lines shorter than 11 characters (empty ones too) are skipped.
// Makes are listed in the order they appear; a make whose lines are not together in the file is
// listed once for each run of lines. Make and model numbers of the keys must follow the order of
// appearance, because the lists on the screen are indexed by position.

#include "files/CarRecord.h"
#include "alarm/GroupBuilders.h"
#include "alarm/UserMessage.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace alvetra {

class CarDatabase {
public:
    struct LoadResult {
        bool ok = true;                        // false only for an empty file
        std::optional<UserMessage> message;    // "Plik z bazą danych o samochodach jest pusty." ("Iformacja")
    };

    // Loads the database at `path` unless makes are already listed: the first database that
    // lists makes stays for the whole run (a file with only its header line lists none, so the
    // next load reads again). A file of 0 bytes gives ok = false and its message. A file that
    // cannot be opened or read, or a line that does not parse, throws
    // FileError("Brak pliku z bazą danych o samochodach!"); the records and makes read before
    // the faulty line stay.
    LoadResult load(const QString &path);

    const CarTable &cars() const { return cars_; }
    // The make list (CMB_Marka), in order of appearance.
    const QStringList &makes() const { return makes_; }
    bool hasMakes() const { return !makes_.isEmpty(); }

    // The models of the make at this position of the make list (CMB_Model), in file order:
    // every record whose make number equals the position.
    QStringList modelsOfMake(int makePosition) const;

    // The group of the last record with this key, or nothing.
    std::optional<std::uint8_t> groupForKey(std::uint16_t key) const;

    // groupForKey for the CAN group builder; valid while this database lives.
    CarGroupLookup groupLookup() const;

private:
    void parse(const QString &text);
    // Appends one car line; returns its make number.
    int addCarLine(const QString &line, int previousMake);

    CarTable cars_;
    QStringList makes_;
};

} // namespace alvetra
