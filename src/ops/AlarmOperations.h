#pragma once
// The alarm operations behind the main window's buttons and actions, one method per handler, so
// that the window binds each action in one line:
//
//   OperationState state;                     // owned by the window; its image goes to the link
//   OperationConfig config{programFolder};
//   AlarmOperations ops(view, link, state, config);
//   connect(ActionZapisZamki, &QAction::triggered, [&] { ops.actionZapisZamkiExecute(); });
//
// Every handler runs on the UI thread and returns when its operation has ended; while it waits
// the window keeps processing events with all actions disabled. A FileError (car database,
// settings file, lock diagram) leaves the handler for the application's general error handler,
// after the actions and the supervision timer have been given back.

#include "ops/OperationState.h"
#include "ops/OperationView.h"
#include "ops/UnitLink.h"

namespace alvetra {

class AlarmOperations {
public:
    AlarmOperations(OperationView &view, UnitLink &link, OperationState &state, const OperationConfig &config)
        : context_{view, link, state, config} {}

    // Connecting and reading.
    void bitbtnPolaczClick();
    void actionOdczytUstawienAlarmuExecute();

    // Group writes.
    void actionZapisHaslaPCExecute();
    void actionZapisKodowExecute();
    void actionZapisKierunkiExecute();
    void actionZapisZamkiExecute();
    void actionZapisAntykradziezExecute();
    void actionZapisAntynapadExecute();
    void actionZapisOgolneExecute();
    void actionZapisCanExecute();
    void actionZapisCanSygExecute();
    void bitbtnZapisAllClick();

    // History, remotes and tokens.
    void actionKasowanieHistoriiExecute();
    void actionProgPilotExecute();
    void actionProgTokenExecute();
    void actionKasowaniePilotowExecute();
    void actionKasowanieTokenowExecute();

    // Settings files.
    void actionSaveAllSettingsExecute();
    void actionOpenSettingsExecute();

    const OperationContext &context() const { return context_; }

private:
    OperationContext context_;
};

} // namespace alvetra
