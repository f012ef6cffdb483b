#pragma once
// The application shell's services for the main window: the preferences file and the COM
// information reminder.

#include "app/Preferences.h"
#include "ui/WindowPreferences.h"

namespace alvetra {

class Dialogs;

class AppShell : public ShellHooks {
public:
    AppShell(PreferencesFile preferences, Dialogs &dialogs);

    WindowPreferences readPreferences() override;
    bool showComInformation(QWidget *window) override;
    // A file that cannot be written is reported on the standard error and otherwise ignored, so
    // the program still closes.
    void writePreferences(const WindowPreferences &preferences) override;

    const PreferencesFile &preferencesFile() const { return preferences_; }

private:
    PreferencesFile preferences_;
    Dialogs &dialogs_;
};

} // namespace alvetra
