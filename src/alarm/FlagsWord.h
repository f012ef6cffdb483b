#pragma once
// The 24-bit flags word of the settings image and the meaning of its bits.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"

#include <cstdint>

namespace alvetra {

namespace flag {
constexpr int SoundConfirmation = 0;        // CKB_SygnalDzwiekowyPotwierdzenie
constexpr int TurnSignalConfirmation = 1;   // CKB_SygnalKierunkiPotwierdzenie
constexpr int TurnSignals2Hz = 2;           // RAG_Kierunki1_2Hz item 1
constexpr int SequentialTurnSignals = 3;    // CKB_KierunkiSekwencjaOn
constexpr int AlternateTurnSignals = 4;     // RAG_KierunkiNaprzemienne item 1
constexpr int Rearming = 5;                 // CKB_Dozbrajanie
constexpr int AntiTheft = 6;                // CKB_Antykradziez
constexpr int AntiHijack = 7;               // CKB_Antynapad
constexpr int ArmingDelay30s = 8;           // RAG_Uzbrajanie5_30sek item 1
constexpr int CentralLock = 9;              // CKB_ZamekSterowanieOn
constexpr int ExtraOpenPulse = 10;          // CKB_DodatkowyOtworz
constexpr int LockAfterIgnition = 11;       // CKB_ZamykaniePoStacyjce
constexpr int MainPulse3s = 12;             // RAG_ZamekCzasImpulsuGlownego item 1
constexpr int DriverAndBootInputs = 13;     // RAG_PrzewodKier item 0 (inverted)
constexpr int AntiTheftByCode = 14;         // RAG_AntykradziezAutoryzacja
constexpr int AntiTheftByToken = 15;        // RAG_AntykradziezAutoryzacja
constexpr int AntiHijackByCode = 16;        // RAG_AntynapadAutoryzacja
constexpr int AntiHijackByToken = 17;       // RAG_AntynapadAutoryzacja
constexpr int IgnitionWhileArmedAlert = 18; // CKB_AntykradziezStacyjkaOn
constexpr int ContinuousSequenceOutput = 19;// RAG_SekwencjaWyjscie item 0 (inverted)
constexpr int CanIgnoreDoorSwitches = 20;   // CKB_AlarmCanWylaczKrancowke
constexpr int CanIgnoreIgnition = 21;       // CKB_AlarmCanWylaczStacyjke
constexpr int CanIgnoreFactoryRemote = 22;  // CKB_AlarmCanWylaczPilot
} // namespace flag

// A copy of the flags word to change bit by bit and store back whole.
class FlagsWord {
public:
    FlagsWord(const SettingsImage &image, const Layout &layout) : value_(image.word24(layout.flags)) {}
    explicit FlagsWord(std::uint32_t value) : value_(value & 0xFFFFFF) {}

    bool test(int bit) const { return value_ >> bit & 1u; }
    void set(int bit, bool on)
    {
        if (on) value_ |= 1u << bit;
        else value_ &= ~(1u << bit);
    }
    std::uint32_t value() const { return value_; }
    void storeTo(SettingsImage &image, const Layout &layout) const { image.setWord24(layout.flags, value_); }

private:
    std::uint32_t value_;
};

} // namespace alvetra
