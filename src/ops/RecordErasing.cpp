#include "ops/RecordErasing.h"

#include "ops/Login.h"
#include "ops/OperationBracket.h"
#include "ops/OpsTexts.h"
#include "ops/UnitRequests.h"

namespace alvetra {

OperationOutcome RecordErasing::erase(RecordGroup group)
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    OperationBracket bracket(view);
    if (!LoginProcedure(context_).run(kLoginDelayMs))
        return OperationOutcome::Failed;

    const std::vector<ByteWrite> plan = eraseRecordsPlan(state.layout, group);
    view.beginProgress(texts::kEraseProgress, static_cast<int>(plan.size()));
    UnitRequests unit(context_.link);
    int errors = 0;
    for (const ByteWrite &write : plan) {
        state.image.set(write.address, write.value);
        if (unit.writeBlock(write.address, 1, state.image) != WriteResult::Written)
            ++errors;
        // The bar stops at the first failure and shows how far the erasing got.
        if (errors == 0)
            view.stepProgress();
    }
    if (!unit.confirm())
        ++errors;
    view.hideProgress();

    if (errors == 0) {
        view.showStatus(texts::kErased, kFinalStatusWidth, StatusColour::WindowText);
        return OperationOutcome::Done;
    }
    view.showStatus(texts::kEraseFailed, kFinalStatusWidth, StatusColour::Red);
    return OperationOutcome::Failed;
}

} // namespace alvetra
