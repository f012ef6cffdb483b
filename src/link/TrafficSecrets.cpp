#include "link/TrafficSecrets.h"

#include "link/FrameParser.h"
#include "link/Protocol.h"

#include <algorithm>

namespace alvetra {

namespace {

// In the text ":" DD LL CC SS data... KK ";" the first data byte's digits start here.
constexpr std::size_t kFirstDataDigit = 9;
// Read replies and write requests carry their bytes after four bytes of address and count.
constexpr std::size_t kAddressedDataStart = 4;
// Destination, length, code and source come before a frame's data.
constexpr std::size_t kHeaderBytes = 4;

SecretSpan spanOfOne(const Layout &layout)
{
    const int first = std::min({layout.programmingCode, layout.antiHijackCode, layout.antiTheftCode,
                                layout.emergencyCode, layout.pcPassword});
    const int end = std::max({layout.programmingCode + 2, layout.antiHijackCode + 2, layout.antiTheftCode + 2,
                              layout.emergencyCode + 2, layout.pcPassword + 4});
    return {first, end};
}

// A frame's digits are upper-case, as the parser takes them.
bool isFrameDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool isAnyHexDigit(char c)
{
    return isFrameDigit(c) || (c >= 'a' && c <= 'f');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

// The image address of each data byte of a read reply or a write request; nothing otherwise.
std::optional<int> addressOfData(const Frame &frame)
{
    const bool readReply = frame.code == reply::to(request::kRead);
    const bool writeRequest = frame.code == request::kWrite;
    if ((!readReply && !writeRequest) || frame.data.size() < kAddressedDataStart)
        return std::nullopt;
    // A read reply: address 00 00 count; a write: 00 00 address count.
    return readReply ? frame.data[0] : frame.data[2];
}

} // namespace

SecretSpan secretSpanOf(const Layout &layout)
{
    if (!layout.isEmpty())
        return spanOfOne(layout);
    const SecretSpan a = spanOfOne(kLayoutA);
    const SecretSpan b = spanOfOne(kLayoutB);
    return {std::min(a.first, b.first), std::max(a.end, b.end)};
}

std::vector<bool> secretData(const Frame &frame, SecretSpan span)
{
    std::vector<bool> secret(frame.data.size(), false);
    if (frame.code == request::kLogin) {
        // The length byte, then the password's characters.
        std::fill(secret.begin() + std::min<std::ptrdiff_t>(1, std::ptrdiff_t(secret.size())), secret.end(), true);
        return secret;
    }
    const std::optional<int> address = addressOfData(frame);
    if (!address)
        return secret;
    for (std::size_t i = kAddressedDataStart; i < secret.size(); ++i)
        secret[i] = span.contains(*address + int(i - kAddressedDataStart));
    return secret;
}

std::string maskedFrameText(const std::string &text, const Frame &frame, SecretSpan span)
{
    const std::vector<bool> secret = secretData(frame, span);
    if (std::find(secret.begin(), secret.end(), true) == secret.end())
        return text;
    // The frame as the parser takes it: from the last ":" before the first ";" to that ";", with
    // only its digits; whatever else the text holds is no part of it and is left out.
    const std::size_t end = text.find(';');
    const std::size_t start = end == std::string::npos ? std::string::npos : text.rfind(':', end);
    if (start == std::string::npos)
        return maskedUnparsedText(text, true);
    // Byte by byte: destination, length, code and source, the data, then the check byte.
    const std::size_t checkByte = kHeaderBytes + secret.size();
    std::string masked(1, ':');
    std::size_t digits = 0;
    for (std::size_t i = start + 1; i < end; ++i) {
        if (!isFrameDigit(text[i]))
            continue;
        const std::size_t byte = digits++ / 2;
        const bool secretByte = byte >= kHeaderBytes && byte < checkByte && secret[byte - kHeaderBytes];
        masked.push_back(secretByte || byte == checkByte ? '*' : text[i]);
    }
    masked.push_back(';');
    return masked;
}

std::string maskedUnparsedText(const std::string &text, bool frameStart)
{
    std::string masked = text;
    const std::size_t from = frameStart && !text.empty() && text.front() == ':' ? kFirstDataDigit : 0;
    for (std::size_t i = from; i < masked.size(); ++i) {
        if (isAnyHexDigit(masked[i]))
            masked[i] = '*';
    }
    return masked;
}

std::optional<ReplayFrame> frameWithMasks(const QByteArray &recorded)
{
    // As the parser does, characters outside the frame's alphabet (and the mask) are left out.
    QByteArray text;
    for (const char c : recorded) {
        if (isFrameDigit(c) || c == ':' || c == ';' || c == '*')
            text.append(c);
    }
    if (!text.contains('*')) {
        FrameParser parser;
        const FrameParser::Result result = parser.feed(text);
        if (result.frames.size() != 1 || result.rejected != 0)
            return std::nullopt;
        return ReplayFrame{result.frames.front(), std::vector<bool>(result.frames.front().data.size(), false)};
    }
    // ":" pairs ";" with at least the header and the check byte; "**" stands for a masked byte.
    if (text.size() < 13 || text.front() != ':' || text.back() != ';' || text.size() % 2 != 0)
        return std::nullopt;
    Bytes bytes;
    std::vector<bool> masked;
    for (qsizetype i = 1; i + 1 < text.size() - 1; i += 2) {
        const char high = text[i];
        const char low = text[i + 1];
        if (high == '*' && low == '*') {
            bytes.push_back(kMaskByte);
            masked.push_back(true);
        } else if (isFrameDigit(high) && isFrameDigit(low)) {
            bytes.push_back(static_cast<std::uint8_t>(hexValue(high) << 4 | hexValue(low)));
            masked.push_back(false);
        } else {
            return std::nullopt;
        }
    }
    // Destination, length, code, source, the data, and the check byte last (made anew). The
    // length byte stays as recorded, also one that disagrees with the data, as the parser keeps it.
    if (masked[0] || masked[1] || masked[2] || masked[3])
        return std::nullopt;
    Frame frame;
    frame.destination = bytes[0];
    frame.length = bytes[1];
    frame.code = bytes[2];
    frame.source = bytes[3];
    frame.data.assign(bytes.begin() + 4, bytes.end() - 1);
    return ReplayFrame{std::move(frame), std::vector<bool>(masked.begin() + 4, masked.end() - 1)};
}

} // namespace alvetra
