#include "link/TrafficTap.h"

#include "link/FrameParser.h"

#include <algorithm>

namespace alvetra {

void TrafficTap::attach(TrafficSink *sink)
{
    std::lock_guard lock(mutex_);
    if (std::find(sinks_.begin(), sinks_.end(), sink) == sinks_.end())
        sinks_.push_back(sink);
    active_.store(true, std::memory_order_relaxed);
}

void TrafficTap::detach(TrafficSink *sink)
{
    std::lock_guard lock(mutex_);
    sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
    active_.store(!sinks_.empty(), std::memory_order_relaxed);
}

void TrafficTap::portOpened()
{
    std::lock_guard lock(mutex_);
    if (!started_) {
        started_ = true;
        origin_ = Clock::now();
    }
}

void TrafficTap::restart()
{
    std::lock_guard lock(mutex_);
    started_ = false;
}

void TrafficTap::setSecretLayout(const Layout &layout)
{
    std::lock_guard lock(mutex_);
    secrets_ = secretSpanOf(layout);
}

std::string TrafficEvent::shownText(bool withSecrets) const
{
    if (withSecrets)
        return text;
    if (kind != Kind::Frame)
        return maskedUnparsedText(text, kind == Kind::Damaged);
    FrameParser parser;
    const FrameParser::Result parsed = parser.feed(QByteArray::fromStdString(text));
    if (parsed.frames.size() != 1 || parsed.rejected != 0) {
        // A frame masked already (a masked log written again) stays as it is.
        const QByteArray bytes = QByteArray::fromStdString(text);
        return bytes.contains('*') && frameWithMasks(bytes) ? text : maskedUnparsedText(text, true);
    }
    return maskedFrameText(text, parsed.frames.front(), secrets);
}

void TrafficTap::tell(TrafficEvent::Direction direction, TrafficEvent::Kind kind, const char *text, std::size_t size)
{
    // Without sinks a frame costs one relaxed load.
    if (!hasSinks())
        return;
    const Clock::time_point now = Clock::now();
    std::lock_guard lock(mutex_);
    if (!started_) {
        started_ = true;
        origin_ = now;
    }
    const TrafficEvent event{std::chrono::duration_cast<std::chrono::microseconds>(now - origin_).count(), direction,
                             kind, std::string(text, size), secrets_};
    for (TrafficSink *sink : sinks_)
        sink->take(event);
}

} // namespace alvetra
