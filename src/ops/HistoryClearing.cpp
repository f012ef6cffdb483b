#include "ops/HistoryClearing.h"

#include "alarm/History.h"
#include "ops/Login.h"
#include "ops/OperationBracket.h"
#include "ops/OpsTexts.h"
#include "ops/UnitRequests.h"

namespace alvetra {

OperationOutcome HistoryClearing::clear()
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    OperationBracket bracket(view);
    if (!LoginProcedure(context_).run(kLoginDelayMs))
        return OperationOutcome::Failed;

    const Layout &layout = state.layout;
    view.beginProgress(texts::kHistoryClearProgress, layout.historyLast - layout.historyFirst + 1);
    UnitRequests unit(context_.link);
    int errors = 0;
    for (const ByteWrite &write : historyClearPlan(layout)) {
        state.image.set(write.address, write.value);
        if (unit.writeBlock(write.address, 1, state.image) == WriteResult::Written)
            view.stepProgress();
        else
            ++errors;
    }
    view.hideProgress();

    if (errors == 0) {
        view.showStatus(texts::kHistoryCleared, kFinalStatusWidth, StatusColour::WindowText);
        return OperationOutcome::Done;
    }
    view.showMessage({kCaptionWarning, texts::kHistoryClearFailedBox, MessageIcon::Warning});
    view.showStatus(texts::kHistoryClearFailed, kFinalStatusWidth, StatusColour::Red);
    return OperationOutcome::Failed;
}

} // namespace alvetra
