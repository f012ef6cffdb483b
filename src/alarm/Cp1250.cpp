#include "alarm/Cp1250.h"

#include "alarm/SystemCodePage.h"

#include <QHash>
#include <QtGlobal>

#include <array>
#include <cstdint>

namespace alvetra::cp1250 {

namespace {

constexpr char kUnencodable = 0x1A;

// The code page is one character a byte, so it is read from the system's converter once into
// two tables; opening a converter for every conversion cost more than the conversion itself.
struct CodePage {
    std::array<char16_t, 256> characterOf{};
    QHash<char16_t, char> byteOf;   // only characters that come back as the same byte
    bool viaSystem = true;

    CodePage()
    {
        if (!system::available()) {
            // Should the system lack the code page, Latin-1 still gets every ASCII character right.
            qWarning("Code page windows-1250 is not available; falling back to Latin-1");
            viaSystem = false;
            for (int b = 0; b < 256; ++b) {
                characterOf[b] = static_cast<char16_t>(b);
                byteOf.insert(static_cast<char16_t>(b), static_cast<char>(b));
            }
            return;
        }
        for (int b = 0; b < 256; ++b) {
            const QString decoded = system::decode(QByteArray(1, static_cast<char>(b)));
            characterOf[b] = decoded.size() == 1 ? decoded.at(0).unicode() : u'\uFFFD';
            bool fits = false;
            const QByteArray back = system::encode(decoded, &fits);
            if (fits && back.size() == 1 && static_cast<std::uint8_t>(back.at(0)) == b)
                byteOf.insert(characterOf[b], back.at(0));
        }
    }
};

const CodePage &codePage()
{
    static const CodePage page;
    return page;
}

} // namespace

QByteArray encode(const QString &text, bool *ok)
{
    const CodePage &page = codePage();
    QByteArray out;
    out.reserve(text.size());
    bool fits = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const auto found = c.isSurrogate() ? page.byteOf.cend() : page.byteOf.constFind(c.unicode());
        if (found != page.byteOf.cend()) {
            out.append(*found);
            continue;
        }
        // Not in the code page: the system decides (a substitute byte, a near letter, or nothing
        // for an ignorable mark), as it did before the tables. A pair of surrogates is one
        // character.
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        if (page.viaSystem) {
            bool charFits = false;
            const QByteArray bytes = system::encode(QStringView(text).mid(i, length), &charFits);
            // At most one substitute for one character, whatever the system puts for a pair.
            out.append(!charFits && bytes.size() > 1 ? QByteArray(1, kUnencodable) : bytes);
            fits = fits && charFits;
        } else {
            out.append(kUnencodable);
            fits = false;
        }
        i += length - 1;
    }
    if (ok) *ok = fits;
    return out;
}

QString decode(const QByteArray &bytes)
{
    const CodePage &page = codePage();
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(page.characterOf[static_cast<std::uint8_t>(bytes.at(i))]);
    return out;
}

} // namespace alvetra::cp1250
