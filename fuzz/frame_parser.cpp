// The frame parser fed arbitrary bytes in arbitrary chunks.
//
// Invariants:
//  - nothing crashes, nothing reads or writes out of bounds (sanitizers);
//  - every accepted frame re-encodes to the very text it came from: the accepted frames' texts
//    appear, in order and without overlapping, in the stream's frame-alphabet characters;
//  - the checksum count only grows, by exactly the frames rejected (until it stops at 65535);
//  - how the stream is cut into reads changes nothing: fed in one piece it gives the same frames
//    and the same count.

#include "link/FrameParser.h"
#include "FrameText.h"
#include "FuzzSupport.h"

#include <vector>

using namespace alvetra;
using namespace alvetra::fuzz;

namespace {

bool inFrameAlphabet(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == ':' || c == ';';
}

QByteArray frameAlphabetOnly(const QByteArray &stream)
{
    QByteArray out;
    for (char c : stream)
        if (inFrameAlphabet(c)) out.append(c);
    return out;
}

struct Run {
    std::vector<Frame> frames;
    int rejected = 0;
    std::uint16_t count = 0;
};

// Feeds `stream` in reads whose sizes come from `sizes` (cycled; 0 means the whole rest).
Run feedInChunks(const QByteArray &stream, const Bytes &sizes)
{
    FrameParser parser;
    Run run;
    qsizetype pos = 0;
    std::size_t next = 0;
    while (pos < stream.size()) {
        const std::uint8_t wanted = sizes.empty() ? 0 : sizes[next++ % sizes.size()];
        const qsizetype chunk = wanted == 0 ? stream.size() - pos : std::min<qsizetype>(wanted, stream.size() - pos);
        const std::uint16_t before = parser.checksumErrors();
        FrameParser::Result result = parser.feed(stream.constData() + pos, static_cast<std::size_t>(chunk));
        pos += chunk;

        FUZZ_CHECK(result.rejected >= 0, "rejected count is not negative");
        const int expected = std::min(0xFFFF, before + result.rejected);
        FUZZ_CHECK(parser.checksumErrors() == expected, "checksum count grows by the frames rejected");
        run.rejected += result.rejected;
        for (Frame &frame : result.frames)
            run.frames.push_back(std::move(frame));
    }
    run.count = parser.checksumErrors();
    return run;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    // The first byte says how many of the next bytes are read sizes; the rest is the stream.
    const Bytes sizes = in.bytes(in.byte() % 16);
    const QByteArray stream = in.rest();

    const Run chunked = feedInChunks(stream, sizes);

    const QByteArray alphabet = frameAlphabetOnly(stream);
    qsizetype searchFrom = 0;
    for (const Frame &frame : chunked.frames) {
        const QByteArray text = wireText(frame);
        const qsizetype at = alphabet.indexOf(text, searchFrom);
        FUZZ_CHECK(at >= 0, "an accepted frame re-encodes to text that was received, in order");
        searchFrom = at + text.size();
    }

    // The parser bounds text that never ends; below that bound the cutting must not matter.
    if (stream.size() <= 4096) {
        const Run whole = feedInChunks(stream, {});
        FUZZ_CHECK(whole.frames == chunked.frames, "the same frames whatever the reads");
        FUZZ_CHECK(whole.count == chunked.count, "the same checksum count whatever the reads");
    }
    return 0;
}
