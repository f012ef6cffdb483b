#include "SettingsFill.h"

#include "CodeWord.h"
#include "FlagsWord.h"

#include <algorithm>

namespace alvetra {

namespace {

int spinValue(std::uint8_t byte, int minimum = kSpinMin) { return std::clamp<int>(byte, minimum, kSpinMax); }

// A two-item radio group always has an item after the fill; `setItem` is the item of a set bit.
int radioItem(const FlagsWord &flags, int bit, int setItem) { return flags.test(bit) ? setItem : 1 - setItem; }

// The authorisation pair read back: code only is item 0, token only item 1, both item 2, none
// leaves the group as it was.
int authorisationItem(const FlagsWord &flags, int codeBit, int tokenBit, int previous)
{
    int counter = 1;
    if (flags.test(tokenBit)) ++counter;
    counter += flags.test(codeBit) ? 1 : -1;
    switch (counter) {
    case 1: return 1;
    case 2: return 0;
    case 3: return 2;
    default: return previous;
    }
}

void fillCodes(TabValues &v, const SettingsImage &image, const Layout &layout)
{
    v.kodInst = decodeCode(image.word16(layout.codeInst));
    v.kodKidnaper = decodeCode(image.word16(layout.codeKidnaper));
    v.kodAntykradziez = decodeCode(image.word16(layout.codeAntykradziez));
    v.kodIAwarja = decodeCode(image.word16(layout.codeIAwarja));
}

void fillFlags(TabValues &v, const FlagsWord &flags, const TabValues &previous)
{
    v.sekwencjaWyjscie = radioItem(flags, flag::ContinuousSequenceOutput, 0);
    v.antykradziezStacyjkaOn = flags.test(flag::IgnitionWhileArmedAlert);
    v.przewodKier = radioItem(flags, flag::DriverAndBootInputs, 0);
    v.zamekCzasImpulsuGlownego = radioItem(flags, flag::MainPulse3s, 1);
    v.zamykaniePoStacyjce = flags.test(flag::LockAfterIgnition);
    v.dodatkowyOtworz = flags.test(flag::ExtraOpenPulse);
    v.zamekSterowanieOn = flags.test(flag::CentralLock);
    v.uzbrajanie5_30sek = radioItem(flags, flag::ArmingDelay30s, 1);
    v.antynapad = flags.test(flag::AntiHijack);
    v.antykradziez = flags.test(flag::AntiTheft);
    v.dozbrajanie = flags.test(flag::Rearming);
    v.kierunkiNaprzemienne = radioItem(flags, flag::AlternateTurnSignals, 1);
    v.kierunkiSekwencjaOn = flags.test(flag::SequentialTurnSignals);
    v.kierunki1_2Hz = radioItem(flags, flag::TurnSignals2Hz, 1);
    v.sygnalKierunkiPotwierdzenie = flags.test(flag::TurnSignalConfirmation);
    v.sygnalDzwiekowyPotwierdzenie = flags.test(flag::SoundConfirmation);
    v.antykradziezAutoryzacja = authorisationItem(flags, flag::AntiTheftByCode, flag::AntiTheftByToken,
                                                  previous.antykradziezAutoryzacja);
    v.antynapadAutoryzacja = authorisationItem(flags, flag::AntiHijackByCode, flag::AntiHijackByToken,
                                               previous.antynapadAutoryzacja);
}

void fillClosePulses(TabValues &v, std::uint8_t pulseCount)
{
    if (pulseCount <= 2) {
        v.dodatkowyZamknij1 = pulseCount >= 1;
        v.dodatkowyZamknij2 = pulseCount == 2;
    }
    if (v.dodatkowyZamknij2)
        v.dodatkowyZamknij1 = true;
}

void fillTimes(TabValues &v, const SettingsImage &image, const Layout &layout)
{
    v.przerwaOtworz = spinValue(image.at(layout.pauseAC1));
    v.sygnalOtworz = spinValue(image.at(layout.pulseC1));
    v.przerwa1Zamknij = spinValue(image.at(layout.pauseAC2));
    v.sygnal1Zamknij = spinValue(image.at(layout.pulseC2));
    v.przerwa2Zamknij = spinValue(image.at(layout.pauseC2E2));
    v.sygnal2Zamknij = spinValue(image.at(layout.pulseE2));
    v.czasPoStacyjce = spinValue(image.at(layout.lockDelayAfterIgnition));
    v.czasZwlokiAntykradziez = spinValue(image.at(layout.antiTheftDelay));
    v.czasZwlokiAntynapad = spinValue(image.at(layout.antiHijackDelay), kAntynapadSpinMin);
}

void fillCanOptions(TabValues &v, const FlagsWord &flags)
{
    v.alarmCanWylaczKrancowke = flags.test(flag::CanIgnoreDoorSwitches);
    v.alarmCanWylaczStacyjke = flags.test(flag::CanIgnoreIgnition);
    v.alarmCanWylaczPilot = flags.test(flag::CanIgnoreFactoryRemote);
}

} // namespace

FillResult fillFromImage(SettingsImage &image, const Layout &layout, const TabValues &previous,
                         const FillContext &context)
{
    FillResult result;
    TabValues &v = result.values;
    v = previous;
    fillCodes(v, image, layout);
    const FlagsWord flags(image, layout);
    fillFlags(v, flags, previous);
    fillClosePulses(v, image.at(layout.closePulseCount));
    fillTimes(v, image, layout);
    fillCanOptions(v, flags);

    storeTimeCounter(image, layout, context.timeCounter);
    result.history = listHistory(image, layout, context.familyCode, context.timeCounter, context.now);

    const QString group = QString::number(image.at(layout.canGroup));
    v.nrGrupy = group;
    v.nrGrupyWybrany = group;
    result.remotes = remoteAndTokenTexts(image, layout);
    return result;
}

} // namespace alvetra
