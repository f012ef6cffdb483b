#include "ops/GroupWriter.h"

#include "ops/Login.h"
#include "ops/OperationBracket.h"
#include "ops/OpsTexts.h"
#include "ops/SettingsComparison.h"
#include "alarm/PcPassword.h"
#include "ops/UnitRequests.h"

#include <algorithm>

namespace alvetra {

namespace {

// When a group's controls are turned into image bytes: always after the login, which fixes the
// layout the blocks are sent from.
enum class BuildMoment {
    AfterLogin,      // codes, PC password, CAN group (may refuse: nothing is sent); central locks
    AfterProgress,   // the flag groups, once the progress bar shows
};

BuildMoment buildMoment(WriteGroup group)
{
    switch (group) {
    case WriteGroup::CentralLocks:
    case WriteGroup::CanGroup:
    case WriteGroup::PcPassword:
    case WriteGroup::Codes: return BuildMoment::AfterLogin;
    default: return BuildMoment::AfterProgress;
    }
}

// The main check box of a group whose success is followed by a notice.
bool switchedOn(WriteGroup group, const TabValues &values)
{
    switch (group) {
    case WriteGroup::AntiTheft: return values.antiTheft;
    case WriteGroup::AntiHijack: return values.antiHijack;
    case WriteGroup::Rearming: return values.rearming;
    default: return false;
    }
}

// Empties the PC password edits when the password change ends, after its bracket.
class PasswordEditsClearing {
public:
    PasswordEditsClearing(OperationView &view, bool active) : view_(view), active_(active) {}
    ~PasswordEditsClearing()
    {
        if (active_)
            view_.clearPcPasswordEdits();
    }
    PasswordEditsClearing(const PasswordEditsClearing &) = delete;
    PasswordEditsClearing &operator=(const PasswordEditsClearing &) = delete;

private:
    OperationView &view_;
    bool active_;
};

} // namespace

OperationOutcome GroupWriter::write(WriteGroup group)
{
    if (group == WriteGroup::CanOptions && !context_.view.canAnalysisShown())
        return OperationOutcome::Skipped;
    {
        PasswordEditsClearing clearing(context_.view, group == WriteGroup::PcPassword);
        writeInBracket(group);
    }
    return context_.state.writeOk ? OperationOutcome::Done : OperationOutcome::Failed;
}

void GroupWriter::writeInBracket(WriteGroup group)
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    OperationBracket bracket(view);

    state.writeOk = false;
    state.loginOk = false;
    // A car the database does not know costs no login. Checked on a copy: the image is built
    // only at the layout of the unit the login finds.
    if (group == WriteGroup::CanGroup) {
        SettingsImage scratch;
        if (!accepted(buildCanGroup(scratch, state.layout, view.gatherValues(), state.cars.groupLookup())))
            return;
    }

    Progress progress;
    Attempt result = attempt(group, progress);
    // A reply lost on the line is answered by a new login and the group's frames from the block
    // that got no reply on, the same frames as before: the same bytes at the same addresses leave
    // the unit as one write does, and the confirmation takes up what it stored. Not the PC
    // password: a unit that took it checks the new login against it, and the fitter would be
    // told that the password he typed is wrong.
    int relogins = 0;
    std::size_t lostBlock = progress.nextBlock;
    bool retried = false;
    while (result == Attempt::Unanswered && group != WriteGroup::PcPassword) {
        if (progress.nextBlock != lostBlock) {
            lostBlock = progress.nextBlock;
            relogins = 0;
        }
        if (++relogins > kMaxReloginsPerBlock)
            break;
        state.loginOk = false;
        retried = true;
        result = attempt(group, progress);
    }
    if (result == Attempt::Unanswered && group == WriteGroup::PcPassword && unitHoldsImagePassword())
        result = Attempt::Written;
    if (result == Attempt::Written)
        reportSuccess(group, progress.values);
    // A login that stops the first attempt has said why and nothing was sent; after the first
    // attempt's blocks the group's own failure is told as well.
    else if (result != Attempt::Stopped || retried)
        reportFailure(group);
}

GroupWriter::Attempt GroupWriter::attempt(WriteGroup group, Progress &progress)
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    const BuildMoment moment = buildMoment(group);
    if (!LoginProcedure(context_).run(kLoginDelayMs))
        return Attempt::Stopped;
    state.loginOk = true;
    if (!progress.built && moment == BuildMoment::AfterLogin && !accepted(build(group, view.gatherValues())))
        return Attempt::Stopped;

    view.beginProgress(groupTexts(group).progress, static_cast<int>(groupBlocks(group, state.layout).size()));
    if (!progress.built) {
        progress.values = view.gatherValues();
        if (moment == BuildMoment::AfterProgress)
            build(group, progress.values);
        progress.built = true;
    }

    const WriteResult blocks = sendBlocks(group, progress);
    // Confirmed also after a failed block, so the unit takes up what it already stored.
    const bool confirmed = confirm(group);
    if (blocks == WriteResult::Written && confirmed)
        return Attempt::Written;
    const bool unanswered = blocks == WriteResult::NotAnswered || (blocks == WriteResult::Written && !confirmed);
    return unanswered && UnitRequests(context_.link).portOpen() ? Attempt::Unanswered : Attempt::Failed;
}

bool GroupWriter::unitHoldsImagePassword()
{
    const OperationState &state = context_.state;
    const int address = state.layout.pcPassword;
    const SettingsImage written = state.image;
    if (!UnitRequests(context_.link).readBlock(address, kPcPasswordLength))
        return false;
    for (int i = 0; i < kPcPasswordLength; ++i) {
        if (state.image.at(address + i) != written.at(address + i))
            return false;
    }
    return true;
}

BuildOutcome GroupWriter::build(WriteGroup group, const TabValues &values)
{
    SettingsImage &image = context_.state.image;
    const Layout &layout = context_.state.layout;
    switch (group) {
    case WriteGroup::PcPassword: return buildPcPassword(image, layout, values);
    case WriteGroup::Codes: return buildCodes(image, layout, values);
    case WriteGroup::TurnSignals: buildTurnSignals(image, layout, values); break;
    case WriteGroup::CentralLocks: buildCentralLocks(image, layout, values); break;
    case WriteGroup::AntiTheft: buildAntiTheft(image, layout, values); break;
    case WriteGroup::AntiHijack: buildAntiHijack(image, layout, values); break;
    case WriteGroup::Rearming: buildRearming(image, layout, values); break;
    case WriteGroup::CanGroup: return buildCanGroup(image, layout, values, context_.state.cars.groupLookup());
    case WriteGroup::CanOptions: buildCanOptions(image, layout, values); break;
    }
    return BuildOutcome::success();
}

bool GroupWriter::accepted(const BuildOutcome &outcome)
{
    if (!outcome.ok && outcome.message)
        context_.view.showMessage(*outcome.message);
    return outcome.ok;
}

WriteResult GroupWriter::sendBlocks(WriteGroup group, Progress &progress)
{
    UnitRequests unit(context_.link);
    const std::vector<WriteBlockSpec> blocks = groupBlocks(group, context_.state.layout);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        // The bar moves over the blocks an earlier attempt wrote, too.
        if (i > 0)
            context_.view.stepProgress();
        if (i < progress.nextBlock)
            continue;
        const WriteResult result = unit.writeBlock(blocks[i].address, blocks[i].count, context_.state.image);
        if (result != WriteResult::Written)
            return result;
        progress.nextBlock = i + 1;
    }
    return WriteResult::Written;
}

bool GroupWriter::confirm(WriteGroup group)
{
    UnitRequests unit(context_.link);
    if (group != WriteGroup::CanGroup)
        return unit.confirm();
    // Family 14 units take the CAN group without a confirmation.
    return context_.state.familyCode >= kCanAnalysisFamily ? unit.confirmCan() : true;
}

void GroupWriter::reportSuccess(WriteGroup group, const TabValues &values)
{
    OperationView &view = context_.view;
    view.stepProgress();
    view.hideProgress();
    view.showStatus(groupTexts(group).done, kFinalStatusWidth, StatusColour::WindowText);
    context_.state.writeOk = true;
    rememberWritten(group);
    // The unit checks every later login against the password it has just taken.
    if (group == WriteGroup::PcPassword)
        view.setAccessPassword(pcPasswordText(context_.state.image, context_.state.layout));
    const std::optional<QString> notice = programmedNotice(group);
    if (notice && switchedOn(group, values))
        view.showMessage({kCaptionWarning, *notice, MessageIcon::Warning});
}

void GroupWriter::reportFailure(WriteGroup group)
{
    OperationView &view = context_.view;
    view.hideProgress();
    view.showMessage({kCaptionWarning, groupTexts(group).failedBox, MessageIcon::Warning});
    view.showStatus(groupTexts(group).failed, kFinalStatusWidth, StatusColour::Red);
}

void GroupWriter::rememberWritten(WriteGroup group)
{
    OperationState &state = context_.state;
    if (!state.unitMemory)
        return;
    for (const WriteBlockSpec &block : groupBlocks(group, state.layout)) {
        for (int i = 0; i < block.count; ++i)
            state.unitMemory->set(block.address + i, state.image.at(block.address + i));
    }
}

bool GroupWriter::confirmedByUser(const std::vector<SettingDifference> &changes)
{
    OperationView &view = context_.view;
    const QString visible = view.visibleTab();
    const bool beyondVisibleTab =
        std::any_of(changes.begin(), changes.end(), [&](const SettingDifference &d) { return d.tab != visible; });
    return !beyondVisibleTab || view.confirmChanges(changes);
}

OperationOutcome GroupWriter::writeAll()
{
    if (const auto changes = changesAgainstUnit(context_); changes && !confirmedByUser(*changes))
        return OperationOutcome::Skipped;
    std::vector<WriteGroup> groups;
    for (WriteGroup group : kWriteAllOrder) {
        if (group != WriteGroup::CanOptions || context_.state.familyCode >= kCanAnalysisFamily)
            groups.push_back(group);
    }
    return writeGroups(groups);
}

OperationOutcome GroupWriter::writeChanged()
{
    const auto changes = changesAgainstUnit(context_);
    const std::vector<WriteGroup> groups = changes ? changedGroups(*changes) : std::vector<WriteGroup>{};
    if (groups.empty()) {
        context_.view.showStatus(texts::kNothingChanged, kFinalStatusWidth, StatusColour::WindowText);
        return OperationOutcome::Skipped;
    }
    if (!confirmedByUser(*changes))
        return OperationOutcome::Skipped;
    return writeGroups(groups);
}

OperationOutcome GroupWriter::writeGroups(const std::vector<WriteGroup> &groups)
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    OperationBracket bracket(view);
    PageControlLock pageControlLock(view);

    state.loginOk = true;
    int written = 0;
    for (WriteGroup group : groups) {
        if (group != groups.front() && !state.loginOk)
            break;
        // A group that does nothing (hidden CAN-analysis options) must not count the previous
        // group's success again.
        state.writeOk = false;
        write(group);
        if (state.writeOk)
            ++written;
    }

    const int total = static_cast<int>(groups.size());
    if (written == 0)
        return OperationOutcome::Failed;
    view.showStatus(written < total ? texts::kWrittenSome.arg(written).arg(total) : texts::kWrittenAll,
                    kFinalStatusWidth, StatusColour::WindowText);
    return written < total ? OperationOutcome::Failed : OperationOutcome::Done;
}

} // namespace alvetra
