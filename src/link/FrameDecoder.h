#pragma once
// What a frame text means by the protocol (docs/protocol.md), for the traffic console, the
// traffic log and the replay of a recorded session:
//
//   const FrameMeaning m = decodeFrameText(":C5060208E0000010080A;");
//   m.name == "read", m.reply == false, *m.address == 0x10, *m.count == 8
//
// The data are split as each code lays them out: the address and count of reads and writes
// apart from the bytes that follow them, the text of a login or identification apart from the
// bytes after it. Codes the protocol does not know keep all their data as bytes.

#include "link/Frame.h"
#include "link/TrafficSecrets.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace alvetra {

struct FrameMeaning {
    bool valid = false;            // a whole frame whose check byte works out
    Frame frame;                   // when valid
    bool reply = false;            // the code carries the reply bit
    std::uint8_t request = 0;      // the code without the reply bit
    QString name;                  // "login", "read", ..., "unknown"
    std::optional<int> address;    // reads and writes
    std::optional<int> count;
    Bytes bytes;                   // the data that are neither address, count nor text
    QString text;                  // printable text the data carry (code page 1250), if any
    std::vector<bool> secretBytes; // per byte of `bytes`: a secret (TrafficSecrets.h)
    bool secretText = false;       // the text is a password

    // `bytes` as hex pairs, each secret one as "**" unless `withSecrets`.
    QString dataHex(bool withSecrets) const;
    // `text`, a "*" for each character of a secret one unless `withSecrets`.
    QString shownText(bool withSecrets) const;
};

// `text` is one frame from ":" to ";" (CR LF after it allowed). The secrets are those of a
// login and those at `secrets` in the image.
FrameMeaning decodeFrameText(const QByteArray &text, SecretSpan secrets = secretSpanOf(Layout{}));
FrameMeaning decodeFrame(const Frame &frame, SecretSpan secrets = secretSpanOf(Layout{}));

// The English name of a request code (without the reply bit): "login", "read", "write",
// "identify-1", "identify-2", "status", "learning", "block-keeping", "disconnect", "confirm",
// "confirm-can"; "unknown" for any other.
QString requestName(std::uint8_t request);

// Bytes as upper-case hex pairs separated by spaces.
QString bytesToHex(const Bytes &bytes);

} // namespace alvetra
