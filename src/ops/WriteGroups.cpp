#include "ops/WriteGroups.h"

#include "ops/OpsTexts.h"

namespace alvetra {

std::vector<WriteBlockSpec> groupBlocks(WriteGroup group, const Layout &l)
{
    const WriteBlockSpec flagsWord{l.flags, 3};
    switch (group) {
    case WriteGroup::PcPassword: return {{l.pcPassword, 4}};
    case WriteGroup::Codes:
        return {{l.programmingCode, 2}, {l.antiHijackCode, 2}, {l.antiTheftCode, 2}, {l.emergencyCode, 2}};
    case WriteGroup::TurnSignals: return {flagsWord};
    case WriteGroup::CentralLocks:
        return {flagsWord,       {l.closePulseCount, 1}, {l.pauseAC1, 1},  {l.pulseC1, 1},
                {l.pauseAC2, 1}, {l.pulseC2, 1},         {l.pauseC2E2, 1}, {l.pulseE2, 1},
                {l.lockDelayAfterIgnition, 1}};
    case WriteGroup::AntiTheft: return {flagsWord, {l.antiTheftDelay, 1}};
    case WriteGroup::AntiHijack: return {flagsWord, {l.antiHijackDelay, 1}};
    case WriteGroup::Rearming: return {flagsWord};
    case WriteGroup::CanGroup: return {{l.canGroup, 1}};
    case WriteGroup::CanOptions: return {flagsWord};
    }
    return {};
}

const GroupTexts &groupTexts(WriteGroup group)
{
    using namespace texts;
    static const GroupTexts table[] = {
        {kPcPasswordProgress, kPcPasswordDone, kPcPasswordFailedBox, kPcPasswordFailed},
        {kCodesProgress, kCodesDone, kCodesFailedBox, kCodesFailed},
        {kTurnSignalsProgress, kTurnSignalsDone, kTurnSignalsFailedBox, kTurnSignalsFailed},
        {kLocksProgress, kLocksDone, kLocksFailedBox, kLocksFailed},
        {kAntiTheftProgress, kAntiTheftDone, kAntiTheftFailedBox, kAntiTheftFailed},
        {kAntiHijackProgress, kAntiHijackDone, kAntiHijackFailedBox, kAntiHijackFailed},
        {kRearmingProgress, kRearmingDone, kRearmingFailedBox, kRearmingFailed},
        {kCanGroupProgress, kCanGroupDone, kCanGroupFailedBox, kCanGroupFailed},
        {kCanOptionsProgress, kCanOptionsDone, kCanOptionsFailedBox, kCanOptionsFailed},
    };
    return table[static_cast<int>(group)];
}

std::optional<QString> programmedNotice(WriteGroup group)
{
    switch (group) {
    case WriteGroup::AntiTheft: return texts::kAntiTheftProgrammed;
    case WriteGroup::AntiHijack: return texts::kAntiHijackProgrammed;
    case WriteGroup::Rearming: return texts::kRearmingProgrammed;
    default: return std::nullopt;
    }
}

} // namespace alvetra
