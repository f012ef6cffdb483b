#include "alarm/SettingsWords.h"

#include "alarm/AlarmTexts.h"
#include "alarm/PcPassword.h"
#include "alarm/SettingsFill.h"
#include "alarm/SettingsTexts.h"

namespace alvetra {

namespace {

namespace t = tabtexts;

// Tabs by page index.
enum Tab { Codes = 0, TurnSignals = 1, Locks = 2, AntiTheft = 3, AntiHijack = 4, Rearming = 5, Can = 7 };

// A label as a line of the list: without the colon or equals sign that leads to its control.
QString bare(QString label)
{
    label = label.trimmed();
    while (label.endsWith(u':') || label.endsWith(u'='))
        label = label.chopped(1).trimmed();
    return label;
}

QString checkBox(bool checked) { return checked ? texts::kChecked : texts::kUnchecked; }
QString radio(const QStringList &items, int item) { return item >= 0 && item < items.size() ? items[item] : texts::kNothing; }
QString seconds(int value) { return QString::number(value) + u' ' + t::kSecondsUnit; }
QString code(const QString &letters) { return letters.isEmpty() ? texts::kNothing : letters; }
// A spin edit of the locks: its letter and what its unit label says it is ("sek. przerwa ...").
QString pulseLabel(const QString &letter, const QString &description)
{
    return bare(letter) + QStringLiteral(": ") + description.mid(t::kSecondsUnit.size()).trimmed();
}
QString boxInGroup(const QString &groupTitle, const QString &caption) { return groupTitle + QStringLiteral(": ") + caption; }

class Lines {
public:
    void add(Tab tab, const QString &setting, const QString &value, WriteGroup group, bool flagsWord = false)
    {
        lines_.push_back({t::kTabCaptions[tab], setting, value, group, flagsWord});
    }
    void flag(Tab tab, const QString &setting, const QString &value, WriteGroup group) { add(tab, setting, value, group, true); }
    void secret(Tab tab, const QString &setting, const QString &value, WriteGroup group)
    {
        add(tab, setting, value, group);
        lines_.back().secret = true;
    }
    std::vector<SettingWords> take() { return std::move(lines_); }

private:
    std::vector<SettingWords> lines_;
};

void codesTab(Lines &l, const TabValues &v, const QString &pcPassword)
{
    l.secret(Codes, bare(t::kHasloDostepu), code(QString(pcPassword).remove(QChar(0))), WriteGroup::PcPassword);
    l.secret(Codes, bare(t::kZmKoduProg), code(v.programmingCode), WriteGroup::Codes);
    l.secret(Codes, bare(t::kZmKoduPorw), code(v.antiHijackCode), WriteGroup::Codes);
    l.secret(Codes, bare(t::kZmKoduBlok), code(v.antiTheftCode), WriteGroup::Codes);
    l.secret(Codes, bare(t::kZmKoduAwarRozb), code(v.emergencyCode), WriteGroup::Codes);
}

void turnSignalsTab(Lines &l, const TabValues &v)
{
    const WriteGroup g = WriteGroup::TurnSignals;
    l.flag(TurnSignals, t::kSoundConfirmationCaption, checkBox(v.soundConfirmation), g);
    l.flag(TurnSignals, t::kTurnSignalConfirmationCaption, checkBox(v.turnSignalConfirmation), g);
    l.flag(TurnSignals, t::kSequentialTurnSignalsCaption, checkBox(v.sequentialTurnSignals), g);
    l.flag(TurnSignals, t::kSekwencjaWyjscie, radio(t::kSekwencjaWyjscieItems, v.sequenceOutput), g);
    l.flag(TurnSignals, t::kKierunki1_2Hz, radio(t::kKierunki1_2HzItems, v.turnSignalRate), g);
    l.flag(TurnSignals, t::kKierunkiNaprzemienne, radio(t::kKierunkiNaprzemienneItems, v.turnSignalMode), g);
}

void locksTab(Lines &l, const TabValues &v)
{
    const WriteGroup g = WriteGroup::CentralLocks;
    l.flag(Locks, t::kZamekSterowanieOn, checkBox(v.centralLock), g);
    l.flag(Locks, t::kMainPulseLengthTitle, radio(t::kMainPulseLengthItems, v.mainPulseLength), g);
    l.flag(Locks, boxInGroup(t::kGbCzasyOtworz, t::kC1PresentCaption), checkBox(v.extraOpenPulse), g);
    l.add(Locks, pulseLabel(t::kB1, t::kOpisPrzerwaOtw), seconds(v.pauseAC1), g);
    l.add(Locks, pulseLabel(t::kC1, t::kOpisSygnalOtw), seconds(v.pulseC1), g);
    l.add(Locks, boxInGroup(t::kGbCzasyZamknij, t::kC2PresentCaption), checkBox(v.extraClosePulse1), g);
    l.add(Locks, boxInGroup(t::kGbCzasyZamknij, t::kE2PresentCaption), checkBox(v.extraClosePulse2), g);
    l.add(Locks, pulseLabel(t::kB2, t::kOpisPrzerwa1Zam), seconds(v.pauseAC2), g);
    l.add(Locks, pulseLabel(t::kC2, t::kOpisSygnal1Zam), seconds(v.pulseC2), g);
    l.add(Locks, pulseLabel(t::kD2, t::kOpisPrzerwa2Zam), seconds(v.pauseC2E2), g);
    l.add(Locks, pulseLabel(t::kE2, t::kOpisSygnal2Zam), seconds(v.pulseE2), g);
    l.flag(Locks, t::kZamykaniePoStacyjce, checkBox(v.lockAfterIgnition), g);
    l.add(Locks, bare(t::kOpisCzasPoStac), seconds(v.lockDelayAfterIgnition), g);
}

void blockTabs(Lines &l, const TabValues &v)
{
    WriteGroup g = WriteGroup::AntiTheft;
    l.flag(AntiTheft, t::kAntykradziez, checkBox(v.antiTheft), g);
    l.flag(AntiTheft, t::kAuthorisationTitle, radio(t::kAuthorisationItems, v.antiTheftAuthorisation), g);
    l.add(AntiTheft, bare(t::kOpisCzasZwlokiBlok), seconds(v.antiTheftDelay), g);
    l.flag(AntiTheft, t::kAntykradziezStacyjkaOn, checkBox(v.ignitionWhileArmedAlert), g);

    g = WriteGroup::AntiHijack;
    l.flag(AntiHijack, t::kAntynapad, checkBox(v.antiHijack), g);
    l.flag(AntiHijack, t::kAuthorisationTitle, radio(t::kAuthorisationItems, v.antiHijackAuthorisation), g);
    l.add(AntiHijack, bare(t::kOpisCzasZwlokiAntynap), seconds(v.antiHijackDelay), g);
    l.flag(AntiHijack, bare(t::kPrzewodKier), radio(t::kPrzewodKierItems, v.doorInputs), g);

    g = WriteGroup::Rearming;
    l.flag(Rearming, t::kDozbrajanie, checkBox(v.rearming), g);
    l.flag(Rearming, t::kUzbrajanie5_30sek, radio(t::kUzbrajanie5_30sekItems, v.armingDelay), g);
}

void canTab(Lines &l, const TabValues &v, int familyCode)
{
    l.add(Can, bare(t::kGrupa), v.storedCanGroup.trimmed(), WriteGroup::CanGroup);
    if (familyCode < kCanAnalysisFamily)
        return;
    const WriteGroup g = WriteGroup::CanOptions;
    l.flag(Can, t::kCanIgnoreDoorSwitchesCaption, checkBox(v.canIgnoreDoorSwitches), g);
    l.flag(Can, t::kCanIgnoreIgnitionCaption, checkBox(v.canIgnoreIgnition), g);
    l.flag(Can, t::kCanIgnoreFactoryRemoteCaption, checkBox(v.canIgnoreFactoryRemote), g);
}

} // namespace

std::vector<SettingWords> describeValues(const TabValues &values, const QString &pcPassword, int familyCode)
{
    Lines lines;
    codesTab(lines, values, pcPassword);
    turnSignalsTab(lines, values);
    locksTab(lines, values);
    blockTabs(lines, values);
    canTab(lines, values, familyCode);
    return lines.take();
}

std::vector<SettingWords> describeImage(const SettingsImage &image, const Layout &layout, int familyCode)
{
    // The fill also stores the minute counter into the image it reads; this one is a copy.
    SettingsImage copy(image);
    const FillResult filled = fillFromImage(copy, layout, TabValues{}, FillContext{familyCode, 0, {}});
    return describeValues(filled.values, pcPasswordText(image, layout), familyCode);
}

QString groupName(WriteGroup group) { return texts::kGroupNames[static_cast<int>(group)]; }

QString groupsInWords(WriteGroup group, bool flagsWord)
{
    return flagsWord ? groupName(group) + texts::kFlagsWordNote : groupName(group);
}

void maskSecrets(std::vector<SettingWords> &settings)
{
    for (SettingWords &s : settings) {
        if (s.secret)
            s.value = kMaskedValue;
    }
}

} // namespace alvetra
