#pragma once
// Byte positions of the settings in the 256-byte image. Family 14 units ("MZRAv1.4") use
// layout A, all later families layout B. Until a unit is identified or a file loaded every
// position is 0 (the empty layout).

namespace alvetra {

struct Layout {
    int remotes = 0;            // 4 remote records of 6 bytes
    int tokens = 0;             // 4 token records of 6 bytes
    int programmingCode = 0;    // code word: programming entry by button    (ED_KodInst)
    int antiHijackCode = 0;     // code word: anti-hijack authorisation      (ED_KodKidnaper)
    int antiTheftCode = 0;      // code word: anti-theft authorisation       (ED_KodAntykradziez)
    int emergencyCode = 0;      // code word: emergency unlock                (ED_KodIAwarja)
    int pcPassword = 0;         // 4 bytes, code page 1250
    int flags = 0;              // 24-bit flags word
    int closePulseCount = 0;    // extra close pulses: 0, 1 (C2) or 2 (C2 and E2)
    int pauseAC1 = 0;           // B1 (SPE_PrzerwaOtworz)
    int pulseC1 = 0;            // C1 (SPE_SygnalOtworz)
    int pauseAC2 = 0;           // B2 (SPE_Przerwa1Zamknij)
    int pulseC2 = 0;            // C2 (SPE_Sygnal1Zamknij)
    int pauseC2E2 = 0;          // D2 (SPE_Przerwa2Zamknij)
    int pulseE2 = 0;            // E2 (SPE_Sygnal2Zamknij)
    int lockDelayAfterIgnition = 0;   // SPE_CzasPoStacyjce
    int antiTheftDelay = 0;     // SPE_CzasZwlokiAntykradziez
    int antiHijackDelay = 0;    // SPE_CzasZwlokiAntynapad
    int canGroup = 0;           // CAN car group number
    int timeCounter = 0;        // 24-bit minute counter
    int historyPointer = 0;     // address just after the newest history entry
    int historyFirst = 0;       // first byte of the history area
    int historyLast = 0;        // last byte of the history area

    int historyEntries() const { return (historyLast - historyFirst + 1) / 4; }
    bool isEmpty() const { return flags == 0; }
    bool operator==(const Layout &) const = default;
};

constexpr Layout kLayoutA{8, 32, 56, 58, 60, 62, 64, 68, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 85, 86, 237};
constexpr Layout kLayoutB{6, 30, 54, 56, 58, 60, 62, 66, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 164, 167, 168, 255};

constexpr const Layout &layoutForFamily(int familyCode) { return familyCode == 14 ? kLayoutA : kLayoutB; }

} // namespace alvetra
