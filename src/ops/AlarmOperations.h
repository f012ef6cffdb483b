#pragma once
// The alarm operations as a front end starts them: connecting and reading, writing one settings
// group or all of them, clearing the history, learning and erasing remotes or tokens, opening
// and saving settings files. A front end (the main window, a command-line tool, a test)
// implements OperationView for the operations and LinkEvents for the serial link below them
// (bench/ops_bench.cpp does both without a widget):
//
//   OperationState state;                     // its image is the one the serial link fills
//   OperationConfig config{dataFolder};
//   SerialLink serial(state.image, events, SerialLink::serialPorts());   // events: LinkEvents
//   SerialUnitLink link(serial);
//   AlarmOperations ops(view, link, state, config);
//   serial.open(portName, speedIndex);
//   if (ops.connect() == OperationOutcome::Done)
//       ops.saveFile(fileName);
//
// Every operation runs on the thread of the event loop and returns when it has ended; while it
// waits it keeps processing events, with every operation disabled in the view. The user is told
// what happened through the view; the outcome only says whether the operation did what was
// asked. A FileError (car database, settings file, lock diagram) leaves the operation for the
// caller, after the view has had its operations and supervision given back.

#include "alarm/RemoteTexts.h"
#include "ops/OperationState.h"
#include "ops/OperationView.h"
#include "ops/UnitLink.h"
#include "ops/WriteGroups.h"

#include <QString>

namespace alvetra {

class AlarmOperations {
public:
    AlarmOperations(OperationView &view, UnitLink &link, OperationState &state, const OperationConfig &config)
        : context_{view, link, state, config} {}

    // Reads the unit's settings and, when that succeeds, grants full access: the first thing
    // done with a unit.
    OperationOutcome connect();
    // Reads the unit's settings again into the image and the view.
    OperationOutcome readAll();

    // One settings group from the view's values into the unit.
    OperationOutcome writeGroup(WriteGroup group);
    // Every group the unit's family has, in kWriteAllOrder, while the logins succeed.
    OperationOutcome writeAll();
    // Only the groups whose settings differ from the unit's memory as last read or written.
    OperationOutcome writeChanged();

    OperationOutcome clearHistory();
    // Puts the unit into its learning mode for remotes or tokens and tells how many it learnt.
    OperationOutcome learn(RecordGroup group);
    // Erases every remote or every token the unit has learnt.
    OperationOutcome erase(RecordGroup group);

    // A settings file by name; the front end has chosen it. Opening it without a connection is
    // the way into offline editing.
    OperationOutcome openFile(const QString &fileName);
    OperationOutcome saveFile(const QString &fileName);

    const OperationContext &context() const { return context_; }

private:
    OperationContext context_;
};

} // namespace alvetra
