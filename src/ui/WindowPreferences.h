#pragma once
// What the window keeps between runs, and the application shell's services that the start-up
// and shutdown of the window call: reading and writing the preferences and the COM information
// reminder. The shell provides them; tests put in their own.

#include "alarm/OwnerPapers.h"
#include "link/LineSpeed.h"

#include <QString>

class QWidget;

namespace alvetra {

struct WindowPreferences {
    int portIndex = 0;              // selected item of CMB_port, -1 for none
    int speedIndex = kDefaultSpeedIndex;   // selected item of CMB_PortSpeed, -1 for none
    QString saveDialogFolder;       // initial folder of saveDialog_; empty: none
    QString openDialogFolder;       // initial folder of openDialog_; empty: none
    int top = 0;                    // window position; 0 in either means centred
    int left = 0;
    bool showComInformation = true;
    Workshop workshop;              // on the owner's papers, typed once

    bool operator==(const WindowPreferences &) const = default;
};

class ShellHooks {
public:
    virtual ~ShellHooks() = default;
    // The stored preferences, with defaults for whatever is missing.
    virtual WindowPreferences readPreferences() = 0;
    // Shows the COM information reminder over `window`; returns whether to show it next time.
    virtual bool showComInformation(QWidget *window) = 0;
    // Stores the preferences; a failure is the shell's to handle and never stops the closing.
    virtual void writePreferences(const WindowPreferences &preferences) = 0;
};

} // namespace alvetra
