#include "AlarmOperations.h"

#include "GroupWriter.h"
#include "HistoryClearing.h"
#include "ReadOperation.h"
#include "RecordErasing.h"
#include "RemoteLearning.h"
#include "SettingsFiles.h"

namespace alvetra {

void AlarmOperations::BITBTN_PolaczClick() { ReadOperation(context_).connect(); }
void AlarmOperations::ActionOdczytUstawienAlarmuExecute() { ReadOperation(context_).readAll(); }

void AlarmOperations::ActionZapisHaslaPCExecute() { GroupWriter(context_).write(WriteGroup::PcPassword); }
void AlarmOperations::ActionZapisKodowExecute() { GroupWriter(context_).write(WriteGroup::Codes); }
void AlarmOperations::ActionZapisKierunkiExecute() { GroupWriter(context_).write(WriteGroup::TurnSignals); }
void AlarmOperations::ActionZapisZamkiExecute() { GroupWriter(context_).write(WriteGroup::CentralLocks); }
void AlarmOperations::ActionZapisAntykradziezExecute() { GroupWriter(context_).write(WriteGroup::AntiTheft); }
void AlarmOperations::ActionZapisAntynapadExecute() { GroupWriter(context_).write(WriteGroup::AntiHijack); }
void AlarmOperations::ActionZapisOgolneExecute() { GroupWriter(context_).write(WriteGroup::Rearming); }
void AlarmOperations::ActionZapisCanExecute() { GroupWriter(context_).write(WriteGroup::CanGroup); }
void AlarmOperations::ActionZapisCanSygExecute() { GroupWriter(context_).write(WriteGroup::CanOptions); }
void AlarmOperations::BITBTN_ZapisAllClick() { GroupWriter(context_).writeAll(); }

void AlarmOperations::ActionKasowanieHistoriiExecute() { HistoryClearing(context_).clear(); }
void AlarmOperations::ActionProgPilotExecute() { RemoteLearning(context_).learn(RecordGroup::Remotes); }
void AlarmOperations::ActionProgTokenExecute() { RemoteLearning(context_).learn(RecordGroup::Tokens); }
void AlarmOperations::ActionKasowaniePilotowExecute() { RecordErasing(context_).erase(RecordGroup::Remotes); }
void AlarmOperations::ActionKasowanieTokenowExecute() { RecordErasing(context_).erase(RecordGroup::Tokens); }

void AlarmOperations::ActionSaveAllSettingsExecute() { SettingsFiles(context_).save(); }
void AlarmOperations::ActionOpenSettingsExecute() { SettingsFiles(context_).open(); }

} // namespace alvetra
