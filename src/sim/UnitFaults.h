#pragma once
// Faults the simulated unit can be told to show, each by name, with a seedable random source so
// that a failing test can be repeated exactly. Not thread-safe; the unit guards it.
//
// - no reply to chosen request codes;
// - every reply late by a fixed latency;
// - a reply damaged in one character with probability p (the program sees a check-byte error);
// - noise bytes on the line in front of a reply with probability p (never ":" or ";", so the
//   noise can delay but not cut a frame);
// - the next reply to chosen request codes lost on the line, once each (the request was
//   handled; sending it again gets its reply);
// - silence to read requests after N answered reads, until the next login;
// - silence to the reads of chosen addresses, each once, until the next login;
// - the k-th write request (counted from when the fault was set) refused;
// - the replies to chosen write requests (counted the same way) lost on the line, the write done;
// - no reply at all until a given time; no reply at all until told to resume.

#include "sim/LinePacer.h"

#include <QByteArray>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <set>

namespace alvetra::sim {

struct FaultPlan {
    std::set<std::uint8_t> unansweredCodes;     // request codes
    std::chrono::milliseconds latency{0};
    double corruptProbability = 0.0;
    double noiseProbability = 0.0;
    std::optional<int> silenceAfterReads;       // N: reads beyond the N-th are not answered
    std::set<int> readsLostOnce;                // read addresses: unanswered until the next login, once each
    std::set<std::uint8_t> repliesLostOnce;     // request codes: the next reply to each is lost
    std::optional<int> refuseWrite;             // k: the k-th write is refused (1 = the first)
    std::set<int> writeRepliesLost;             // k: the k-th write is stored, its reply lost
};

class UnitFaults {
public:
    explicit UnitFaults(std::uint32_t seed = 1) : rng_(seed) {}

    void setPlan(const FaultPlan &plan);
    const FaultPlan &plan() const { return plan_; }
    void seed(std::uint32_t seed) { rng_.seed(seed); }

    // Whole-unit silence.
    void silenceUntil(Clock::time_point until) { silentUntil_ = until; }
    void setAnswering(bool answering) { answering_ = answering; }
    bool answering() const { return answering_; }
    bool silentAt(Clock::time_point t) const { return !answering_ || t < silentUntil_; }

    bool unanswered(std::uint8_t requestCode) const { return plan_.unansweredCodes.count(requestCode) != 0; }

    // Read requests: false once the silence after N reads has begun, or while the reads of
    // `address` are being lost.
    bool answerRead(int address);
    // A login request lifts the read silence (which then stays spent).
    void loginSeen();
    bool readSilenceActive() const { return readsSilenced_; }

    // True (once per code of the plan) when the reply to `requestCode` is to be lost.
    bool loseReply(std::uint8_t requestCode) { return repliesToLose_.erase(requestCode) != 0; }

    // Counts a write request; true when this one is to be refused.
    bool refuseThisWrite();
    // After refuseThisWrite: true when the reply to the write just counted is to be lost.
    bool loseThisWriteReply() const { return plan_.writeRepliesLost.count(writesSeen_) != 0; }

    // Applies the random faults to a reply frame's text.
    QByteArray damage(QByteArray frameText);
    QByteArray noise();
    std::chrono::milliseconds latency() const { return plan_.latency; }

private:
    bool chance(double p);

    FaultPlan plan_;
    std::mt19937 rng_;
    bool answering_ = true;
    Clock::time_point silentUntil_{};
    int readsAnswered_ = 0;
    bool readsSilenced_ = false;
    bool readSilenceSpent_ = false;
    std::set<int> readsToLose_;
    std::set<int> readsLosing_;
    std::set<std::uint8_t> repliesToLose_;
    int writesSeen_ = 0;
};

} // namespace alvetra::sim
