#include "alarm/Cp1250.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtGlobal>

#include <array>
#include <cstdint>

namespace alvetra::cp1250 {

namespace {

constexpr const char *kCodecName = "windows-1250";
constexpr char kUnencodable = 0x1A;

// The code page is one character a byte, so it is read from ICU once into two tables; opening
// an ICU converter for every conversion cost more than the conversion itself.
struct CodePage {
    std::array<char16_t, 256> characterOf{};
    QHash<char16_t, char> byteOf;   // only characters that come back as the same byte
    bool viaIcu = true;

    CodePage()
    {
        QStringDecoder decoder(kCodecName);
        QStringEncoder encoder(kCodecName);
        if (!decoder.isValid() || !encoder.isValid()) {
            // Should ICU ever be missing, Latin-1 still gets every ASCII character right.
            qWarning("Code page windows-1250 is not available; falling back to Latin-1");
            viaIcu = false;
            for (int b = 0; b < 256; ++b) {
                characterOf[b] = static_cast<char16_t>(b);
                byteOf.insert(static_cast<char16_t>(b), static_cast<char>(b));
            }
            return;
        }
        for (int b = 0; b < 256; ++b) {
            const QString decoded = decoder.decode(QByteArray(1, static_cast<char>(b)));
            characterOf[b] = decoded.size() == 1 ? decoded.at(0).unicode() : u'\uFFFD';
            const QByteArray back = encoder.encode(decoded);
            if (!encoder.hasError() && back.size() == 1 && static_cast<std::uint8_t>(back.at(0)) == b)
                byteOf.insert(characterOf[b], back.at(0));
            encoder.resetState();
            decoder.resetState();
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
        // Not in the code page: ICU decides (a substitute byte, a near letter, or nothing for an
        // ignorable mark), as it did before the tables. A pair of surrogates is one character.
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        if (page.viaIcu) {
            QStringEncoder encoder(kCodecName);
            out.append(encoder.encode(QStringView(text).mid(i, length)));
            fits = fits && !encoder.hasError();
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
