#pragma once
// Writing settings groups to the unit: one group (each "&Zapis" button, the PC password change)
// and all groups in a row (BITBTN_ZapisAll).

#include "alarm/GroupBuilders.h"
#include "alarm/SettingsDiff.h"
#include "link/Request.h"
#include "ops/OperationState.h"
#include "alarm/TabValues.h"
#include "ops/WriteGroups.h"

#include <vector>

namespace alvetra {

class GroupWriter {
public:
    explicit GroupWriter(const OperationContext &context) : context_(context) {}

    // One group write inside its own operation bracket: the login, the group's builder at the
    // layout the login confirmed, the blocks with progress, the confirmation, the result texts.
    // Sets the login-ok and write-ok flags of the state as writing all groups counts them. The
    // CAN-analysis options do nothing at all while their group box is hidden. A PC password the
    // unit has taken goes into the access password; the new-password edits are emptied at the
    // very end, whatever the outcome. A group whose write or confirmation got no reply is
    // written on after a new login from the block that got none (not the PC password), at most
    // kMaxReloginsPerBlock times for one block; a refusal is final.
    OperationOutcome write(WriteGroup group);

    // Every group in kWriteAllOrder (the CAN-analysis options only from family 15 on) while the
    // logins succeed (a new PC password written first is the one the later logins send), then
    // "Zaprogramowano %d pozycji z %d" or "Zapisano wszystkie pozycje". Done only when every
    // group of the family was written.
    OperationOutcome writeAll();

    // The groups whose settings differ from the unit's memory as last read or written, in
    // kWriteAllOrder, each as writing all groups writes it; "Ustawienia nie różnią się od
    // zapisanych w centrali." in the status line and Skipped when none does (or nothing was read).
    OperationOutcome writeChanged();

private:
    // Asks the view to confirm the changes when some lie beyond the tab in front.
    bool confirmedByUser(const std::vector<SettingDifference> &changes);
    OperationOutcome writeGroups(const std::vector<WriteGroup> &groups);
    // The unit's memory as the program knows it takes up the group's bytes.
    void rememberWritten(WriteGroup group);

    enum class Attempt {
        Written,      // every block and the confirmation answered and accepted
        Failed,       // refused by the unit, or the port is gone
        Unanswered,   // a write or the confirmation got no reply
        Stopped,      // the login or the group's builder refused; they have said why
    };

    // How far a group's write has come: the blocks before `nextBlock` were answered and
    // accepted. `built` once the group's bytes are in the image (a later attempt sends the same).
    struct Progress {
        std::size_t nextBlock = 0;
        bool built = false;
        TabValues values;   // the tab values the group was built from
    };

    void writeInBracket(WriteGroup group);
    // The login, on the first attempt the group built at the layout it confirmed, the blocks
    // from `progress.nextBlock` on and the confirmation.
    Attempt attempt(WriteGroup group, Progress &progress);
    BuildOutcome build(WriteGroup group, const TabValues &values);
    // Written when every block from `progress.nextBlock` on was; otherwise the result of the
    // block that was not, which `progress` then names, and nothing more is sent.
    WriteResult sendBlocks(WriteGroup group, Progress &progress);
    bool confirm(WriteGroup group);
    // After a PC password write whose reply was lost: reads the password's bytes back (the
    // read puts the unit's into the image); true when they are the ones written.
    bool unitHoldsImagePassword();
    void reportSuccess(WriteGroup group, const TabValues &values);
    void reportFailure(WriteGroup group);
    // Shows a refusing builder's message; true when the builder accepted.
    bool accepted(const BuildOutcome &outcome);

    OperationContext context_;
};

} // namespace alvetra
