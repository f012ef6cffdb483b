#include "GroupBuilders.h"

#include "AlarmTexts.h"
#include "CodeWord.h"
#include "Cp1250.h"
#include "FlagsWord.h"
#include "PcPassword.h"

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
    const std::array<const QString *, 4> codes{&values.kodInst, &values.kodKidnaper, &values.kodAntykradziez,
                                               &values.kodIAwarja};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        for (std::size_t j = i + 1; j < codes.size(); ++j) {
            if (*codes[i] == *codes[j])
                return BuildOutcome::failure({kCaptionWarning, texts::kCodesMustDiffer, MessageIcon::Warning});
        }
    }
    const std::array<int, 4> positions{layout.codeInst, layout.codeKidnaper, layout.codeAntykradziez,
                                       layout.codeIAwarja};
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
    if (auto refusal = checkNewPassword(values.kodProg1, values.kodProg2))
        return BuildOutcome::failure(*refusal);
    storePcPassword(image, layout, values.kodProg1);
    return BuildOutcome::success();
}

void buildTurnSignals(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::SoundConfirmation, values.sygnalDzwiekowyPotwierdzenie);
    flags.set(flag::TurnSignalConfirmation, values.sygnalKierunkiPotwierdzenie);
    flags.set(flag::SequentialTurnSignals, values.kierunkiSekwencjaOn);
    if (values.kierunkiSekwencjaOn)
        applyRadio(flags, flag::ContinuousSequenceOutput, values.sekwencjaWyjscie, 0);
    applyRadio(flags, flag::TurnSignals2Hz, values.kierunki1_2Hz, 1);
    applyRadio(flags, flag::AlternateTurnSignals, values.kierunkiNaprzemienne, 1);
    flags.storeTo(image, layout);
}

void buildCentralLocks(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::CentralLock, values.zamekSterowanieOn);
    if (!values.zamekSterowanieOn) {
        flags.storeTo(image, layout);
        return;
    }
    applyRadio(flags, flag::MainPulse3s, values.zamekCzasImpulsuGlownego, 1);

    int pulseCount = 0;
    if (values.dodatkowyZamknij1) {
        pulseCount = 1;
        image.set(layout.pauseAC2, lowByte(values.przerwa1Zamknij));
        image.set(layout.pulseC2, lowByte(values.sygnal1Zamknij));
    }
    // E2 needs C2 in front of it, so it writes both pulses whatever the C2 box says.
    if (values.dodatkowyZamknij2) {
        pulseCount = 2;
        image.set(layout.pauseAC2, lowByte(values.przerwa1Zamknij));
        image.set(layout.pulseC2, lowByte(values.sygnal1Zamknij));
        image.set(layout.pauseC2E2, lowByte(values.przerwa2Zamknij));
        image.set(layout.pulseE2, lowByte(values.sygnal2Zamknij));
    }
    image.set(layout.closePulseCount, static_cast<std::uint8_t>(pulseCount));

    flags.set(flag::ExtraOpenPulse, values.dodatkowyOtworz);
    if (values.dodatkowyOtworz) {
        image.set(layout.pauseAC1, lowByte(values.przerwaOtworz));
        image.set(layout.pulseC1, lowByte(values.sygnalOtworz));
    }
    flags.set(flag::LockAfterIgnition, values.zamykaniePoStacyjce);
    if (values.zamykaniePoStacyjce)
        image.set(layout.lockDelayAfterIgnition, lowByte(values.czasPoStacyjce));
    flags.storeTo(image, layout);
}

void buildAntiTheft(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::AntiTheft, values.antykradziez);
    if (values.antykradziez) {
        applyAuthorisation(flags, flag::AntiTheftByCode, flag::AntiTheftByToken, values.antykradziezAutoryzacja);
        image.set(layout.antiTheftDelay, lowByte(values.czasZwlokiAntykradziez));
        flags.set(flag::IgnitionWhileArmedAlert, values.antykradziezStacyjkaOn);
    }
    flags.storeTo(image, layout);
}

void buildAntiHijack(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::AntiHijack, values.antynapad);
    if (values.antynapad) {
        applyAuthorisation(flags, flag::AntiHijackByCode, flag::AntiHijackByToken, values.antynapadAutoryzacja);
        image.set(layout.antiHijackDelay, lowByte(values.czasZwlokiAntynapad));
        applyRadio(flags, flag::DriverAndBootInputs, values.przewodKier, 0);
    }
    flags.storeTo(image, layout);
}

void buildRearming(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    FlagsWord flags(image, layout);
    flags.set(flag::Rearming, values.dozbrajanie);
    applyRadio(flags, flag::ArmingDelay30s, values.uzbrajanie5_30sek, 1);
    flags.storeTo(image, layout);
}

void buildCanOptions(SettingsImage &image, const Layout &layout, const TabValues &values)
{
    const int address = layout.flags + 2;
    std::uint8_t byte = image.at(address) & 0x8F;
    if (values.alarmCanWylaczKrancowke) byte |= 0x10;
    if (values.alarmCanWylaczStacyjke) byte |= 0x20;
    if (values.alarmCanWylaczPilot) byte |= 0x40;
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
        const bool noMake = values.marka < 0;
        const bool noModel = values.model < 0;
        if (noMake && noModel) return BuildOutcome::failure(information(texts::kNoMakeNoModel));
        if (noMake) return BuildOutcome::failure(information(texts::kNoMake));
        if (noModel) return BuildOutcome::failure(information(texts::kNoModel));
        const auto key = static_cast<std::uint16_t>(values.marka * 256 + values.model);
        const std::optional<std::uint8_t> group = carGroup ? carGroup(key) : std::nullopt;
        if (!group)
            return BuildOutcome::failure(information(texts::kCarNotInDatabase));
        image.set(layout.canGroup, *group);
        return BuildOutcome::success();
    }
    const IntegerText number = parseIntegerText(values.nrGrupyWybrany);
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
