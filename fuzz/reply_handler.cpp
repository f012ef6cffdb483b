// The reply handling fed frames with valid check bytes but arbitrary contents: short layouts,
// counts running past the data or past the image, out-of-range addresses, foreign addresses,
// length bytes that disagree with the data.
//
// Every frame goes through the parser first (a valid frame must always come out unchanged), then
// through the reply handling. Invariants:
//  - nothing crashes or touches memory out of bounds;
//  - a frame that is not handled raises no flag and leaves the image alone;
//  - only a read reply changes the image, and exactly at the addresses it names, with its bytes,
//    and only when it names the block the outstanding read asked for;
//  - frames that are not from the unit to this program are never handled;
//  - a handled status report stores its last four data bytes; stored values keep their widths.

#include "link/FrameParser.h"
#include "FrameText.h"
#include "FuzzSupport.h"
#include "link/LinkEvents.h"
#include "link/ReplyHandler.h"
#include "link/ReplyState.h"
#include "alarm/SettingsImage.h"
#include "link/UiBridge.h"

#include <array>

using namespace alvetra;
using namespace alvetra::fuzz;

namespace {

class DirectSteps : public UiSteps {
public:
    bool run(std::function<void()> step) override { step(); return true; }
};

// A window that only counts what it is asked to show.
class CountingEvents : public LinkEvents {
public:
    void threadStarted() override {}
    void portOpened() override {}
    void portClosed() override {}
    void openFailed(Transport::OpenResult, const QString &, const UserMessage &) override {}
    void closeFailed(const QString &, int, const UserMessage &) override {}
    void deviceLost(const QString &, const UserMessage &) override {}
    void checksumError(int, const QString &) override {}
    void rxActivity() override {}
    void txActivity() override {}
    void clearIdentification() override { ++calls; }
    void setIdentification(const QString &line) override { ++calls; lastLine = line; }
    void setTimeCounter(std::uint32_t value) override { ++calls; counter = value; }
    void showArmed() override { ++calls; }
    void showDisarmed() override { ++calls; }
    void withdrawAccess() override { ++calls; }
    void statusReport(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t) override { ++calls; }

    int calls = 0;
    QString lastLine;
    std::uint32_t counter = 0;
};

constexpr std::array<std::uint8_t, 10> kReplyCodes = {0x81, 0x82, 0x83, 0x86, 0x87, 0x88, 0x89, 0x8C, 0x8D, 0x8A};

// One frame from the fuzzer's bytes: mostly addressed from the unit to us with a reply code the
// handling knows, so that the interesting layouts are reached often.
Frame nextFrame(FuzzInput &in)
{
    const std::uint8_t choice = in.byte();
    Frame frame;
    frame.destination = (choice & 0x03) ? kPcAddress : in.byte();
    frame.source = (choice & 0x0C) ? kUnitAddress : in.byte();
    frame.code = (choice & 0x30) ? kReplyCodes[in.byte() % kReplyCodes.size()] : in.byte();
    frame.data = in.bytes(in.byte() % 64);
    frame.length = (choice & 0xC0) ? static_cast<std::uint8_t>(frame.data.size() + 2) : in.byte();
    return frame;
}

std::array<bool, static_cast<std::size_t>(ReplyFlag::Count)> flagsOf(const ReplyState &state)
{
    std::array<bool, static_cast<std::size_t>(ReplyFlag::Count)> flags{};
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = state.isRaised(static_cast<ReplyFlag>(i));
    return flags;
}

void lowerAll(ReplyState &state)
{
    for (std::size_t i = 0; i < static_cast<std::size_t>(ReplyFlag::Count); ++i)
        state.lower(static_cast<ReplyFlag>(i));
}

void checkReadReply(const Frame &frame, bool handled, const ImageBytes &before, const ImageBytes &after)
{
    const Bytes &d = frame.data;
    if (!handled) {
        FUZZ_CHECK(before == after, "a refused read reply leaves the image alone");
        return;
    }
    FUZZ_CHECK(d.size() >= 4, "a handled read reply has its header");
    const std::size_t address = d[0];
    const std::size_t count = d[3];
    FUZZ_CHECK(4 + count <= d.size(), "a handled read reply holds all its bytes");
    FUZZ_CHECK(address + count <= static_cast<std::size_t>(kImageSize), "a handled read reply stays inside the image");
    for (std::size_t a = 0; a < static_cast<std::size_t>(kImageSize); ++a) {
        const bool named = a >= address && a < address + count;
        FUZZ_CHECK(after[a] == (named ? d[4 + a - address] : before[a]), "a read reply changes exactly the bytes it names");
    }
}

void checkOne(const Frame &frame, ReplyState &state, SettingsImage &image, ReplyHandler &handler, CountingEvents &events)
{
    lowerAll(state);
    // The outstanding read: mostly the block the reply names (so that storing is reached), now
    // and then a neighbouring one, which must leave the image alone.
    std::optional<ReplyState::ReadBlock> expected;
    if (frame.data.size() >= 4)
        expected = ReplyState::ReadBlock{static_cast<std::uint8_t>(frame.data[0] ^ (frame.data[1] & 1)), frame.data[3]};
    state.expectRead(expected);
    const ImageBytes before = image.bytes();
    const int callsBefore = events.calls;
    const bool handled = handler.handle(frame);
    const ImageBytes after = image.bytes();
    const auto flags = flagsOf(state);

    const bool ours = frame.destination == kPcAddress && frame.source == kUnitAddress;
    if (!ours)
        FUZZ_CHECK(!handled, "frames not from the unit to this program are left alone");
    if (!handled) {
        for (bool raised : flags) FUZZ_CHECK(!raised, "a frame that was not handled raises no flag");
        FUZZ_CHECK(events.calls == callsBefore, "a frame that was not handled shows nothing");
    }
    if (frame.code == 0x82 && ours) {
        checkReadReply(frame, handled, before, after);
        if (handled)
            FUZZ_CHECK(expected && expected->address == frame.data[0], "only the block asked for is stored");
    }
    else
        FUZZ_CHECK(before == after, "only read replies change the image");

    if (handled && frame.code == 0x88) {
        const std::size_t n = frame.data.size();
        FUZZ_CHECK(n >= 4 && frame.length == n + 2, "a handled status report is well formed");
        const std::array<std::uint8_t, 4> last = {frame.data[n - 4], frame.data[n - 3], frame.data[n - 2], frame.data[n - 1]};
        FUZZ_CHECK(state.statusBytes() == last, "a status report stores its last four bytes");
    }
    if (handled && frame.code == 0x81)
        FUZZ_CHECK(events.counter == state.timeCounter(), "the window gets the stored time counter");
    FUZZ_CHECK(state.timeCounter() <= 0xFFFFFF, "the time counter keeps 24 bits");
    FUZZ_CHECK(state.accessFlags() <= 0x1F, "the access flags keep 5 bits");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    ReplyState state;
    SettingsImage image;
    image.fill(0x5A);
    CountingEvents events;
    DirectSteps steps;
    ReplyHandler handler(state, &image, &events, steps);
    ReplyHandler windowless(state, nullptr, nullptr, steps);
    FrameParser parser;

    while (!in.empty()) {
        const Frame frame = nextFrame(in);
        const FrameParser::Result parsed = parser.feed(wireText(frame) + "\r\n");
        FUZZ_CHECK(parsed.rejected == 0 && parsed.frames.size() == 1, "a frame with a valid check byte is accepted");
        FUZZ_CHECK(parsed.frames.front() == frame, "a valid frame comes out of the parser unchanged");
        checkOne(parsed.frames.front(), state, image, handler, events);
        windowless.handle(frame);   // without image and window: must not crash
    }
    return 0;
}
