// The replay's file reader (a traffic log read back) and the recorded session built from it,
// fed arbitrary file contents.
//
// Invariants:
//  - nothing crashes, nothing reads or writes out of bounds (sanitizers);
//  - every line is a record or counted as bad, never both; empty lines are neither;
//  - a record written out again as a log line with its secrets reads back as the same record;
//    with its secrets masked it reads back as a record, and masking that again changes nothing;
//  - the replay holds at most one exchange per request line, and every whole request frame the
//    file holds is answered (first from its own exchange, later by the last of its kind).

#include "FuzzSupport.h"
#include "link/TrafficSecrets.h"
#include "link/TrafficLogFormat.h"
#include "sim/SessionReplay.h"

using namespace alvetra;
using namespace alvetra::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contents(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const TrafficLogContents log = readTrafficLog(contents);

    int nonEmpty = 0;
    for (const QByteArray &line : contents.split('\n'))
        nonEmpty += line.trimmed().isEmpty() ? 0 : 1;
    FUZZ_CHECK(int(log.records.size()) + log.badLines == nonEmpty, "every non-empty line is a record or bad");
    FUZZ_CHECK((log.badLines == 0) == (log.firstBadLine == 0), "the first bad line is named when there is one");

    std::size_t requests = 0;
    for (const TrafficRecord &r : log.records) {
        const TrafficEvent event{0, r.direction, r.error ? TrafficEvent::Kind::Damaged : TrafficEvent::Kind::Frame,
                                 r.frame.toStdString()};
        const TrafficLogContents again = readTrafficLog(trafficLogLine(event, true));
        FUZZ_CHECK(again.records.size() == 1 && again.badLines == 0, "a written record reads back");
        FUZZ_CHECK(again.records[0].frame == r.frame, "its frame reads back unchanged");
        FUZZ_CHECK(again.records[0].direction == r.direction, "its direction reads back unchanged");
        const TrafficLogContents masked = readTrafficLog(trafficLogLine(event));
        FUZZ_CHECK(masked.records.size() == 1 && masked.badLines == 0, "a masked record reads back");
        TrafficEvent maskedEvent = event;
        maskedEvent.text = masked.records[0].frame.toStdString();
        FUZZ_CHECK(readTrafficLog(trafficLogLine(maskedEvent)).records[0].frame == masked.records[0].frame,
                   "masking a masked record changes nothing");
        requests += r.direction == TrafficEvent::Direction::ToUnit ? 1 : 0;
    }

    sim::SessionReplay replay(log);
    FUZZ_CHECK(replay.exchanges() <= requests, "at most one exchange per request line");
    for (const TrafficRecord &r : log.records) {
        if (r.direction != TrafficEvent::Direction::ToUnit || r.error)
            continue;
        // Masked bytes read as kMaskByte, which the exchange takes for any byte.
        if (const std::optional<ReplayFrame> request = frameWithMasks(r.frame))
            FUZZ_CHECK(replay.answer(request->frame).has_value(), "a recorded request is answered");
    }
    FUZZ_CHECK(replay.used() <= replay.exchanges(), "no more exchanges used than held");
    return 0;
}
