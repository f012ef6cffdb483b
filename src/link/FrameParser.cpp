#include "link/FrameParser.h"

namespace alvetra {

namespace {

// A text that never gets its ";" (a lost end of frame followed by noise) must not grow forever.
constexpr qsizetype kMaxPendingText = 4096;

// Destination, length, code, source and the check byte: two digits each.
constexpr qsizetype kShortestFrameText = 10;

bool inFrameAlphabet(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == ':' || c == ';';
}

// Up to two characters as a hex number; anything that is not a number (or nothing) gives 0.
std::uint8_t takePair(const QByteArray &text, qsizetype &pos)
{
    const QByteArray pair = text.mid(pos, 2);
    pos += pair.size();
    bool ok = false;
    const int value = pair.toInt(&ok, 16);
    return ok ? static_cast<std::uint8_t>(value) : 0;
}

} // namespace

FrameParser::Result FrameParser::feed(const char *bytes, std::size_t count)
{
    filter(bytes, count);
    Result result;
    const std::vector<Cut> pieces = cut();
    if (witness_ && !noise_.isEmpty()) {
        tell(Seen::Noise, noise_);
        noise_.clear();
    }
    for (const Cut &piece : pieces) {
        Frame frame;
        const bool good = !piece.damaged && decode(piece.text, frame);
        if (witness_)
            tell(good ? Seen::Frame : Seen::Damaged, piece.damaged ? ':' + piece.text : ':' + piece.text + ';');
        if (good) {
            result.frames.push_back(std::move(frame));
        } else {
            ++result.rejected;
            if (checksumErrors_ < 0xFFFF)
                ++checksumErrors_;
        }
    }
    return result;
}

void FrameParser::filter(const char *bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (inFrameAlphabet(bytes[i]))
            accumulator_.append(bytes[i]);
        else if (witness_ && bytes[i] != '\r' && bytes[i] != '\n')
            noise_.append(bytes[i]);
    }
}

void FrameParser::tell(Seen what, const QByteArray &text) const
{
    witness_(what, text.constData(), static_cast<std::size_t>(text.size()));
}

void FrameParser::noise(const char *bytes, std::size_t size)
{
    if (witness_)
        noise_.append(bytes, static_cast<qsizetype>(size));
}

std::vector<FrameParser::Cut> FrameParser::cut()
{
    std::vector<Cut> texts;
    for (;;) {
        const qsizetype start = accumulator_.indexOf(':');
        const qsizetype end = accumulator_.indexOf(';');
        if (end >= 0 && (start < 0 || end < start)) {
            // The tail of a frame whose start we never saw: drop it with its ";".
            noise(accumulator_.constData(), static_cast<std::size_t>(end + 1));
            accumulator_.remove(0, end + 1);
            continue;
        }
        if (start < 0) {
            // Digits between frames can never become part of one.
            noise(accumulator_.constData(), static_cast<std::size_t>(accumulator_.size()));
            accumulator_.clear();
            break;
        }
        if (end < 0) {
            noise(accumulator_.constData(), static_cast<std::size_t>(start));
            accumulator_.remove(0, start);
            if (accumulator_.size() > kMaxPendingText) {
                // No frame is that long: keep at most the newest start of frame.
                const qsizetype newest = accumulator_.lastIndexOf(':');
                const qsizetype dropped = newest > 0 ? newest : accumulator_.size();
                noise(accumulator_.constData(), static_cast<std::size_t>(dropped));
                accumulator_.remove(0, dropped);
            }
            break;
        }
        // A second ":" before the ";" means the earlier frame lost its end: it is one damaged
        // frame, and the text from the last ":" is still a frame of its own.
        noise(accumulator_.constData(), static_cast<std::size_t>(start));
        const qsizetype last = accumulator_.lastIndexOf(':', end);
        if (last > start)
            texts.push_back({witness_ ? accumulator_.mid(start + 1, last - start - 1) : QByteArray(), true});
        texts.push_back({accumulator_.mid(last + 1, end - last - 1), false});
        accumulator_.remove(0, end + 1);
    }
    return texts;
}

bool FrameParser::decode(const QByteArray &text, Frame &frame)
{
    // Only whole pairs of digits make a frame, at least the header and the check byte. A text
    // with a missing digit could otherwise pass the check by chance and deliver bytes that were
    // never sent.
    if (text.size() < kShortestFrameText || text.size() % 2 != 0)
        return false;
    qsizetype pos = 0;
    std::uint8_t check = 0xFF;
    std::uint8_t *header[] = {&frame.destination, &frame.length, &frame.code, &frame.source};
    for (std::uint8_t *field : header) {
        *field = takePair(text, pos);
        check ^= *field;
    }
    do {
        const std::uint8_t value = takePair(text, pos);
        if (pos < text.size())
            frame.data.push_back(value);
        check ^= value;
    } while (pos < text.size());
    return check == 0;
}

} // namespace alvetra
