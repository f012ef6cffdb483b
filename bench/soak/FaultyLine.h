#pragma once
// A transport between the program and the simulated unit that damages the line the way a long,
// badly screened cable does, and counts what it did:
//  - a frame (either direction) gets one byte replaced by a random value, with a given chance
//    per frame or per byte; a second error in the same frame could cancel the first in the
//    protocol's one-byte check, so at most one byte per frame is damaged;
//  - a reply is lost as a whole;
//  - noise bytes (outside the frame alphabet) arrive between frames.
//
// Reader side (open, waitForBytes, read, close) and writer side (write) each have their own
// random source, so the two threads never share one.

#include "link/Transport.h"

#include <QByteArray>
#include <atomic>
#include <memory>
#include <mutex>
#include <random>

namespace alvetra::soak {

struct LineFaultPlan {
    double frameErrorRate = 0.01;   // chance that a frame has a damaged byte
    double byteErrorRate = 0.0;     // or: chance per byte (then per frame 1 - (1 - p)^length)
    double replyLossRate = 0.05;
    double noiseRate = 0.10;        // chance of a noise burst (1 to 8 bytes) before a reply
};

struct LineFaultCounts {
    std::atomic<long> damagedReplies{0};
    std::atomic<long> damagedRequests{0};
    std::atomic<long> lostReplies{0};
    std::atomic<long> noiseBursts{0};
    std::atomic<long> replies{0};
    std::atomic<long> requests{0};
    std::atomic<long> refusalsDelivered{0};   // write refusals that reached the program whole
};

class FaultyLine final : public Transport {
public:
    FaultyLine(std::unique_ptr<Transport> inner, const LineFaultPlan &plan, LineFaultCounts &counts, std::uint32_t seed);

    OpenResult open() override { return inner_->open(); }
    WaitResult waitForBytes() override;
    qint64 read(char *buffer, qint64 maxBytes) override;
    qint64 write(const QByteArray &bytes) override;
    void interrupt() override { inner_->interrupt(); }
    bool close() override { return inner_->close(); }
    int lastError() const override { return inner_->lastError(); }
    QString portName() const override { return inner_->portName(); }

private:
    // Reader side: the unit's bytes, frame by frame.
    void take(char c);
    void passReply(QByteArray frame);
    // Both sides.
    bool damageOne(QByteArray &frame, std::mt19937 &random);
    static bool chance(std::mt19937 &random, double p);

    std::unique_ptr<Transport> inner_;
    LineFaultPlan plan_;
    LineFaultCounts &counts_;
    std::mt19937 readRandom_;
    std::mt19937 writeRandom_;
    QByteArray frame_;        // a reply being received, from its ":"
    QByteArray ready_;        // bytes the program may read
    bool innerLost_ = false;
};

} // namespace alvetra::soak
