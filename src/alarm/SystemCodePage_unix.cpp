// Code page 1250 from ICU, through Qt's string converters. Each conversion has a converter of
// its own: a converter's error stays set after resetState().

#include "alarm/SystemCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace alvetra::cp1250::system {

namespace {
constexpr const char *kCodecName = "windows-1250";
}

bool available()
{
    return QStringDecoder(kCodecName).isValid() && QStringEncoder(kCodecName).isValid();
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodecName);
    return decoder.decode(bytes);
}

QByteArray encode(QStringView text, bool *fits)
{
    QStringEncoder encoder(kCodecName);
    const QByteArray bytes = encoder.encode(text);
    *fits = !encoder.hasError();
    return bytes;
}

} // namespace alvetra::cp1250::system
