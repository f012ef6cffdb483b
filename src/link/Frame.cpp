#include "link/Frame.h"

namespace alvetra {

Frame makeFrame(std::uint8_t destination, std::uint8_t code, std::uint8_t source, Bytes data)
{
    Frame frame;
    frame.destination = destination;
    frame.length = static_cast<std::uint8_t>(data.size() + 2);
    frame.code = code;
    frame.source = source;
    frame.data = std::move(data);
    return frame;
}

static std::uint8_t dataByte(const Frame &frame, std::size_t i)
{
    return i < frame.data.size() ? frame.data[i] : 0;
}

static std::size_t encodedDataCount(const Frame &frame)
{
    return frame.length >= 2 ? frame.length - 2u : 0u;
}

std::uint8_t checkByte(const Frame &frame)
{
    std::uint8_t check = 0xFF ^ frame.destination ^ frame.length ^ frame.code ^ frame.source;
    for (std::size_t i = 0; i < encodedDataCount(frame); ++i)
        check ^= dataByte(frame, i);
    return check;
}

static void appendHex(QByteArray &out, std::uint8_t byte)
{
    static const char digits[] = "0123456789ABCDEF";
    out.append(digits[byte >> 4]);
    out.append(digits[byte & 0x0F]);
}

QByteArray encodeFrame(const Frame &frame)
{
    QByteArray text;
    text.reserve(14 + 2 * static_cast<int>(encodedDataCount(frame)));
    text.append(':');
    appendHex(text, frame.destination);
    appendHex(text, frame.length);
    appendHex(text, frame.code);
    appendHex(text, frame.source);
    for (std::size_t i = 0; i < encodedDataCount(frame); ++i)
        appendHex(text, dataByte(frame, i));
    appendHex(text, checkByte(frame));
    text.append(";\r\n");
    return text;
}

QString byteToHex(std::uint8_t byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

static int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    return 0;
}

Bytes hexToBytes(const QString &text, std::size_t count)
{
    Bytes out(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const qsizetype high = static_cast<qsizetype>(2 * i);
        const int hi = high < text.size() ? hexDigitValue(text[high]) : 0;
        const int lo = high + 1 < text.size() ? hexDigitValue(text[high + 1]) : 0;
        out[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return out;
}

Bytes defaultDataBlock()
{
    return addressedBlock(0, 0, 0, false);
}

Bytes addressedBlock(std::uint32_t address, std::uint8_t count, std::uint64_t value, bool threeByteAddress)
{
    Bytes data;
    if (!threeByteAddress)
        data.push_back(static_cast<std::uint8_t>(address >> 24));
    data.push_back(static_cast<std::uint8_t>(address >> 16));
    data.push_back(static_cast<std::uint8_t>(address >> 8));
    data.push_back(static_cast<std::uint8_t>(address));
    data.push_back(count);
    for (unsigned j = 0; j < count; ++j)
        data.push_back(j < 8 ? static_cast<std::uint8_t>(value >> (8 * j)) : 0);
    return data;
}

} // namespace alvetra
