#pragma once
// Talks to a SimulatedUnit directly over its line, without a transport: requests go in as wire
// text and the replies come back parsed.

#include "link/Frame.h"
#include "link/FrameParser.h"
#include "sim/SimulatedUnit.h"

#include <chrono>
#include <vector>

namespace alvetra::test {

inline sim::UnitConfig unpaced(sim::UnitConfig config = {})
{
    config.lineSpeed = 0;
    return config;
}

inline Bytes passwordData(const QByteArray &password)
{
    Bytes data{static_cast<std::uint8_t>(password.size())};
    data.insert(data.end(), password.begin(), password.end());
    return data;
}

inline Bytes readData(int address, int count)
{
    return {0, 0, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(count)};
}

inline Bytes writeData(int address, const Bytes &bytes)
{
    Bytes data{0, 0, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(bytes.size())};
    data.insert(data.end(), bytes.begin(), bytes.end());
    return data;
}

class UnitHarness {
public:
    explicit UnitHarness(const sim::UnitConfig &config = unpaced()) : unit(config), token(unit.attachLine()) {}

    void send(std::uint8_t code, const Bytes &data = defaultDataBlock())
    {
        unit.receive(token, encodeFrame(makeFrame(kUnitAddress, code, kPcAddress, data)));
    }

    // Replies already due (an unpaced unit has them at once).
    std::vector<Frame> replies()
    {
        return parser.feed(unit.takeDue(token)).frames;
    }

    std::vector<Frame> exchange(std::uint8_t code, const Bytes &data = defaultDataBlock())
    {
        send(code, data);
        return replies();
    }

    // Waits up to `limit` for the next reply frame.
    std::vector<Frame> awaitReplies(std::chrono::milliseconds limit)
    {
        const auto deadline = sim::Clock::now() + limit;
        std::vector<Frame> frames;
        while (frames.empty()) {
            if (unit.waitForLine(token, {}, deadline) != sim::SimulatedUnit::LineState::BytesDue)
                break;
            const FrameParser::Result r = parser.feed(unit.takeDue(token));
            frames.insert(frames.end(), r.frames.begin(), r.frames.end());
        }
        return frames;
    }

    std::uint8_t login(const QByteArray &password = "1234")
    {
        const auto r = exchange(0x01, passwordData(password));
        return r.size() == 1 && r[0].data.size() >= 13 ? r[0].data[8] : 0xFF;
    }

    sim::SimulatedUnit unit;
    sim::SimulatedUnit::LineToken token;
    FrameParser parser;
};

} // namespace alvetra::test
