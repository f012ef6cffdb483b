#pragma once
// The physical limit of an operation from the frames the simulated unit logged: the delays the
// protocol mandates before its requests (1000 ms before each login's first identification
// request, 10 ms before the second and before the password, 100 ms before a CAN confirmation)
// plus the wire time of every frame that crossed the line, each up to its ";".

#include "BenchSupport.h"
#include "link/Frame.h"
#include "link/Protocol.h"
#include "sim/SimulatedUnit.h"

#include <vector>

namespace alvetra::bench {

// What the protocol allows at best for the exchanges the unit logged.
struct Limit {
    double wireMs = 0;
    double delayMs = 0;
    int frames = 0;
    double totalMs() const { return wireMs + delayMs; }
};

inline Limit limitOf(const std::vector<sim::LoggedFrame> &log)
{
    Limit limit;
    for (const sim::LoggedFrame &entry : log) {
        const bool received = entry.direction == sim::LoggedFrame::Direction::Received;
        // Up to the ";": the other side acts on the frame then, while CR LF is still on the line.
        const qsizetype chars = (received ? encodeFrame(entry.frame).size() : entry.wire.size()) - 2;
        limit.wireMs += static_cast<double>(chars) * kMsPerChar;
        ++limit.frames;
        if (!received)
            continue;
        switch (entry.frame.code) {
        case request::kIdentifyFirst: limit.delayMs += 1000; break;
        case request::kIdentifySecond:
        case request::kLogin: limit.delayMs += 10; break;
        case request::kConfirmCan: limit.delayMs += 100; break;
        default: break;
        }
    }
    return limit;
}

} // namespace alvetra::bench
