#include "sim/SessionReplay.h"

#include "link/FrameParser.h"

#include <algorithm>

namespace alvetra::sim {

namespace {

std::optional<Frame> frameOf(const QByteArray &text)
{
    FrameParser parser;
    const FrameParser::Result result = parser.feed(text);
    if (result.frames.size() != 1 || result.rejected != 0)
        return std::nullopt;
    return result.frames.front();
}

bool sameRequest(const Frame &a, const Frame &b)
{
    return a.code == b.code && a.data == b.data;
}

} // namespace

SessionReplay::SessionReplay(const TrafficLogContents &log)
{
    for (const TrafficRecord &record : log.records) {
        if (record.direction == TrafficEvent::Direction::ToUnit) {
            // A request the program wrote is a whole frame; anything else is not worth answering.
            if (const auto request = record.error ? std::nullopt : frameOf(record.frame))
                exchanges_.push_back({*request, {}, false});
            continue;
        }
        if (exchanges_.empty())
            continue;   // nobody asked for it
        // Frames end with CR LF on the line; noise and a frame that lost its end come back as they were.
        const bool ended = record.frame.startsWith(':') && record.frame.endsWith(';');
        exchanges_.back().replies.push_back(ended ? record.frame + "\r\n" : record.frame);
    }
}

std::optional<std::vector<QByteArray>> SessionReplay::answer(const Frame &request)
{
    Exchange *last = nullptr;
    for (Exchange &exchange : exchanges_) {
        if (!sameRequest(exchange.request, request))
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
