#include "FaultyLine.h"

#include <cmath>

namespace alvetra::soak {

FaultyLine::FaultyLine(std::unique_ptr<Transport> inner, const LineFaultPlan &plan, LineFaultCounts &counts,
                       std::uint32_t seed)
    : inner_(std::move(inner)), plan_(plan), counts_(counts), readRandom_(seed), writeRandom_(seed ^ 0x9E3779B9u)
{
}

bool FaultyLine::chance(std::mt19937 &random, double p)
{
    return p > 0 && std::uniform_real_distribution<double>(0.0, 1.0)(random) < p;
}

bool FaultyLine::damageOne(QByteArray &frame, std::mt19937 &random)
{
    const double p = plan_.byteErrorRate > 0 ? 1.0 - std::pow(1.0 - plan_.byteErrorRate, double(frame.size()))
                                             : plan_.frameErrorRate;
    if (frame.isEmpty() || !chance(random, p))
        return false;
    const qsizetype at = std::uniform_int_distribution<qsizetype>(0, frame.size() - 1)(random);
    // Any other byte value, ":" and ";" included: a damaged frame may also be cut or restarted.
    const int change = std::uniform_int_distribution<int>(1, 255)(random);
    frame[at] = static_cast<char>((static_cast<unsigned char>(frame[at]) + change) & 0xFF);
    return true;
}

Transport::WaitResult FaultyLine::waitForBytes()
{
    if (!ready_.isEmpty())
        return WaitResult::BytesReady;
    return inner_->waitForBytes();
}

void FaultyLine::passReply(QByteArray frame)
{
    counts_.replies++;
    if (chance(readRandom_, plan_.replyLossRate)) {
        counts_.lostReplies++;
        return;
    }
    if (chance(readRandom_, plan_.noiseRate)) {
        counts_.noiseBursts++;
        static const char noise[] = "\x00\x01\x7F\x80\xFF xyz\r\n\t#!?GHZ";
        const int length = std::uniform_int_distribution<int>(1, 8)(readRandom_);
        for (int i = 0; i < length; ++i)
            ready_.append(noise[std::uniform_int_distribution<int>(0, int(sizeof noise) - 2)(readRandom_)]);
    }
    if (damageOne(frame, readRandom_))
        counts_.damagedReplies++;
    // A write's reply with the refusal byte: the program learns of the refusal (one that is
    // lost or damaged looks like no reply, and the group may be written again).
    else if (frame.startsWith(":E00383C501"))
        counts_.refusalsDelivered++;
    ready_.append(frame);
}

void FaultyLine::take(char c)
{
    if (c == ':') {
        if (!frame_.isEmpty())
            ready_.append(frame_);   // a start without an end: passed on as it came
        frame_ = QByteArray(1, c);
        return;
    }
    if (frame_.isEmpty()) {
        ready_.append(c);            // line ends between frames
        return;
    }
    frame_.append(c);
    if (c == ';')
        passReply(std::exchange(frame_, QByteArray()));
}

qint64 FaultyLine::read(char *buffer, qint64 maxBytes)
{
    if (ready_.isEmpty() && !innerLost_) {
        char incoming[256];
        const qint64 n = inner_->read(incoming, sizeof incoming);
        if (n < 0)
            innerLost_ = true;
        for (qint64 i = 0; i < n; ++i)
            take(incoming[i]);
    }
    if (ready_.isEmpty())
        return innerLost_ ? -1 : 0;
    const qint64 n = std::min<qint64>(maxBytes, ready_.size());
    std::copy_n(ready_.constData(), n, buffer);
    ready_.remove(0, n);
    return n;
}

qint64 FaultyLine::write(const QByteArray &bytes)
{
    counts_.requests++;
    QByteArray damaged = bytes;
    // The frame without its CR LF.
    const qsizetype end = damaged.lastIndexOf(';');
    QByteArray frame = damaged.left(end + 1);
    if (damageOne(frame, writeRandom_)) {
        counts_.damagedRequests++;
        damaged.replace(0, frame.size(), frame);
    }
    const qint64 written = inner_->write(damaged);
    return written == damaged.size() ? bytes.size() : written;
}

} // namespace alvetra::soak
