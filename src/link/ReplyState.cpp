#include "link/ReplyState.h"

namespace alvetra {

void ReplyState::reset()
{
    // Flags of requests that nothing has waited for yet start raised, as a new reader thread
    // has them; every transaction lowers its flag before it sends.
    const bool initiallyRaised[] = {
        true,    // Login
        false,   // Read
        true,    // Write
        false,   // WriteAccepted
        true,    // FirstId
        true,    // SecondId
        true,    // Status
        false,   // Learning
        false,   // Confirmation
        false,   // CanConfirmation
    };
    static_assert(std::size(initiallyRaised) == static_cast<std::size_t>(ReplyFlag::Count));
    expectRead(std::nullopt);
    setAccessFlags(0);
    setLearnedCount(0);
    setTimeCounter(0);
    setStatusBytes({0, 0, 0, 0});
    {
        std::lock_guard lock(textMutex_);
        for (QString &text : texts_)
            text.clear();
    }
    for (std::size_t i = 0; i < flags_.size(); ++i)
        flags_[i].store(initiallyRaised[i], std::memory_order_release);
}

std::optional<ReplyFlag> ReplyState::flagForRequest(std::uint8_t requestCode)
{
    switch (requestCode) {
    case 0x01: return ReplyFlag::Login;
    case 0x02: return ReplyFlag::Read;
    case 0x03: return ReplyFlag::Write;
    case 0x06: return ReplyFlag::FirstId;
    case 0x07: return ReplyFlag::SecondId;
    case 0x08: return ReplyFlag::Status;
    case 0x09: return ReplyFlag::Learning;
    case 0x0C: return ReplyFlag::Confirmation;
    case 0x0D: return ReplyFlag::CanConfirmation;
    default: return std::nullopt;
    }
}

namespace {
constexpr std::uint32_t kReadOutstanding = 0x10000;
} // namespace

void ReplyState::expectRead(std::optional<ReadBlock> block)
{
    expectedRead_.store(block ? kReadOutstanding | std::uint32_t(block->address) << 8 | block->count : 0,
                        std::memory_order_release);
}

std::optional<ReplyState::ReadBlock> ReplyState::expectedRead() const
{
    const std::uint32_t packed = expectedRead_.load(std::memory_order_acquire);
    if (!(packed & kReadOutstanding))
        return std::nullopt;
    return ReadBlock{static_cast<std::uint8_t>(packed >> 8), static_cast<std::uint8_t>(packed)};
}

std::array<std::uint8_t, 4> ReplyState::statusBytes() const
{
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = statusBytes_[i].load(std::memory_order_relaxed);
    return bytes;
}

void ReplyState::setStatusBytes(const std::array<std::uint8_t, 4> &bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        statusBytes_[i].store(bytes[i], std::memory_order_relaxed);
}

QString ReplyState::identificationText(IdentificationText which) const
{
    std::lock_guard lock(textMutex_);
    return texts_[static_cast<std::size_t>(which)];
}

void ReplyState::setIdentificationText(IdentificationText which, const QString &text)
{
    std::lock_guard lock(textMutex_);
    texts_[static_cast<std::size_t>(which)] = text;
}

} // namespace alvetra
