#include "alarm/CodeWord.h"

#include <algorithm>

namespace alvetra {

namespace {
constexpr QChar kLongPress = u'D';
constexpr QChar kShortPress = u'K';
constexpr std::uint16_t kPressBitsMask = (1u << kCodePressBits) - 1;
} // namespace

std::uint16_t encodeCode(const QString &text)
{
    const int presses = std::min<int>(text.size(), kMaxCodePresses);
    std::uint32_t bits = 0;
    std::uint32_t bit = 1;
    for (int i = text.size() - 1; i >= 0 && bit <= kPressBitsMask; --i, bit <<= 1) {
        if (text.at(i) == kLongPress)
            bits |= bit;
    }
    return static_cast<std::uint16_t>(presses << kCodePressBits | bits);
}

QString decodeCode(std::uint16_t word)
{
    const int presses = word >> kCodePressBits;
    const std::uint16_t bits = word & kPressBitsMask;
    QString text;
    text.reserve(presses);
    for (int i = 0; i < presses; ++i) {
        const bool isLong = i < kCodePressBits && (bits >> i & 1u);
        text.prepend(isLong ? kLongPress : kShortPress);
    }
    return text;
}

} // namespace alvetra
