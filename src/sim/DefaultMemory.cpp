#include "sim/DefaultMemory.h"

#include "sim/UnitRecords.h"

#include <QByteArray>

namespace alvetra::sim {

namespace {

void putRecord(ImageBytes &m, int at, const UnitRecord &r)
{
    for (std::size_t i = 0; i < r.size(); ++i)
        m[at + static_cast<int>(i)] = r[i];
}

// Code words: press count in bits 15-12, one bit per press (1 = long), last press in bit 0.
constexpr std::uint16_t kCodeKDDK = 0x4006;   // programming entry
constexpr std::uint16_t kCodeDKD = 0x3005;    // anti-hijack authorisation
constexpr std::uint16_t kCodeKKD = 0x3001;    // anti-theft authorisation
constexpr std::uint16_t kCodeDDKK = 0x400C;   // emergency unlock

// Sound and turn-signal confirmation, 1 Hz simultaneous flashing, re-arming after 30 s,
// anti-theft lock by button code, central locks with an extra open pulse and locking after
// the ignition is switched on.
constexpr std::uint32_t kFlags = 0x000001 | 0x000002 | 0x000020 | 0x000040 | 0x000100 | 0x000200
                                 | 0x000400 | 0x000800 | 0x004000;

void putSettings(ImageBytes &m, const Layout &l)
{
    setWord16(m, l.programmingCode, kCodeKDDK);
    setWord16(m, l.antiHijackCode, kCodeDKD);
    setWord16(m, l.antiTheftCode, kCodeKKD);
    setWord16(m, l.emergencyCode, kCodeDDKK);
    storePassword(m, l, QByteArray(kDefaultPassword));
    setWord24(m, l.flags, kFlags);
    m[l.closePulseCount] = 1;
    m[l.pauseAC1] = 5;
    m[l.pulseC1] = 7;
    m[l.pauseAC2] = 5;
    m[l.pulseC2] = 7;
    m[l.pauseC2E2] = 5;
    m[l.pulseE2] = 7;
    m[l.lockDelayAfterIgnition] = 10;
    m[l.antiTheftDelay] = 30;
    m[l.antiHijackDelay] = 60;
    m[l.canGroup] = 12;
}

void putRemotesAndTokens(ImageBytes &m, const Layout &l)
{
    putRecord(m, l.remotes, encodeRemote({2008, 5, 17, 123, 4567}));
    putRecord(m, l.remotes + 6, encodeRemote({2009, 11, 2, 2051, 318}));
    putRecord(m, l.tokens, encodeToken({734215, 1048577}));
}

void putHistory(ImageBytes &m, const Layout &l, EventTable events, std::uint32_t counter)
{
    const auto ago = [counter](std::uint32_t minutes) { return counter > minutes ? counter - minutes : 0; };
    appendHistoryEntry(m, l, ago(4 * 1440 + 75), armedEventCode(events));
    appendHistoryEntry(m, l, ago(4 * 1440 + 12), *triggerEventCode(Input::DoorSwitch, events));
    appendHistoryEntry(m, l, ago(4 * 1440 + 10), disarmedEventCode(events));
    appendHistoryEntry(m, l, ago(1440 + 300), armedEventCode(events));
    appendHistoryEntry(m, l, ago(1440 + 20), disarmedEventCode(events));
    appendHistoryEntry(m, l, ago(95), armedEventCode(events));
    appendHistoryEntry(m, l, ago(30), disarmedEventCode(events));
}

} // namespace

void storePassword(ImageBytes &memory, const Layout &layout, const QByteArray &password)
{
    for (int i = 0; i < 4; ++i)
        memory[layout.pcPassword + i] = i < password.size() ? static_cast<std::uint8_t>(password[i]) : 0;
}

ImageBytes defaultMemory(const Layout &layout, EventTable events, std::uint32_t counter)
{
    ImageBytes m{};
    putSettings(m, layout);
    putRemotesAndTokens(m, layout);
    setWord24(m, layout.timeCounter, counter);
    putHistory(m, layout, events, counter);
    return m;
}

} // namespace alvetra::sim
