#include "alarm/OwnerPapers.h"

#include "alarm/PaperTexts.h"
#include "alarm/SettingsFill.h"
#include "alarm/SettingsTexts.h"
#include "alarm/WriteGroup.h"

#include <QRegularExpression>

#include <algorithm>

namespace alvetra {

namespace {

namespace p = papertexts;
namespace t = tabtexts;

constexpr int kCodeByButton = 0;   // authorisation items: by button code, by token, by either
constexpr int kCodeOrToken = 2;

QString item(const QStringList &items, int index) { return index >= 0 && index < items.size() ? items[index] : QString(); }
QString yesNo(bool value) { return value ? p::kYes : p::kNo; }
bool usesButtonCode(int authorisation) { return authorisation == kCodeByButton || authorisation == kCodeOrToken; }

// "aktywna, autoryzacja kodem z przycisku, ..." from the block's state and its details.
QString block(bool active, const QStringList &details)
{
    if (!active)
        return p::kInactive;
    QStringList parts{p::kActive};
    for (const QString &detail : details) {
        if (!detail.isEmpty())
            parts << detail;
    }
    return parts.join(QStringLiteral(", "));
}

PaperSection workshopSection(const PaperFacts &f)
{
    return {p::kWorkshop,
            {{p::kWorkshopName, f.workshop.name},
             {p::kWorkshopAddress, f.workshop.address},
             {p::kWorkshopPhone, f.workshop.phone},
             {p::kDate, f.date.toString(QStringLiteral("dd.MM.yyyy"))}}};
}

QString makeAndModel(const CarIdentity &car)
{
    const QString text = QStringList{car.make, car.model}.join(u' ').trimmed();
    return text.isEmpty() ? p::kNoCarChosen : text;
}

PaperSection carSection(const CarIdentity &car)
{
    return {p::kCar, {{p::kMakeAndModel, makeAndModel(car)}, {p::kRegistration, car.registration}, {p::kVin, car.vin}}};
}

PaperSection unitSection(const PaperFacts &f)
{
    if (!f.unit.isEmpty())
        return {p::kUnit, {{p::kIdentification, f.unit}}};
    return {p::kUnit, {{p::kIdentification, p::kUnknownUnit}, {p::kFamily, QString::number(f.familyCode)}}};
}

PaperSection protectionsSection(const PaperFacts &f)
{
    const TabValues &v = f.values;
    PaperSection s{p::kProtections, {}};
    const QString antiTheftAuthorisation = item(t::kAuthorisationItems, v.antiTheftAuthorisation);
    s.lines.push_back({p::kAntiTheft, block(v.antiTheft, {antiTheftAuthorisation, p::kAntiTheftArms.arg(v.antiTheftDelay)})});
    if (v.antiTheft)
        s.lines.push_back({p::kIgnitionAlert, yesNo(v.ignitionWhileArmedAlert)});
    const QString antiHijackAuthorisation = item(t::kAuthorisationItems, v.antiHijackAuthorisation);
    s.lines.push_back({p::kAntiHijack, block(v.antiHijack, {antiHijackAuthorisation, p::kAntiHijackDelay.arg(v.antiHijackDelay)})});
    if (v.antiHijack && !item(t::kPrzewodKierItems, v.doorInputs).isEmpty())
        s.lines.push_back({p::kAntiHijackInputs, item(t::kPrzewodKierItems, v.doorInputs)});
    s.lines.push_back({p::kCentralLock, v.centralLock ? p::kOn : p::kOff});
    if (v.centralLock)
        s.lines.push_back({p::kLockAfterIgnition, v.lockAfterIgnition ? p::kAfterSeconds.arg(v.lockDelayAfterIgnition) : p::kOff});
    if (!item(t::kUzbrajanie5_30sekItems, v.armingDelay).isEmpty())
        s.lines.push_back({p::kArmingDelay, item(t::kUzbrajanie5_30sekItems, v.armingDelay)});
    s.lines.push_back({p::kRearming, yesNo(v.rearming)});
    // The unit follows the car's bus for the group it holds; group 0 is none.
    const QString group = v.storedCanGroup.trimmed();
    const bool followsCan = !group.isEmpty() && group != QStringLiteral("0");
    s.lines.push_back({p::kCan, followsCan ? p::kCanGroup.arg(group) : p::kNo});
    if (f.familyCode >= kCanAnalysisFamily) {
        // Only the options in force: each makes the unit ignore something the car's bus says.
        const std::pair<bool, QString> options[] = {{v.canIgnoreDoorSwitches, t::kCanIgnoreDoorSwitchesCaption},
                                                    {v.canIgnoreIgnition, t::kCanIgnoreIgnitionCaption},
                                                    {v.canIgnoreFactoryRemote, t::kCanIgnoreFactoryRemoteCaption}};
        for (const auto &[set, caption] : options) {
            if (set)
                s.lines.push_back({caption, p::kYes});
        }
    }
    return s;
}

QString code(const QString &letters) { return p::kLetters.arg(pressesInWords(letters), letters); }

// A slot's line is its number alone ("3. ") until a remote or token is learnt into it.
template <typename Lines> int learnt(const Lines &lines)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const QString &line) { return line.trimmed().size() > 2; }));
}

} // namespace

void takeSettings(PaperFacts &facts, const SettingsImage &image, const Layout &layout, int familyCode)
{
    SettingsImage copy(image);   // the fill stores the minute counter into the image it reads
    const FillResult filled = fillFromImage(copy, layout, TabValues{}, FillContext{familyCode, 0, {}});
    facts.values = filled.values;
    facts.familyCode = familyCode;
    facts.remotes = learnt(filled.remotes.remotes);
    facts.tokens = learnt(filled.remotes.tokens);
}

bool isWellFormedVin(const QString &vin)
{
    static const QRegularExpression form(QStringLiteral("^[A-HJ-NPR-Z0-9]{%1}$").arg(kVinLength));
    return form.match(vin).hasMatch();
}

QString vinAsTyped(const QString &typed) { return typed.trimmed().toUpper(); }

QString pressesInWords(const QString &letters)
{
    QStringList presses;
    for (const QChar letter : letters)
        presses << (letter == u'D' ? p::kLong : p::kShort);
    return presses.join(p::kPressSeparator);
}

Paper installationSheet(const PaperFacts &facts)
{
    Paper paper{p::kSheetTitle, p::kSheetSubtitle, {}, {p::kFitterSignature, p::kOwnerSignature}};
    paper.sections = {workshopSection(facts), carSection(facts.car), unitSection(facts), protectionsSection(facts),
                      {p::kLearnt, {{p::kRemotes, QString::number(facts.remotes)}, {p::kTokens, QString::number(facts.tokens)}}}};
    return paper;
}

Paper codeCard(const PaperFacts &facts)
{
    const TabValues &v = facts.values;
    PaperSection codes{p::kCodes, {{p::kEmergencyCode, code(v.emergencyCode)}}};
    if (v.antiTheft && usesButtonCode(v.antiTheftAuthorisation) && !v.antiTheftCode.isEmpty())
        codes.lines.push_back({p::kAntiTheftCode, code(v.antiTheftCode)});
    if (v.antiHijack && usesButtonCode(v.antiHijackAuthorisation) && !v.antiHijackCode.isEmpty())
        codes.lines.push_back({p::kAntiHijackCode, code(v.antiHijackCode)});
    const bool authorisations = codes.lines.size() > 1;
    PaperSection howTo{p::kHowTo, {}, {p::kHowToPress, p::kHowToEmergency}};
    if (authorisations)
        howTo.texts << p::kHowToAuthorise;
    howTo.texts << p::kKeepApart;
    QStringList car{makeAndModel(facts.car)};
    if (!facts.car.registration.isEmpty())
        car << facts.car.registration;
    return {p::kCardTitle, p::kCardSubtitle, {{{}, {{p::kCar, car.join(QStringLiteral(", "))}}}, codes, howTo}, {}};
}

} // namespace alvetra
