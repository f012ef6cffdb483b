#include "ops/RemoteLearning.h"

#include "ops/Login.h"
#include "ops/OperationBracket.h"
#include "ops/OpsTexts.h"
#include "ops/UnitRequests.h"
#include "link/Wait.h"

namespace alvetra {

OperationOutcome RemoteLearning::learn(RecordGroup group)
{
    OperationView &view = context_.view;
    OperationBracket bracket(view);
    if (!LoginProcedure(context_).run(kLoginDelayMs))
        return OperationOutcome::Failed;
    view.showStatus(QString(), kFinalStatusWidth, StatusColour::WindowText);

    UnitRequests unit(context_.link);
    // The first report only says that the unit has begun to learn: its result tells nothing.
    unit.startLearning(group == RecordGroup::Tokens);
    const std::atomic<bool> &finished = context_.link.learningFlag();
    delay(kLearningWaitMs, {&finished});

    if (finished.load(std::memory_order_acquire)) {
        unit.confirm();
        const QString text = learnedText(group, context_.link.learnedCount());
        view.showMessage({kCaptionInformationAlt, text, MessageIcon::Information});
        view.showStatus(text, kFinalStatusWidth, StatusColour::WindowText);
        return OperationOutcome::Done;
    }
    view.showMessage({kCaptionInformationAlt, texts::kLearningFailedBox, MessageIcon::Exclamation});
    view.showStatus(texts::kLearningFailed, kFinalStatusWidth, StatusColour::Red);
    return OperationOutcome::Failed;
}

QString learnedText(RecordGroup group, int count)
{
    if (group == RecordGroup::Remotes)
        return count == 1 ? texts::kLearnedOneRemote : texts::kLearnedRemotes.arg(count);
    return count == 1 ? texts::kLearnedOneToken : texts::kLearnedTokens.arg(count);
}

} // namespace alvetra
