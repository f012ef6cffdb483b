#pragma once
// One frame of the alarm protocol and its text form on the wire:
//   ":" + hex pairs of destination, length, code, source, data... + check byte + ";" + CR LF
// Every byte is two upper-case hex digits; the check byte makes 0xFF XOR all bytes equal 0.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace alvetra {

constexpr std::uint8_t kUnitAddress = 0xC5;   // the alarm unit
constexpr std::uint8_t kPcAddress = 0xE0;     // this program
constexpr std::uint8_t kReplyBit = 0x80;      // reply code = request code + 0x80

// Frame texts of 128 characters or more (14 + 2 * data bytes, CR LF included) are never sent.
constexpr int kMaxFrameTextLength = 127;
constexpr int kMaxSendableDataBytes = 56;

using Bytes = std::vector<std::uint8_t>;

struct Frame {
    std::uint8_t destination = 0;
    std::uint8_t length = 0;   // bytes from the code to the last data byte: 2 + data bytes
    std::uint8_t code = 0;
    std::uint8_t source = 0;
    Bytes data;                // received: exactly the data bytes, check byte not kept

    bool operator==(const Frame &) const = default;
};

// A frame from `source` to `destination` whose length byte matches its data.
Frame makeFrame(std::uint8_t destination, std::uint8_t code, std::uint8_t source, Bytes data = {});

// 0xFF XOR every byte of the frame (header and the first length - 2 data bytes).
std::uint8_t checkByte(const Frame &frame);

// ":" ... ";" followed by CR LF. Writes exactly length - 2 data bytes (missing ones as 00).
QByteArray encodeFrame(const Frame &frame);

// Two upper-case hex digits, high digit first.
QString byteToHex(std::uint8_t byte);

// Pairs of hex digits to bytes; a character that is no hex digit counts as 0 but keeps its place.
// `count` bytes are produced (the caller sizes it to half the text); a short text leaves zeros.
Bytes hexToBytes(const QString &text, std::size_t count);
inline Bytes hexToBytes(const QString &text) { return hexToBytes(text, static_cast<std::size_t>(text.size() / 2)); }

// The default data block of requests without data of their own: 4-byte address 0, count 0.
Bytes defaultDataBlock();

// Addressed data block: address (3 or 4 bytes, most significant first), count, then `count`
// bytes of `value`, least significant first.
Bytes addressedBlock(std::uint32_t address, std::uint8_t count, std::uint64_t value, bool threeByteAddress);

} // namespace alvetra
