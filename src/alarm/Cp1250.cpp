#include "Cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtGlobal>

namespace alvetra::cp1250 {

namespace {

constexpr const char *kCodecName = "windows-1250";

// Qt reaches the code page through ICU. Should that ever be missing, say so once and fall back
// to Latin-1, which still gets every ASCII character right.
bool codecAvailable()
{
    static const bool available = [] {
        const bool valid = QStringEncoder(kCodecName).isValid() && QStringDecoder(kCodecName).isValid();
        if (!valid)
            qWarning("Code page windows-1250 is not available; falling back to Latin-1");
        return valid;
    }();
    return available;
}

} // namespace

QByteArray encode(const QString &text, bool *ok)
{
    if (!codecAvailable()) {
        QByteArray out = text.toLatin1();
        bool fits = true;
        for (int i = 0; i < text.size(); ++i) {
            if (text.at(i).unicode() > 0xFF) {
                out[i] = 0x1A;
                fits = false;
            }
        }
        if (ok) *ok = fits;
        return out;
    }
    QStringEncoder encoder(kCodecName);
    QByteArray out = encoder.encode(text);
    if (ok) *ok = !encoder.hasError();
    return out;
}

QString decode(const QByteArray &bytes)
{
    if (!codecAvailable())
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(kCodecName);
    return decoder.decode(bytes);
}

} // namespace alvetra::cp1250
