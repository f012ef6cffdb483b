#pragma once
// What the unit's replies leave behind: one flag per reply code, the write-accepted and access
// flags, the learned count, the time counter, the status bytes and the identification texts.
//
// Written by the reader thread, read by the UI thread. A reply's data are stored first (relaxed),
// its flag last with release; a waiting UI thread loads the flag with acquire and then sees the
// data. Texts are guarded by a mutex.

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

namespace alvetra {

enum class ReplyFlag {
    Login,            // 0x81
    Read,             // 0x82
    Write,            // 0x83
    WriteAccepted,    // 0x83 whose first data byte is not 1
    FirstId,          // 0x86
    SecondId,         // 0x87
    Status,           // 0x88
    Learning,         // 0x89 that is not "still learning" (5)
    Confirmation,     // 0x8C
    CanConfirmation,  // 0x8D
    Count
};

enum class IdentificationText { First, Second, Login, Count };

class ReplyState {
public:
    ReplyState() { reset(); }
    ReplyState(const ReplyState &) = delete;
    ReplyState &operator=(const ReplyState &) = delete;

    // The values a new reader thread starts with.
    void reset();

    // The flag a transaction of `requestCode` waits for; none for the requests the unit never
    // answers (block keeping, disconnect), whose waits must leave other transactions' flags alone.
    static std::optional<ReplyFlag> flagForRequest(std::uint8_t requestCode);

    bool isRaised(ReplyFlag flag) const { return flagRef(flag).load(std::memory_order_acquire); }
    void setFlag(ReplyFlag flag, bool value) { flagRef(flag).store(value, std::memory_order_release); }
    void raise(ReplyFlag flag) { setFlag(flag, true); }
    void lower(ReplyFlag flag) { setFlag(flag, false); }
    // For waits that watch a flag directly (delay's stop flags).
    const std::atomic<bool> &flag(ReplyFlag flag) const { return flagRef(flag); }

    // Bits 0 to 4 of the latest login reply's access byte.
    std::uint8_t accessFlags() const { return accessFlags_.load(std::memory_order_relaxed); }
    void setAccessFlags(std::uint8_t bits) { accessFlags_.store(bits & 0x1F, std::memory_order_relaxed); }

    // The block the outstanding read asked for: a read reply counts only when it names this
    // address and count. Set by the UI thread before the request leaves (release), looked at by
    // the reader thread (acquire); nullopt while no read is outstanding.
    struct ReadBlock {
        std::uint8_t address;
        std::uint8_t count;
        bool operator==(const ReadBlock &) const = default;
    };
    void expectRead(std::optional<ReadBlock> block);
    std::optional<ReadBlock> expectedRead() const;

    std::uint8_t learnedCount() const { return learnedCount_.load(std::memory_order_relaxed); }
    void setLearnedCount(std::uint8_t count) { learnedCount_.store(count, std::memory_order_relaxed); }

    // The unit's 24-bit minute counter from the latest login reply.
    std::uint32_t timeCounter() const { return timeCounter_.load(std::memory_order_relaxed); }
    void setTimeCounter(std::uint32_t value) { timeCounter_.store(value & 0xFFFFFF, std::memory_order_relaxed); }

    std::array<std::uint8_t, 4> statusBytes() const;
    void setStatusBytes(const std::array<std::uint8_t, 4> &bytes);

    QString identificationText(IdentificationText which) const;
    void setIdentificationText(IdentificationText which, const QString &text);

private:
    std::atomic<bool> &flagRef(ReplyFlag flag) { return flags_[static_cast<std::size_t>(flag)]; }
    const std::atomic<bool> &flagRef(ReplyFlag flag) const { return flags_[static_cast<std::size_t>(flag)]; }

    std::array<std::atomic<bool>, static_cast<std::size_t>(ReplyFlag::Count)> flags_;
    std::atomic<std::uint32_t> expectedRead_{0};   // kReadOutstanding | address << 8 | count
    std::atomic<std::uint8_t> accessFlags_{0};
    std::atomic<std::uint8_t> learnedCount_{0};
    std::atomic<std::uint32_t> timeCounter_{0};
    std::array<std::atomic<std::uint8_t>, 4> statusBytes_;

    mutable std::mutex textMutex_;
    std::array<QString, static_cast<std::size_t>(IdentificationText::Count)> texts_;
};

} // namespace alvetra
