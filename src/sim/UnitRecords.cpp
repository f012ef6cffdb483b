#include "sim/UnitRecords.h"

#include <algorithm>

namespace alvetra::sim {

std::uint8_t yearCode(int year)
{
    year = std::clamp(year, 1995, 2010);
    return static_cast<std::uint8_t>(year >= 2006 ? year - 2006 : year - 1990);
}

UnitRecord encodeRemote(const RemoteData &remote)
{
    const int day = remote.day & 0xFF;
    const int serial = remote.serial & 0x0FFF;
    const int emission = remote.emission & 0xFFFF;
    UnitRecord r{};
    r[0] = static_cast<std::uint8_t>(emission & 0xFF);
    r[1] = static_cast<std::uint8_t>(emission >> 8);
    r[2] = static_cast<std::uint8_t>(serial & 0xFF);
    r[3] = static_cast<std::uint8_t>((day & 0x0F) << 4 | serial >> 8);
    r[4] = static_cast<std::uint8_t>((remote.month & 0x0F) << 4 | day >> 4);
    r[5] = yearCode(remote.year);
    return r;
}

UnitRecord encodeToken(const TokenData &token)
{
    const std::uint32_t serial = token.serial & 0xFFFFF;
    const std::uint32_t emission = token.emission & 0xFFFFFF;
    UnitRecord r{};
    r[0] = static_cast<std::uint8_t>(emission & 0xFF);
    r[1] = static_cast<std::uint8_t>(emission >> 8 & 0xFF);
    r[2] = static_cast<std::uint8_t>(emission >> 16);
    r[3] = static_cast<std::uint8_t>(serial & 0xFF);
    r[4] = static_cast<std::uint8_t>(serial >> 8 & 0xFF);
    r[5] = static_cast<std::uint8_t>(serial >> 16);
    return r;
}

namespace {
int between(std::mt19937 &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}
} // namespace

RemoteData randomRemote(std::mt19937 &rng)
{
    RemoteData r;
    r.year = between(rng, 2006, 2010);
    r.month = between(rng, 1, 12);
    r.day = between(rng, 1, 28);
    r.serial = between(rng, 1, 0x0FFF);
    r.emission = between(rng, 1, 0xFFFF);
    return r;
}

TokenData randomToken(std::mt19937 &rng)
{
    TokenData t;
    t.serial = static_cast<std::uint32_t>(between(rng, 1, 0xFFFFF));
    t.emission = static_cast<std::uint32_t>(between(rng, 1, 0xFFFFFF));
    return t;
}

} // namespace alvetra::sim
