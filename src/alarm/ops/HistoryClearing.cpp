#include "HistoryClearing.h"

#include "History.h"
#include "Login.h"
#include "OperationBracket.h"
#include "OpsTexts.h"
#include "UnitRequests.h"

namespace alvetra {

void HistoryClearing::clear()
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    OperationBracket bracket(view);
    if (!LoginProcedure(context_).run(kLoginDelayMs))
        return;

    const Layout &layout = state.layout;
    view.BeginProgress(texts::kHistoryClearProgress, layout.historyLast - layout.historyFirst + 1);
    UnitRequests unit(context_.link);
    int errors = 0;
    for (const ByteWrite &write : historyClearPlan(layout)) {
        state.image.set(write.address, write.value);
        if (unit.writeBlock(write.address, 1, state.image) == 0)
            view.StepProgress();
        else
            ++errors;
    }
    view.HideProgress();

    if (errors == 0) {
        view.ShowStatus(texts::kHistoryCleared, kFinalStatusWidth, StatusColour::WindowText);
    } else {
        view.showMessage({kCaptionWarning, texts::kHistoryClearFailedBox, MessageIcon::Warning});
        view.ShowStatus(texts::kHistoryClearFailed, kFinalStatusWidth, StatusColour::Red);
    }
}

} // namespace alvetra
