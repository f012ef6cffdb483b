#include "GroupParts.h"

#include "alarm/FlagsWord.h"

namespace alvetra::soak {

namespace {

std::uint32_t bits(std::initializer_list<int> positions)
{
    std::uint32_t mask = 0;
    for (int bit : positions) mask |= 1u << bit;
    return mask;
}

std::uint32_t flagsOf(const ImageBytes &image, const Layout &l)
{
    return image[l.flags] | image[l.flags + 1] << 8 | std::uint32_t(image[l.flags + 2]) << 16;
}

} // namespace

GroupParts partsOf(WriteGroup group, const Layout &l)
{
    using namespace flag;
    switch (group) {
    case WriteGroup::PcPassword: return {{l.pcPassword, l.pcPassword + 1, l.pcPassword + 2, l.pcPassword + 3}, 0};
    case WriteGroup::Codes:
        return {{l.programmingCode, l.programmingCode + 1, l.antiHijackCode, l.antiHijackCode + 1, l.antiTheftCode,
                 l.antiTheftCode + 1, l.emergencyCode, l.emergencyCode + 1}, 0};
    case WriteGroup::TurnSignals:
        return {{}, bits({SoundConfirmation, TurnSignalConfirmation, TurnSignals2Hz, SequentialTurnSignals,
                          AlternateTurnSignals, ContinuousSequenceOutput})};
    case WriteGroup::CentralLocks:
        return {{l.closePulseCount, l.pauseAC1, l.pulseC1, l.pauseAC2, l.pulseC2, l.pauseC2E2, l.pulseE2,
                 l.lockDelayAfterIgnition},
                bits({CentralLock, ExtraOpenPulse, LockAfterIgnition, MainPulse3s})};
    case WriteGroup::AntiTheft:
        return {{l.antiTheftDelay}, bits({AntiTheft, AntiTheftByCode, AntiTheftByToken, IgnitionWhileArmedAlert})};
    case WriteGroup::AntiHijack:
        return {{l.antiHijackDelay}, bits({AntiHijack, DriverAndBootInputs, AntiHijackByCode, AntiHijackByToken})};
    case WriteGroup::Rearming: return {{}, bits({Rearming, ArmingDelay30s})};
    case WriteGroup::CanGroup: return {{l.canGroup}, 0};
    case WriteGroup::CanOptions: return {{}, bits({CanIgnoreDoorSwitches, CanIgnoreIgnition, CanIgnoreFactoryRemote})};
    }
    return {};
}

QStringList differences(WriteGroup group, const Layout &layout, const ImageBytes &unit, const ImageBytes &intended)
{
    QStringList lines;
    const GroupParts parts = partsOf(group, layout);
    for (int address : parts.bytes) {
        if (unit[address] != intended[address])
            lines << QStringLiteral("%1: byte %2 unit %3 intended %4")
                         .arg(groupName(group)).arg(address).arg(unit[address]).arg(intended[address]);
    }
    const std::uint32_t unitBits = flagsOf(unit, layout) & parts.flagBits;
    const std::uint32_t intendedBits = flagsOf(intended, layout) & parts.flagBits;
    if (unitBits != intendedBits)
        lines << QStringLiteral("%1: flag bits unit %2 intended %3")
                     .arg(groupName(group)).arg(unitBits, 6, 16, QLatin1Char('0')).arg(intendedBits, 6, 16, QLatin1Char('0'));
    return lines;
}

QString groupName(WriteGroup group)
{
    static const char *names[] = {"PC password", "codes", "turn signals", "central locks", "anti-theft",
                                  "anti-hijack", "re-arming", "CAN group", "CAN options"};
    return QString::fromLatin1(names[static_cast<int>(group)]);
}

} // namespace alvetra::soak
