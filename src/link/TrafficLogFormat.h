#pragma once
// The traffic log's file format: one JSON object a line, in the order the texts crossed the line.
//
//   {"t": 0.208114, "dir": "tx", "frame": ":C5060208E0000010080A;", "name": "read", "address": 16, "count": 8}
//   {"t": 0.236930, "dir": "rx", "frame": ":E00E8...;", "name": "read", "reply": true, "address": 16, ...}
//   {"t": 0.411000, "dir": "rx", "frame": ":E0038CC5;", "error": "damaged"}
//
// `t` is seconds since the port first opened; `frame` is exactly the characters from ":" to
// ";" (noise as it came, as text). A frame's meaning follows (FrameDecoder): "name", "reply"
// (replies only), "address", "count", "data" (hex pairs), "text". Damaged text and noise have
// "error": "damaged" or "noise" and no meaning. The PC password and the code words are masked
// ("**" for each byte, and the check byte of their frame) unless the user asked for them.

#include "link/TrafficTap.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace alvetra {

// One line of the log, "\n" included; the secrets masked in the frame and its meaning unless
// `withSecrets` (TrafficSecrets.h).
QByteArray trafficLogLine(const TrafficEvent &event, bool withSecrets = false);

// A recorded text as the replay reads it back.
struct TrafficRecord {
    double seconds = 0;
    TrafficEvent::Direction direction = TrafficEvent::Direction::ToUnit;
    QByteArray frame;     // as in the file
    bool error = false;   // damaged text or noise
};

struct TrafficLogContents {
    std::vector<TrafficRecord> records;
    int badLines = 0;       // lines that are no record (empty lines are not counted)
    int firstBadLine = 0;   // 1-based; 0 when none
};

// Reads a whole log; lines that are not a record are counted and skipped.
TrafficLogContents readTrafficLog(const QByteArray &contents);

} // namespace alvetra
