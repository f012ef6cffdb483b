#pragma once
// Remote-control and token records as the unit stores them after learning (six bytes each,
// b0 at the lowest address).
//
// Remote: b5 bits 0-3 year code (2006 + c for c 0-4, 1990 + c for c 5-15); b4 bits 4-7 month;
// day = (b4 & 0x0F) * 16 + (b3 >> 4); serial = (b3 & 0x0F) * 256 + b2; emission = b1 * 256 + b0.
// Token: serial = (b5 & 0x0F) * 65536 + b4 * 256 + b3; emission = b2 * 65536 + b1 * 256 + b0.

#include <array>
#include <cstdint>
#include <random>

namespace alvetra::sim {

using UnitRecord = std::array<std::uint8_t, 6>;

struct RemoteData {
    int year = 2008;        // 1995 to 2010, the years a code can hold
    int month = 1;          // 0 to 15
    int day = 1;            // 0 to 255
    int serial = 0;         // 12 bits
    int emission = 0;       // 16 bits
};

struct TokenData {
    std::uint32_t serial = 0;     // 20 bits
    std::uint32_t emission = 0;   // 24 bits
};

// Years outside 1995-2010 are clamped to the nearest one the code can hold.
std::uint8_t yearCode(int year);

UnitRecord encodeRemote(const RemoteData &remote);
UnitRecord encodeToken(const TokenData &token);

// A plausible freshly learnt remote or token (recent production date, non-zero numbers).
RemoteData randomRemote(std::mt19937 &rng);
TokenData randomToken(std::mt19937 &rng);

} // namespace alvetra::sim
