#include "files/CarDatabase.h"

#include "alarm/Cp1250.h"
#include "alarm/FileError.h"
#include "files/FilesTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace alvetra {

namespace {

constexpr int kShortestCarLine = 11;

[[noreturn]] void fail() { throw FileError(texts::kCarDatabaseMissing); }

// Lines split at CR LF, LF or a lone CR, without their line ends.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    QString current;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << current;
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

bool allOf(const QString &text, bool (*accept)(QChar))
{
    for (QChar c : text)
        if (!accept(c)) return false;
    return !text.isEmpty();
}

bool isDecimalDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isHexDigit(QChar c) { return isDecimalDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

// A number field: surrounding blanks are tolerated, anything else must be digits of the base.
unsigned numberField(const QString &field, int base, unsigned maximum)
{
    const QString digits = field.trimmed();
    if (!allOf(digits, base == 16 ? isHexDigit : isDecimalDigit)) fail();
    bool ok = false;
    const unsigned value = digits.toUInt(&ok, base);
    if (!ok || value > maximum) fail();
    return value;
}

// The text before the next comma, removed with its comma from `rest`.
QString takeField(QString &rest)
{
    const int comma = rest.indexOf(u',');
    if (comma < 0) fail();
    const QString field = rest.left(comma);
    rest.remove(0, comma + 1);
    return field;
}

// A database saved in another encoding than code page 1250: a byte-order mark, or non-ASCII
// bytes that all form UTF-8 sequences. A real code page 1250 file practically never does: most
// of its letters ("ą", "ś", "ł", "Š", "ë", ...) are bytes that UTF-8 allows only inside a
// sequence. Read as code page 1250, a UTF-8 file would list garbled makes and models.
bool inAnotherEncoding(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes);   // the decoding happens on conversion to a string
    return !utf8.hasError() && !decoded.isEmpty();
}

} // namespace

CarDatabase::LoadResult CarDatabase::load(const QString &path)
{
    if (QFileInfo(path).isDir()) fail();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) fail();
    if (file.size() == 0)
        return {false, UserMessage{kCaptionInformationAlt, texts::kCarDatabaseEmpty, MessageIcon::Information}};
    if (hasMakes())
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || inAnotherEncoding(bytes)) fail();
    // A reload happens only when the last load listed no make; start its array afresh too so
    // that the array and the make list always come from the same file.
    makes_.clear();
    cars_.clear();
    parse(cp1250::decode(bytes));
    return {};
}

void CarDatabase::parse(const QString &text)
{
    const QStringList lines = splitLines(text);
    if (lines.isEmpty()) fail();
    numberField(lines.first(), 10, 255);   // the header's value is not used
    // The make list starts as if make 1 came before, so a file must begin with make 0.
    int previousMake = 1;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines.at(i).size() >= kShortestCarLine)
            previousMake = addCarLine(lines.at(i), previousMake);
    }
}

int CarDatabase::addCarLine(const QString &line, int previousMake)
{
    QString rest = line;
    CarRecord record;
    record.key = static_cast<std::uint16_t>(numberField(takeField(rest), 16, 0xFFFF));
    record.make = takeField(rest);
    record.model = takeField(rest);
    record.group = static_cast<std::uint8_t>(numberField(rest, 10, 255));
    cars_.push_back(record);
    if (record.makeNumber() != previousMake)
        makes_ << record.make;
    return record.makeNumber();
}

QStringList CarDatabase::modelsOfMake(int makePosition) const
{
    QStringList models;
    for (const CarRecord &car : cars_)
        if (car.makeNumber() == makePosition) models << car.model;
    return models;
}

std::optional<std::uint8_t> CarDatabase::groupForKey(std::uint16_t key) const
{
    std::optional<std::uint8_t> group;
    for (const CarRecord &car : cars_)
        if (car.key == key) group = car.group;
    return group;
}

CarGroupLookup CarDatabase::groupLookup() const
{
    return [this](std::uint16_t key) { return groupForKey(key); };
}

} // namespace alvetra
