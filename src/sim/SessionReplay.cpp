#include "sim/SessionReplay.h"

#include "link/TrafficSecrets.h"

#include <algorithm>

namespace alvetra::sim {

namespace {

// A reply as the line carries it: a frame (masked bytes read as kMaskByte) with CR LF; noise,
// a damaged text or a frame that lost its end as it was recorded.
QByteArray replyWire(const QByteArray &recorded)
{
    if (!recorded.startsWith(':') || !recorded.endsWith(';'))
        return recorded;
    if (!recorded.contains('*'))
        return recorded + "\r\n";
    const std::optional<ReplayFrame> frame = frameWithMasks(recorded);
    return frame ? encodeFrame(frame->frame) : recorded + "\r\n";
}

} // namespace

bool SessionReplay::Exchange::matches(const Frame &other) const
{
    if (request.code != other.code || request.data.size() != other.data.size())
        return false;
    // A masked byte (a password or a code) stands for whatever the program sends there.
    for (std::size_t i = 0; i < other.data.size(); ++i) {
        if (!masked[i] && request.data[i] != other.data[i])
            return false;
    }
    return true;
}

SessionReplay::SessionReplay(const TrafficLogContents &log)
{
    for (const TrafficRecord &record : log.records) {
        if (record.direction == TrafficEvent::Direction::ToUnit) {
            // A request the program wrote is a whole frame; anything else is not worth answering.
            if (const auto request = record.error ? std::nullopt : frameWithMasks(record.frame))
                exchanges_.push_back({request->frame, request->masked, {}, false});
            continue;
        }
        if (exchanges_.empty())
            continue;   // nobody asked for it
        exchanges_.back().replies.push_back(replyWire(record.frame));
    }
}

std::optional<std::vector<QByteArray>> SessionReplay::answer(const Frame &request)
{
    Exchange *last = nullptr;
    for (Exchange &exchange : exchanges_) {
        if (!exchange.matches(request))
            continue;
        if (!exchange.used) {
            exchange.used = true;
            return exchange.replies;
        }
        last = &exchange;
    }
    if (!last)
        return std::nullopt;
    return last->replies;
}

std::size_t SessionReplay::used() const
{
    return static_cast<std::size_t>(
        std::count_if(exchanges_.begin(), exchanges_.end(), [](const Exchange &e) { return e.used; }));
}

} // namespace alvetra::sim
