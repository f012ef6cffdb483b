#include "alarm/GroupBuilders.h"

#include "alarm/AlarmTexts.h"
#include "alarm/CodeWord.h"
#include "alarm/Cp1250.h"
#include "alarm/FlagsWord.h"
#include "alarm/PcPassword.h"

#include <array>
#include <limits>

namespace alvetra {

namespace {

constexpr int kCanOptionsFamily = 15;

std::uint8_t lowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

// A two-item radio group: item 0 and item 1 decide the bit, no item (or anything else) leaves it.
// `setByItem` is the item that sets the bit (1 for most groups, 0 for the two inverted ones).
void applyRadio(FlagsWord &flags, int bit, int item, int setByItem)
{
    if (item == 0 || item == 1)
        flags.set(bit, item == setByItem);
}

// An authorisation group: item 0 by code, item 1 by token, item 2 by either; no item leaves both.
void applyAuthorisation(FlagsWord &flags, int codeBit, int tokenBit, int item)
{
    if (item < 0 || item > 2)
        return;
    flags.set(codeBit, item == 0 || item == 2);
    flags.set(tokenBit, item == 1 || item == 2);
}

UserMessage information(const QString &text) { return {kCaptionInformation, text, MessageIcon::Information}; }

} // namespace

BuildOutcome buildCodes(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    const std::array<const QString *, 4> codes{&values.programmingCode, &values.antiHijackCode, &values.antiTheftCode,
                                               &values.emergencyCode};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        for (std::size_t j = i + 1; j < codes.size(); ++j) {
            if (*codes[i] == *codes[j])
                return BuildOutcome::failure({kCaptionWarning, texts::kCodesMustDiffer, MessageIcon::Warning});
        }
    }
    const std::array<int, 4> positions{layout.programmingCode, layout.antiHijackCode, layout.antiTheftCode,
                                       layout.emergencyCode};
    for (std::size_t i = 0; i < codes.size(); ++i)
        image.setWord16(positions[i], encodeCode(*codes[i]));
    return BuildOutcome::success();
}

std::optional<UserMessage> checkNewPassword(const QString &first, const QString &second)
{
    if (first.size() != kPcPasswordLength || second.size() != kPcPasswordLength)
        return information(texts::kPasswordTooShort);
    if (first != second)
        return information(texts::kPasswordMismatch);
    bool encodable = false;
    const QByteArray bytes = cp1250::encode(first, &encodable);
    if (!encodable || bytes.size() != kPcPasswordLength)
        return information(texts::kPasswordNotEncodable);
    return std::nullopt;
}

BuildOutcome buildPcPassword(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    if (auto refusal = checkNewPassword(values.newPcPassword, values.newPcPasswordRepeat))
        return BuildOutcome::failure(*refusal);
    storePcPassword(image, layout, values.newPcPassword);
    return BuildOutcome::success();
}

void buildTurnSignals(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::SoundConfirmation, values.soundConfirmation);
    flags.set(flag::TurnSignalConfirmation, values.turnSignalConfirmation);
    flags.set(flag::SequentialTurnSignals, values.sequentialTurnSignals);
    if (values.sequentialTurnSignals)
        applyRadio(flags, flag::ContinuousSequenceOutput, values.sequenceOutput, 0);
    applyRadio(flags, flag::TurnSignals2Hz, values.turnSignalRate, 1);
    applyRadio(flags, flag::AlternateTurnSignals, values.turnSignalMode, 1);
    flags.storeTo(image, layout);
}

void buildCentralLocks(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::CentralLock, values.centralLock);
    if (!values.centralLock) {
        flags.storeTo(image, layout);
        return;
    }
    applyRadio(flags, flag::MainPulse3s, values.mainPulseLength, 1);

    int pulseCount = 0;
    if (values.extraClosePulse1) {
        pulseCount = 1;
        image.set(layout.pauseAC2, lowByte(values.pauseAC2));
        image.set(layout.pulseC2, lowByte(values.pulseC2));
    }
    // E2 needs C2 in front of it, so it writes both pulses whatever the C2 box says.
    if (values.extraClosePulse2) {
        pulseCount = 2;
        image.set(layout.pauseAC2, lowByte(values.pauseAC2));
        image.set(layout.pulseC2, lowByte(values.pulseC2));
        image.set(layout.pauseC2E2, lowByte(values.pauseC2E2));
        image.set(layout.pulseE2, lowByte(values.pulseE2));
    }
    image.set(layout.closePulseCount, static_cast<std::uint8_t>(pulseCount));

    flags.set(flag::ExtraOpenPulse, values.extraOpenPulse);
    if (values.extraOpenPulse) {
        image.set(layout.pauseAC1, lowByte(values.pauseAC1));
        image.set(layout.pulseC1, lowByte(values.pulseC1));
    }
    flags.set(flag::LockAfterIgnition, values.lockAfterIgnition);
    if (values.lockAfterIgnition)
        image.set(layout.lockDelayAfterIgnition, lowByte(values.lockDelayAfterIgnition));
    flags.storeTo(image, layout);
}

void buildAntiTheft(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::AntiTheft, values.antiTheft);
    if (values.antiTheft) {
        applyAuthorisation(flags, flag::AntiTheftByCode, flag::AntiTheftByToken, values.antiTheftAuthorisation);
        image.set(layout.antiTheftDelay, lowByte(values.antiTheftDelay));
        flags.set(flag::IgnitionWhileArmedAlert, values.ignitionWhileArmedAlert);
    }
    flags.storeTo(image, layout);
}

void buildAntiHijack(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::AntiHijack, values.antiHijack);
    if (values.antiHijack) {
        applyAuthorisation(flags, flag::AntiHijackByCode, flag::AntiHijackByToken, values.antiHijackAuthorisation);
        image.set(layout.antiHijackDelay, lowByte(values.antiHijackDelay));
        applyRadio(flags, flag::DriverAndBootInputs, values.doorInputs, 0);
    }
    flags.storeTo(image, layout);
}

void buildRearming(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::Rearming, values.rearming);
    applyRadio(flags, flag::ArmingDelay30s, values.armingDelay, 1);
    flags.storeTo(image, layout);
}

void buildCanOptions(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    const int address = layout.flags + 2;
    std::uint8_t byte = image.at(address) & 0x8F;
    if (values.canIgnoreDoorSwitches) byte |= 0x10;
    if (values.canIgnoreIgnition) byte |= 0x20;
    if (values.canIgnoreFactoryRemote) byte |= 0x40;
    image.set(address, byte);
}

IntegerText parseIntegerText(const QString &text)
{
    const int length = text.size();
    int i = 0;
    while (i < length && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    bool negative = false;
    if (i < length && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    const auto failAt = [](int index) { return IntegerText{false, 0, index + 1}; };
    if (i == length)
        return failAt(i);
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 magnitude = 0;
    for (; i < length; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return failAt(i);
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > limit)
            return failAt(i);
    }
    return {true, static_cast<int>(negative ? -magnitude : magnitude), 0};
}

BuildOutcome buildCanGroup(SettingsImage &image, const Layout &layout, const TabValues &values,
                           const CarGroupLookup &carGroup)
{
    if (values.alarmCan) {
        const bool noMake = values.make < 0;
        const bool noModel = values.model < 0;
        if (noMake && noModel) return BuildOutcome::failure(information(texts::kNoMakeNoModel));
        if (noMake) return BuildOutcome::failure(information(texts::kNoMake));
        if (noModel) return BuildOutcome::failure(information(texts::kNoModel));
        const auto key = static_cast<std::uint16_t>(values.make * 256 + values.model);
        const std::optional<std::uint8_t> group = carGroup ? carGroup(key) : std::nullopt;
        if (!group)
            return BuildOutcome::failure(information(texts::kCarNotInDatabase));
        image.set(layout.canGroup, *group);
        return BuildOutcome::success();
    }
    const IntegerText number = parseIntegerText(values.chosenCanGroup);
    if (!number.ok) {
        return BuildOutcome::failure(
            {kCaptionWarning, texts::kErrorAtPosition + QString::number(number.errorPosition), MessageIcon::Warning});
    }
    image.set(layout.canGroup, lowByte(number.value));
    return BuildOutcome::success();
}

std::vector<UserMessage> buildAll(SettingsImage &image, const Layout &layout, const TabValues &values,
                                  int familyCode, const CarGroupLookup &carGroup)
{
    std::vector<UserMessage> messages;
    const auto collect = [&messages](const BuildOutcome &outcome) {
        if (outcome.message)
            messages.push_back(*outcome.message);
    };
    collect(buildPcPassword(image, layout, values));
    collect(buildCodes(image, layout, values));
    buildTurnSignals(image, layout, values);
    buildCentralLocks(image, layout, values);
    buildAntiTheft(image, layout, values);
    buildAntiHijack(image, layout, values);
    buildRearming(image, layout, values);
    collect(buildCanGroup(image, layout, values, carGroup));
    if (familyCode >= kCanOptionsFamily)
        buildCanOptions(image, layout, values);
    return messages;
}

} // namespace alvetra
