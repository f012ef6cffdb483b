#pragma once
// Putting the unit into its learning mode for remotes or tokens and reporting how many it learnt.

#include "ops/OperationState.h"
#include "alarm/RemoteTexts.h"

#include <QString>

namespace alvetra {

// How long the unit is given to learn, in protocol milliseconds: the fitter presses the buttons
// of each remote or token meanwhile.
constexpr int kLearningWaitMs = 100000;

class RemoteLearning {
public:
    explicit RemoteLearning(const OperationContext &context) : context_(context) {}

    // The login, the unit in its learning mode for up to kLearningWaitMs, then how many it
    // learnt; Done when the unit reported the end of learning. The learnt records are not read
    // back: the fitter reads the settings again to see them.
    OperationOutcome learn(RecordGroup group);

private:
    OperationContext context_;
};

// "Zaprogramowano 1 pilot." / "Zaprogramowano %d piloty." and the same for tokens.
QString learnedText(RecordGroup group, int count);

} // namespace alvetra
