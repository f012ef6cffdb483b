#include "link/FrameDecoder.h"

#include "alarm/Cp1250.h"
#include "link/FrameParser.h"
#include "link/Protocol.h"

#include <QStringList>

#include <algorithm>

namespace alvetra {

namespace {

// Bytes from `from` on, or none when there are fewer.
Bytes tail(const Bytes &data, std::size_t from)
{
    return data.size() > from ? Bytes(data.begin() + static_cast<std::ptrdiff_t>(from), data.end()) : Bytes();
}

// The bytes as text when every one of them is printable; empty otherwise.
QString printable(const Bytes &bytes)
{
    if (bytes.empty() || !std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b >= 0x20 && b != 0x7F; }))
        return {};
    return cp1250::decode(QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

bool isDefaultBlock(const Bytes &data)
{
    return data == defaultDataBlock();
}

// Each split returns where `bytes` begin in the data.
std::size_t splitRequest(FrameMeaning &m, const Bytes &data)
{
    switch (m.request) {
    case request::kLogin:
        // Length byte, then the password's characters.
        m.text = printable(tail(data, 1));
        m.secretText = !m.text.isEmpty();
        m.bytes = m.text.isEmpty() ? data : Bytes(data.begin(), data.begin() + 1);
        return 0;
    case request::kRead:
    case request::kWrite:
        // 00 00 address count [bytes]
        if (data.size() < 4) {
            m.bytes = data;
            return 0;
        }
        m.address = data[2];
        m.count = data[3];
        m.bytes = tail(data, 4);
        return 4;
    default:
        if (!isDefaultBlock(data))
            m.bytes = data;
        return 0;
    }
}

std::size_t splitReply(FrameMeaning &m, const Bytes &data)
{
    switch (m.request) {
    case request::kLogin: {
        // Identification text, then access, spare and the 3 bytes of the minute counter.
        const std::size_t textSize = data.size() >= 5 ? data.size() - 5 : 0;
        m.text = printable(Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(textSize)));
        m.bytes = m.text.isEmpty() ? data : tail(data, textSize);
        return m.text.isEmpty() ? 0 : textSize;
    }
    case request::kRead:
        // address 00 00 count, then the bytes
        if (data.size() < 4) {
            m.bytes = data;
            return 0;
        }
        m.address = data[0];
        m.count = data[3];
        m.bytes = tail(data, 4);
        return 4;
    case request::kIdentifyFirst:
    case request::kIdentifySecond:
        m.text = printable(data);
        if (m.text.isEmpty())
            m.bytes = data;
        return 0;
    default:
        m.bytes = data;
        return 0;
    }
}

} // namespace

QString requestName(std::uint8_t code)
{
    switch (code) {
    case request::kLogin: return QStringLiteral("login");
    case request::kRead: return QStringLiteral("read");
    case request::kWrite: return QStringLiteral("write");
    case request::kIdentifyFirst: return QStringLiteral("identify-1");
    case request::kIdentifySecond: return QStringLiteral("identify-2");
    case request::kStatus: return QStringLiteral("status");
    case request::kLearning: return QStringLiteral("learning");
    case request::kBlockKeeping: return QStringLiteral("block-keeping");
    case request::kDisconnect: return QStringLiteral("disconnect");
    case request::kConfirm: return QStringLiteral("confirm");
    case request::kConfirmCan: return QStringLiteral("confirm-can");
    default: return QStringLiteral("unknown");
    }
}

QString bytesToHex(const Bytes &bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size() * 3));
    for (std::uint8_t b : bytes) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += byteToHex(b);
    }
    return out;
}

FrameMeaning decodeFrame(const Frame &frame, SecretSpan secrets)
{
    FrameMeaning m;
    m.valid = true;
    m.frame = frame;
    m.reply = (frame.code & kReplyBit) != 0;
    m.request = frame.code & static_cast<std::uint8_t>(~kReplyBit);
    m.name = requestName(m.request);
    const std::size_t bytesFrom = m.reply ? splitReply(m, frame.data) : splitRequest(m, frame.data);
    const std::vector<bool> secret = secretData(frame, secrets);
    m.secretBytes.resize(m.bytes.size(), false);
    for (std::size_t i = 0; i < m.bytes.size() && bytesFrom + i < secret.size(); ++i)
        m.secretBytes[i] = secret[bytesFrom + i];
    return m;
}

FrameMeaning decodeFrameText(const QByteArray &text, SecretSpan secrets)
{
    FrameParser parser;
    const FrameParser::Result result = parser.feed(text);
    if (result.frames.size() != 1 || result.rejected != 0)
        return {};
    return decodeFrame(result.frames.front(), secrets);
}

QString FrameMeaning::dataHex(bool withSecrets) const
{
    if (withSecrets || std::find(secretBytes.begin(), secretBytes.end(), true) == secretBytes.end())
        return bytesToHex(bytes);
    QStringList pairs;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        pairs << (i < secretBytes.size() && secretBytes[i] ? QStringLiteral("**") : byteToHex(bytes[i]));
    return pairs.join(QLatin1Char(' '));
}

QString FrameMeaning::shownText(bool withSecrets) const
{
    return secretText && !withSecrets ? QString(text.size(), QLatin1Char('*')) : text;
}

} // namespace alvetra
