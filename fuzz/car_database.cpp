// The car-database loader fed arbitrary file contents.
//
// Invariants:
//  - nothing crashes; the only failure is the database error with its one message;
//  - an empty file is reported (caption "Iformacja") and is not an error;
//  - a file that loads keeps one record per car line (every line after the first with 11 or
//    more characters): no line is lost or doubled;
//  - the make list never outgrows the records, every listed make is some record's make, and
//    names never hold the comma that ends them;
//  - every record's key finds a group, and a second load never replaces a database that listed
//    makes.

#include "files/CarDatabase.h"
#include "alarm/Cp1250.h"
#include "alarm/FileError.h"
#include "FuzzSupport.h"

using namespace alvetra;
using namespace alvetra::fuzz;

namespace {

const QString kMissing = QStringLiteral("Brak pliku z bazą danych o samochodach!");
const QString kEmpty = QStringLiteral("Plik z bazą danych o samochodach jest pusty.");

// Lines as the file's reader sees them: split at CR LF, LF or a lone CR.
QStringList linesOf(const QString &text)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = unified.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::size_t carLineCount(const QByteArray &bytes)
{
    const QStringList lines = linesOf(cp1250::decode(bytes));
    std::size_t count = 0;
    for (int i = 1; i < lines.size(); ++i)
        if (lines.at(i).size() >= 11) ++count;
    return count;
}

void checkConsistent(const CarDatabase &db)
{
    FUZZ_CHECK(static_cast<std::size_t>(db.makes().size()) <= db.cars().size(), "no more makes than records");
    for (const QString &make : db.makes()) {
        bool found = false;
        for (const CarRecord &car : db.cars()) found = found || car.make == make;
        FUZZ_CHECK(found, "every listed make belongs to a record");
    }
    for (const CarRecord &car : db.cars()) {
        FUZZ_CHECK(!car.make.contains(QLatin1Char(',')) && !car.model.contains(QLatin1Char(',')), "names hold no comma");
        FUZZ_CHECK(db.groupForKey(car.key).has_value(), "every record's key finds a group");
    }
    for (int make = 0; make < db.makes().size(); ++make)
        db.modelsOfMake(make);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = scratchPath(QStringLiteral("MZRAv14.txt"));
    writeScratch(path, bytes);

    CarDatabase db;
    bool loaded = false;
    try {
        const CarDatabase::LoadResult result = db.load(path);
        loaded = true;
        FUZZ_CHECK(result.ok == !bytes.isEmpty(), "only an empty file gives false");
        if (bytes.isEmpty()) {
            FUZZ_CHECK(result.message && result.message->text == kEmpty && result.message->caption == QStringLiteral("Iformacja"),
                       "an empty file is reported");
            FUZZ_CHECK(db.cars().empty(), "an empty file loads nothing");
        }
    } catch (const FileError &error) {
        FUZZ_CHECK(error.message() == kMissing, "the one database error message");
        FUZZ_CHECK(!bytes.isEmpty(), "an empty file is not an error");
    }
    checkConsistent(db);
    if (loaded && !bytes.isEmpty())
        FUZZ_CHECK(db.cars().size() == carLineCount(bytes), "one record per car line");

    if (db.hasMakes()) {
        const CarTable before = db.cars();
        writeScratch(path, QByteArray("0\n0000,Other,Other model,1\n"));
        db.load(path);
        FUZZ_CHECK(db.cars() == before, "the first database that listed makes stays");
    }
    return 0;
}
