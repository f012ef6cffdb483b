#pragma once
// Programming access reached as the fitter reaches it: the simulated unit on the line, its
// password typed into ED_HasloInst and "Połącz" pressed. Tests that need a connected window start
// from here, so that they see the state the program itself reaches.

#include "RecordingDialogs.h"

#include "sim/SimulatedUnit.h"
#include "ui/MainWindow.h"

#include <QLineEdit>
#include <QPushButton>

namespace alvetra::test {

// The folder with the program's data (car databases, lock diagrams) that a connect reads.
inline const QString kProgramData = QStringLiteral(ALVETRA_DATA_DIR);

// Replies as fast as protocol time runs, so that the tests may speed it up.
inline sim::UnitConfig unpacedUnit()
{
    sim::UnitConfig config;
    config.lineSpeed = 0;
    return config;
}

// Connects and reads the unit; the box a connect ends with is answered and forgotten. True when
// the window is connected afterwards.
inline bool connectAsTheFitterDoes(MainWindow &window, RecordingDialogs &dialogs,
                                   const QString &password = QStringLiteral("1234"))
{
    window.findChild<QLineEdit *>(QStringLiteral("ED_HasloInst"))->setText(password);
    window.findChild<QPushButton *>(QStringLiteral("BITBTN_Polacz"))->click();
    dialogs.messages.clear();
    return window.isConnected();
}

} // namespace alvetra::test
