#include "ops/AlarmOperations.h"

#include "ops/GroupWriter.h"
#include "ops/HistoryClearing.h"
#include "ops/ReadOperation.h"
#include "ops/RecordErasing.h"
#include "ops/RemoteLearning.h"
#include "ops/SettingsFiles.h"

namespace alvetra {

void AlarmOperations::bitbtnPolaczClick() { ReadOperation(context_).connect(); }
void AlarmOperations::actionOdczytUstawienAlarmuExecute() { ReadOperation(context_).readAll(); }

void AlarmOperations::actionZapisHaslaPCExecute() { GroupWriter(context_).write(WriteGroup::PcPassword); }
void AlarmOperations::actionZapisKodowExecute() { GroupWriter(context_).write(WriteGroup::Codes); }
void AlarmOperations::actionZapisKierunkiExecute() { GroupWriter(context_).write(WriteGroup::TurnSignals); }
void AlarmOperations::actionZapisZamkiExecute() { GroupWriter(context_).write(WriteGroup::CentralLocks); }
void AlarmOperations::actionZapisAntykradziezExecute() { GroupWriter(context_).write(WriteGroup::AntiTheft); }
void AlarmOperations::actionZapisAntynapadExecute() { GroupWriter(context_).write(WriteGroup::AntiHijack); }
void AlarmOperations::actionZapisOgolneExecute() { GroupWriter(context_).write(WriteGroup::Rearming); }
void AlarmOperations::actionZapisCanExecute() { GroupWriter(context_).write(WriteGroup::CanGroup); }
void AlarmOperations::actionZapisCanSygExecute() { GroupWriter(context_).write(WriteGroup::CanOptions); }
void AlarmOperations::bitbtnZapisAllClick() { GroupWriter(context_).writeAll(); }

void AlarmOperations::actionKasowanieHistoriiExecute() { HistoryClearing(context_).clear(); }
void AlarmOperations::actionProgPilotExecute() { RemoteLearning(context_).learn(RecordGroup::Remotes); }
void AlarmOperations::actionProgTokenExecute() { RemoteLearning(context_).learn(RecordGroup::Tokens); }
void AlarmOperations::actionKasowaniePilotowExecute() { RecordErasing(context_).erase(RecordGroup::Remotes); }
void AlarmOperations::actionKasowanieTokenowExecute() { RecordErasing(context_).erase(RecordGroup::Tokens); }

void AlarmOperations::actionSaveAllSettingsExecute() { SettingsFiles(context_).save(); }
void AlarmOperations::actionOpenSettingsExecute() { SettingsFiles(context_).open(); }

} // namespace alvetra
