#pragma once
// The wire text of a frame exactly as it was received.

#include "link/Frame.h"

#include <QByteArray>

namespace alvetra::fuzz {

// ":" + every byte of the frame as it was received (all data bytes, whatever the length byte
// says) + the check byte that makes it valid + ";". A frame the parser accepted must have come
// from exactly this text.
inline QByteArray wireText(const Frame &frame)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray text(":");
    std::uint8_t check = 0xFF;
    auto put = [&](std::uint8_t b) {
        text.append(digits[b >> 4]);
        text.append(digits[b & 0x0F]);
        check ^= b;
    };
    put(frame.destination);
    put(frame.length);
    put(frame.code);
    put(frame.source);
    for (std::uint8_t b : frame.data) put(b);
    const std::uint8_t last = check;
    text.append(digits[last >> 4]);
    text.append(digits[last & 0x0F]);
    text.append(';');
    return text;
}

} // namespace alvetra::fuzz
