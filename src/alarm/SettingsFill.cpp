#include "alarm/SettingsFill.h"

#include "alarm/CodeWord.h"
#include "alarm/FlagsWord.h"

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
    v.programmingCode = decodeCode(image.word16(layout.programmingCode));
    v.antiHijackCode = decodeCode(image.word16(layout.antiHijackCode));
    v.antiTheftCode = decodeCode(image.word16(layout.antiTheftCode));
    v.emergencyCode = decodeCode(image.word16(layout.emergencyCode));
}

void fillFlags(TabValues &v, const FlagsWord &flags, const TabValues &previous)
{
    v.sequenceOutput = radioItem(flags, flag::ContinuousSequenceOutput, 0);
    v.ignitionWhileArmedAlert = flags.test(flag::IgnitionWhileArmedAlert);
    v.doorInputs = radioItem(flags, flag::DriverAndBootInputs, 0);
    v.mainPulseLength = radioItem(flags, flag::MainPulse3s, 1);
    v.lockAfterIgnition = flags.test(flag::LockAfterIgnition);
    v.extraOpenPulse = flags.test(flag::ExtraOpenPulse);
    v.centralLock = flags.test(flag::CentralLock);
    v.armingDelay = radioItem(flags, flag::ArmingDelay30s, 1);
    v.antiHijack = flags.test(flag::AntiHijack);
    v.antiTheft = flags.test(flag::AntiTheft);
    v.rearming = flags.test(flag::Rearming);
    v.turnSignalMode = radioItem(flags, flag::AlternateTurnSignals, 1);
    v.sequentialTurnSignals = flags.test(flag::SequentialTurnSignals);
    v.turnSignalRate = radioItem(flags, flag::TurnSignals2Hz, 1);
    v.turnSignalConfirmation = flags.test(flag::TurnSignalConfirmation);
    v.soundConfirmation = flags.test(flag::SoundConfirmation);
    v.antiTheftAuthorisation = authorisationItem(flags, flag::AntiTheftByCode, flag::AntiTheftByToken,
                                                  previous.antiTheftAuthorisation);
    v.antiHijackAuthorisation = authorisationItem(flags, flag::AntiHijackByCode, flag::AntiHijackByToken,
                                               previous.antiHijackAuthorisation);
}

void fillClosePulses(TabValues &v, std::uint8_t pulseCount)
{
    if (pulseCount <= 2) {
        v.extraClosePulse1 = pulseCount >= 1;
        v.extraClosePulse2 = pulseCount == 2;
    }
    if (v.extraClosePulse2)
        v.extraClosePulse1 = true;
}

void fillTimes(TabValues &v, const SettingsImage &image, const Layout &layout)
{
    v.pauseAC1 = spinValue(image.at(layout.pauseAC1));
    v.pulseC1 = spinValue(image.at(layout.pulseC1));
    v.pauseAC2 = spinValue(image.at(layout.pauseAC2));
    v.pulseC2 = spinValue(image.at(layout.pulseC2));
    v.pauseC2E2 = spinValue(image.at(layout.pauseC2E2));
    v.pulseE2 = spinValue(image.at(layout.pulseE2));
    v.lockDelayAfterIgnition = spinValue(image.at(layout.lockDelayAfterIgnition));
    v.antiTheftDelay = spinValue(image.at(layout.antiTheftDelay));
    v.antiHijackDelay = spinValue(image.at(layout.antiHijackDelay), kAntiHijackSpinMin);
}

void fillCanOptions(TabValues &v, const FlagsWord &flags)
{
    v.canIgnoreDoorSwitches = flags.test(flag::CanIgnoreDoorSwitches);
    v.canIgnoreIgnition = flags.test(flag::CanIgnoreIgnition);
    v.canIgnoreFactoryRemote = flags.test(flag::CanIgnoreFactoryRemote);
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
    v.storedCanGroup = group;
    v.chosenCanGroup = group;
    result.remotes = remoteAndTokenTexts(image, layout);
    return result;
}

} // namespace alvetra
