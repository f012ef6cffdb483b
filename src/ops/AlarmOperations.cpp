#include "ops/AlarmOperations.h"

#include "ops/GroupWriter.h"
#include "ops/HistoryClearing.h"
#include "ops/ReadOperation.h"
#include "ops/RecordErasing.h"
#include "ops/RemoteLearning.h"
#include "ops/SettingsFiles.h"

namespace alvetra {

OperationOutcome AlarmOperations::connect() { return ReadOperation(context_).connect(); }
OperationOutcome AlarmOperations::readAll() { return ReadOperation(context_).readAll(); }

OperationOutcome AlarmOperations::writeGroup(WriteGroup group) { return GroupWriter(context_).write(group); }
OperationOutcome AlarmOperations::writeAll() { return GroupWriter(context_).writeAll(); }
OperationOutcome AlarmOperations::writeChanged() { return GroupWriter(context_).writeChanged(); }

OperationOutcome AlarmOperations::clearHistory() { return HistoryClearing(context_).clear(); }
OperationOutcome AlarmOperations::learn(RecordGroup group) { return RemoteLearning(context_).learn(group); }
OperationOutcome AlarmOperations::erase(RecordGroup group) { return RecordErasing(context_).erase(group); }

OperationOutcome AlarmOperations::openFile(const QString &fileName) { return SettingsFiles(context_).open(fileName); }
OperationOutcome AlarmOperations::saveFile(const QString &fileName) { return SettingsFiles(context_).save(fileName); }

} // namespace alvetra
