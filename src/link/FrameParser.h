#pragma once
// Cuts the received byte stream into checked frames.
//
// Bytes outside the frame alphabet ("0"-"9", "A"-"F", ":" and ";") are dropped; the rest is
// accumulated until a ":" ... ";" pair can be cut. A frame may arrive split over any number of
// reads. A frame that fails its check, or is not whole pairs of digits from header to check
// byte, is dropped and counted. A frame whose ";" was lost is dropped and counted once; the
// frame that follows it (from the last ":" before the next ";") is still cut on its own.

#include "link/Frame.h"

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <vector>

namespace alvetra {

class FrameParser {
public:
    struct Result {
        std::vector<Frame> frames;  // valid frames, in arrival order
        int rejected = 0;                 // frames dropped for a bad check byte in this call
    };

    Result feed(const char *bytes, std::size_t count);
    Result feed(const QByteArray &bytes) { return feed(bytes.constData(), static_cast<std::size_t>(bytes.size())); }

    // Frames rejected since this parser was created; stops at 65535.
    std::uint16_t checksumErrors() const { return checksumErrors_; }

    // Text waiting for the rest of its frame.
    const QByteArray &pending() const { return accumulator_; }

    // What the parser saw, for a traffic console or log: every cut frame text (":" to ";"), each
    // with whether it was damaged, and the characters that were no part of any frame (noise; the
    // CR LF that ends a frame is not noise). Noise a call drops is told before the texts it cuts.
    enum class Seen { Frame, Damaged, Noise };
    using Witness = std::function<void(Seen what, const char *text, std::size_t size)>;
    void setWitness(Witness witness) { witness_ = std::move(witness); }

private:
    struct Cut {
        QByteArray text;   // between ":" and ";"
        bool damaged;      // a frame whose ";" was lost: counted, never decoded (text from its ":")
    };

    void filter(const char *bytes, std::size_t count);
    std::vector<Cut> cut();
    static bool decode(const QByteArray &text, Frame &frame);

    void tell(Seen what, const QByteArray &text) const;
    void noise(const char *bytes, std::size_t size);

    QByteArray accumulator_;
    std::uint16_t checksumErrors_ = 0;
    Witness witness_;
    QByteArray noise_;   // dropped characters waiting to be told (only with a witness)
};

} // namespace alvetra
