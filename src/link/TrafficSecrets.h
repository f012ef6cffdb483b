#pragma once
// The workshop's secrets in what crosses the line: the PC access password of a login, and the
// four push-button code words and the PC password at their places in the settings image, carried
// by a write or a read reply. The emergency-unlock code disarms the alarm by button presses, the
// PC password reprograms it: the traffic console, the traffic log and their copies show them
// masked unless the user asks for them.
//
// A masked frame keeps its shape: each secret byte's two hex digits become "**", and so do the
// check byte's, which would otherwise give away the secret bytes' XOR:
//
//   :C50701E00431323334DC;   a login with "1234"
//   :C50701E004**********;   masked
//
// A masked log still replays: frameWithMasks() reads each "**" byte as kMaskByte and gives the
// frame a check byte that fits.

#include "alarm/Layout.h"
#include "link/Frame.h"

#include <QByteArray>
#include <optional>
#include <string>
#include <vector>

namespace alvetra {

// Image addresses [first, end) of the code words and the PC password: one run in either layout.
struct SecretSpan {
    int first = 0;
    int end = 0;
    bool contains(int address) const { return address >= first && address < end; }
    bool operator==(const SecretSpan &) const = default;
};

// The span of `layout`; for the empty layout (no unit identified yet) the spans of both layouts
// together, so that nothing secret escapes before the family is known.
SecretSpan secretSpanOf(const Layout &layout);

// The byte a masked byte reads as when a masked log is replayed.
constexpr std::uint8_t kMaskByte = '*';

// Which of the frame's data bytes hold a secret: the password of a login request, the bytes a
// write request or a read reply carries at addresses in `span`.
std::vector<bool> secretData(const Frame &frame, SecretSpan span);

// A whole frame's text (":" to ";", no CR LF) with its secret bytes and then its check byte masked
// (only the frame: anything else the text holds is left out, as the parser leaves it out); the
// text itself when it holds no secret.
std::string maskedFrameText(const std::string &text, const Frame &frame, SecretSpan span);

// Damaged text and noise, whose secret bytes cannot be told apart: every hex digit after a
// damaged frame's header (destination, length, code and source) masked, and every hex digit of
// noise. The text itself when it has none.
std::string maskedUnparsedText(const std::string &text, bool frameStart);

// A recorded frame text, masked or not, as a replayed unit sends it and matches requests against
// it: every "**" pair read as kMaskByte, the check byte made to fit. Nothing when the text is no
// whole frame.
struct ReplayFrame {
    Frame frame;
    std::vector<bool> masked;   // per data byte
};
std::optional<ReplayFrame> frameWithMasks(const QByteArray &text);

} // namespace alvetra
